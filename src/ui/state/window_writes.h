#pragma once
// The one door from the window to the link's writes: every value, text, mode save and upload
// the window sends passes here, and none reaches the processor while the panel lock holds the
// window.

#include <string_view>

#include "link/link_engine.h"
#include "ui/state/window_state.h"

namespace zt {

class WindowWrites : public PacedParamWriter {
public:
    WindowWrites(LinkEngine& link, const WindowState& state) : link_(link), state_(state) {}

    // Whether a parameter write may go to the link now: always unless the panel lock holds the
    // window; while it does, only the writes of a page refresh, which the link stores and never
    // sends.
    bool Admits() const { return !state_.locked || link_.suppressSend(); }

    // Write parameter of the link (store, then send); false, with nothing stored, when refused.
    bool WriteParameter(ParamAddress logical, int value);
    void WriteParameterPaced(ParamAddress logical, int value) override;
    // Texts, mode saves and uploads always reach the processor: refused while locked.
    bool WriteString(ParamAddress address, std::string_view text);
    bool SaveMode(std::string_view text);
    bool StartUpload();

private:
    LinkEngine& link_;
    const WindowState& state_;
};

}  // namespace zt
