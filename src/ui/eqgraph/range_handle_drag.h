#pragma once
// Dragging the six range handles of the system page (start and maximum of the music,
// microphone and effect volumes): the handle follows the pointer along its bar's scale and
// moves the bar, whose own change handler stores and sends the value. They share the marker
// drag state of the EQ graph.

#include <QObject>
#include <QPoint>

#include "ui/eqgraph/drag_state.h"

namespace zt {

class BindingLookup;
class Editor;
class RangeHandle;

class RangeHandleDrag : public QObject {
public:
    // The handle's left edge at the bar's raw 0 and at its end, and pixels per raw step.
    static constexpr int kLeftmost = 53;
    static constexpr int kRightmost = 211;
    static constexpr double kPixelsPerStep = 1.89;

    RangeHandleDrag(Editor& editor, const BindingLookup& binding, DragState& drag);

    // Connects the handles the editor resolved.
    void Connect();

    void OnPress(RangeHandle* handle, QPoint position, Qt::MouseButton button);
    void OnMove(RangeHandle* handle, QPoint position);
    void OnRelease();

private:
    QWidget* LabelOf(const RangeHandle* handle) const;

    Editor& editor_;
    const BindingLookup& binding_;
    DragState& drag_;
};

}  // namespace zt
