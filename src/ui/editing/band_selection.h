#pragma once
// The selection of the edited EQ band: the band remembered per family, the highlight of its
// number label and value edits, and the band box scrolled so that the band stays in view.

namespace zt {

struct EditingParts;
class ValueEdit;

class BandSelection {
public:
    explicit BandSelection(EditingParts& parts) : parts_(parts) {}

    // Selects the band of `edit` in `family` (PageKind 0..7) and returns it; nothing while a
    // refresh shows stored values.
    int Select(ValueEdit* edit, int family);
    // The band box `box` (music, microphone, output) follows its scroll bar.
    void OnBandScroll(int box, int position);

private:
    void HighlightBand(int family, int band);
    void KeepBandVisible(int band);

    EditingParts& parts_;
};

}  // namespace zt
