#pragma once
// Editing on the EQ graph with the mouse: dragging a marker sets its band's frequency and gain
// (or its filter's frequency), a right press selects the band's Q for stepping with sideways
// moves, a click on a band's number label selects its frequency edit. Every value goes through
// the editor's set value, which shows, stores and sends it; the graph is redrawn from the
// store. Every EQ value of the page shown that changes, wherever it was changed, asks the
// graph for one redraw.

#include <QObject>
#include <QPoint>

#include "params/param_address.h"
#include "ui/eqgraph/drag_state.h"
#include "ui/eqgraph/edit_gesture.h"

class QWidget;

namespace zt {

class BandNumberLabel;
class BindingLookup;
class Editor;
class EqGraph;
class TForm1;
struct ChannelState;
struct GraphPanel;
struct WindowState;

class PointEditing : public QObject {
public:
    PointEditing(EqGraph& graph, const GraphPanel& panel, Editor& editor,
                 const BindingLookup& binding, const ChannelState& channel, const TForm1& window,
                 const WindowState& state, DragState& drag);

    // Connects the markers, Image1, the information labels and the band number labels; runs
    // once the editor is attached (its band labels are resolved).
    void Connect();

    // The start and end of each drag or Q-stepping gesture go to `gesture` (null: nowhere).
    void SetGesture(EditGesture* gesture) { gesture_ = gesture; }

    // A tick: applies pending drag values unless a drag applies them itself, and draws a
    // requested redraw now.
    void OnTimer1Tick();
    // Applies the drag's pending values and draws what they changed.
    void Apply();
    // A value changed through the edit path: an EQ value of the page shown asks for a redraw.
    void OnParameterChanged(ParamAddress a);

    // The mouse handlers; positions are in the pressed control's own coordinates.
    void OnMarkerPress(int marker, QPoint position, Qt::MouseButton button);
    void OnMarkerMove(int marker, QPoint position);
    void OnMarkerRelease(int marker, Qt::MouseButton button);
    void OnImageMove(QPoint position, Qt::MouseButtons buttons);
    void OnImageRelease(Qt::MouseButton button);
    void OnInfoLabelRelease();
    void OnNumberLabelClick(const BandNumberLabel* label);

    const DragState& drag() const { return drag_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A position on a marker in Image1's coordinates.
    QPoint OnImage(const QWidget* marker, QPoint position) const;
    int Sheet() const;
    bool LockedOut() const;
    bool EqPassOn() const;
    // Address of field `field` of the band of marker `marker` on the page shown.
    int BandSlot(int marker, int field) const;
    // Selects the value edit bound to `address` for stepping, when there is one and it is
    // enabled.
    void SelectEnabledEdit(int address);
    void StartFromMarkerPosition(int marker);
    void BeginGesture();
    void EndGesture();
    void SetControl(int address, bool onPane, float raw);

    EqGraph& graph_;
    const GraphPanel& panel_;
    Editor& editor_;
    const BindingLookup& binding_;
    const ChannelState& channel_;
    const TForm1& window_;
    const WindowState& state_;
    DragState& drag_;
    EditGesture* gesture_ = nullptr;
    bool gestureOpen_ = false;
};

}  // namespace zt
