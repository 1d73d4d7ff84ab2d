#include "ui/widgets/enabled_follower.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace zt {
namespace {

// Watches the control's enabled state; it belongs to the label and ends with it.
class EnabledFollower : public QObject {
public:
    EnabledFollower(QWidget* label, QWidget* control) : QObject(label), label_(label) {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange && watched->isWidgetType()) {
            label_->setEnabled(static_cast<QWidget*>(watched)->isEnabled());
        }
        return false;
    }

private:
    QWidget* label_;
};

}  // namespace

void FollowEnabledState(QWidget* label, QWidget* control) {
    if (!label || !control || label == control) return;
    new EnabledFollower(label, control);
    label->setEnabled(control->isEnabled());
}

}  // namespace zt
