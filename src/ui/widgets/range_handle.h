#pragma once
// A small marker on a volume bar's scale that shows, and lets the user drag, the start or
// maximum volume of that bar's group. Its tag is the address of the volume it marks.

#include <QWidget>

#include "ui/widgets/control_props.h"

namespace zt {

class RangeHandle : public QWidget, public ControlProps {
    Q_OBJECT
public:
    // A start marker points up from below the bar; a maximum marker is drawn as a small bar.
    enum class Mark { Start, Maximum };

    explicit RangeHandle(Mark mark, QWidget* parent = nullptr);
    Mark mark() const { return mark_; }

signals:
    // Pointer positions in the marker's own coordinates.
    void pressed(QPoint position, Qt::MouseButton button);
    void moved(QPoint position);
    void released(QPoint position, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Mark mark_;
};

}  // namespace zt
