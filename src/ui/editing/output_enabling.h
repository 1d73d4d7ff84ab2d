#pragma once
// What the auto / manual choice enables: in manual mode the output page's bars, mutes, delays,
// groups and scenes take edits; in auto mode they show greyed. The EQ reset button follows the
// EQ pass and its group.

namespace zt {

struct EditingParts;

class OutputEnabling {
public:
    explicit OutputEnabling(EditingParts& parts) : parts_(parts) {}

    void Enable(bool manual);
    // The EQ reset acts only while the channel's EQ pass is off and its group is enabled.
    void UpdateResetButton();

private:
    EditingParts& parts_;
};

}  // namespace zt
