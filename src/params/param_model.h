#pragma once
// The parameter model: both stores and the selection state, owned together for the whole run,
// and the operations that fill, reset and copy them.

#include "params/eq_slots.h"
#include "params/page_table.h"
#include "params/param_address.h"
#include "params/selection.h"

namespace zt {

// The link's paced write, through which a single-page EQ reset reaches the processor.
class PacedParamWriter {
public:
    virtual ~PacedParamWriter() = default;
    virtual void WriteParameterPaced(ParamAddress logical, int value) = 0;
};

// The page refresh that shows the stores on the window; page 100 means every page.
class PageRefresher {
public:
    virtual ~PageRefresher() = default;
    virtual void RefreshPage(int page) = 0;
};

// The channel a side button copies from; the caller derives it from the tab shown, since main
// and surround share one logical page.
enum class EqCopyChannel { Music, DynamicEq, Microphone, Main, Surround, Other };

inline constexpr int kAllPages = 100;

class ParamModel {
public:
    ParamStore& store() { return store_; }
    const ParamStore& store() const { return store_; }
    DeviceImage& image() { return image_; }
    const DeviceImage& image() const { return image_; }
    SelectionState& selection() { return selection_; }
    const SelectionState& selection() const { return selection_; }

    ParamAddress ToDeviceAddress(ParamAddress logical) const;

    // Stores v under the logical address and, translated, in the device image. Addresses
    // outside the stores are ignored.
    void StoreValue(ParamAddress logical, int32_t value);

    // The Q slot a band's Q control edits: field 3 for bypass and PEQ bands, field 4 for
    // shelving bands. Other addresses come back unchanged.
    ParamAddress ActiveQSlot(ParamAddress logical) const;

    // Fills the logical store from the device image under the current selection (the control
    // re-addressing that follows belongs to the window).
    void RebuildParamStore();

    // Resets the EQ bands of one page (sent paced) or of every page (kAllPages, nothing sent),
    // then asks for the page refresh.
    void ResetEq(int page, PacedParamWriter& writer, PageRefresher& refresher);

    // Copies one side's EQ onto the other inside the device image; nothing is sent.
    void CopyEq(EqCopyChannel channel);

private:
    void ResetPageBands(int page, bool singlePage, PacedParamWriter& writer);
    void CopyImageSlots(int fromPage, int toPage, int firstSlot, int lastSlot, int offset);

    ParamStore store_;
    DeviceImage image_;
    SelectionState selection_;
};

}  // namespace zt
