#pragma once
// A drop-down list whose item index is the raw value of its slot. Selecting an item from code
// raises no change a handler listens to: handlers connect to `activated`, which only the user's
// choice raises. The wheel changes the item only while the list has the focus, so scrolling
// over a page never changes a parameter by accident. The drop-down list is made when it first
// opens and takes the selector's font then: the editor has many selectors and opens few.

#include <QComboBox>
#include <QStringList>

#include "ui/widgets/control_props.h"

namespace zt {

class Selector : public QComboBox, public ControlProps {
    Q_OBJECT
public:
    explicit Selector(QWidget* parent = nullptr);
    Selector(const QStringList& items, QWidget* parent = nullptr);

    void showPopup() override;

protected:
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool PopupMade() const;
};

}  // namespace zt
