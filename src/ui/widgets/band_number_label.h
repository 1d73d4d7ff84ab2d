#pragma once
// The number label at the head of an EQ band column. Its tag holds the logical page and its
// hint the slot of the first band's frequency, as the form gives them; a click finds the band's
// frequency edit through the label's place in the binding's band label table. The band being
// edited is drawn opaque, the others transparent.

#include <QLabel>

#include "ui/widgets/control_props.h"

namespace zt {

class BandNumberLabel : public QLabel, public ControlProps {
    Q_OBJECT
public:
    explicit BandNumberLabel(int number, QWidget* parent = nullptr);

    bool opaque() const { return opaque_; }
    void setOpaque(bool opaque);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool opaque_ = false;
};

}  // namespace zt
