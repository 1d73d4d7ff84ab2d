#pragma once
// Connects the widget signals of the parameter controls to their change handlers, once, by
// walking the registered controls: every handler runs as a gesture of the edit history, a drag
// of a track bar's handle as one gesture from press to release.

class QObject;

namespace zt {

struct ButtonLooks;
struct EditingParts;
class BandSelection;
class BitmapButton;
class ControlRegistry;
class InputHandlers;
class Selector;
class TrackBar;
class ValueEdit;
class VolumeBars;

class InputWiring {
public:
    InputWiring(EditingParts& parts, InputHandlers& handlers, VolumeBars& volumes,
                BandSelection& bands, ButtonLooks& looks)
        : parts_(parts), handlers_(handlers), volumes_(volumes), bands_(bands), looks_(looks) {}

    // Connects every parameter control of `registry`; `context` receives the connections, so
    // that they end with it. The buttons that choose what the controls stand for (scenes,
    // sides, the EQ reset, the effect sub-pages and hint paths) are left to their owner.
    void Connect(const ControlRegistry& registry, QObject* context);

private:
    void ConnectTrackBar(TrackBar* bar, QObject* context);
    void ConnectValueEdit(ValueEdit* edit, QObject* context);
    void ConnectSelector(Selector* selector, QObject* context);
    void ConnectBitmapButton(BitmapButton* button, QObject* context);

    EditingParts& parts_;
    InputHandlers& handlers_;
    VolumeBars& volumes_;
    BandSelection& bands_;
    ButtonLooks& looks_;
};

}  // namespace zt
