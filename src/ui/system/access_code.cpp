#include "ui/system/access_code.h"

#include <QEvent>
#include <QLabel>

#include "ui/state/window_state.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/swapping.h"
#include "ui/window/main_window.h"

namespace zt {

AccessCode::AccessCode(TForm1& window, WindowState& state)
    : linkLabel_(window.tabStrip().linkLabel),
      logoLabel_(window.sysLogoLabel()),
      logoEdit_(qobject_cast<PlainEdit*>(window.sysLogoEdit())),
      hintTab_(window.tabStrip().tabs[kTabHint]),
      state_(state) {}

void AccessCode::Connect(QObject* context) {
    linkLabel_->installEventFilter(this);
    if (logoEdit_) {
        QObject::connect(logoEdit_, &PlainEdit::keyPressed, context,
                         [this](KeyPress* press) { OnKey(press); });
    }
}

bool AccessCode::eventFilter(QObject* watched, QEvent* event) {
    if (watched == linkLabel_ && event->type() == QEvent::MouseButtonDblClick) {
        OnLinkLabelDoubleClick();
    }
    return QObject::eventFilter(watched, event);
}

void AccessCode::OnLinkLabelDoubleClick() {
    logoLabel_->show();
    if (!logoEdit_) return;
    logoEdit_->show();
    logoEdit_->clear();
    logoEdit_->setFocus(Qt::MouseFocusReason);
}

void AccessCode::OnKey(KeyPress* press) {
    if (press->character != QChar('\r')) return;
    state_.hintTabOpen = logoEdit_->text() == QLatin1String(kAccessCode);
    hintTab_->setVisible(state_.hintTabOpen);
    if (state_.hintTabOpen) {
        logoLabel_->hide();
        logoEdit_->hide();
    }
}

}  // namespace zt
