#pragma once
// A pair of small arrow buttons, up above down, that step the value bound to their address one
// raw step; holding a button repeats the step.

#include <QWidget>

#include "ui/widgets/control_props.h"

class QAbstractButton;

namespace zt {

class SpinButtons : public QWidget, public ControlProps {
    Q_OBJECT
public:
    explicit SpinButtons(QWidget* parent = nullptr);

    QAbstractButton* upButton() const { return up_; }
    QAbstractButton* downButton() const { return down_; }

signals:
    void upClicked();
    void downClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QAbstractButton* up_;
    QAbstractButton* down_;
};

}  // namespace zt
