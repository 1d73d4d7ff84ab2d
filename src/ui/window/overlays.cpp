#include "ui/window/overlays.h"

#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/look.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/swapping.h"

namespace zt {
UnlockPanel BuildUnlockPanel(QWidget* parent, ControlRegistry& registry) {
    UnlockPanel u;
    // The unlock prompt reads the same in both languages, like its "确定" button.
    u.firstCheckGrop = Registered(new QGroupBox(QStringLiteral("输入解锁密码："), parent),
                                  QStringLiteral("FirstCheckGrop"), registry);
    u.firstCheckGrop->setFont(look::Font(look::kLargeText, true));
    u.firstCheckGrop->setAutoFillBackground(true);
    u.firstCheckGrop->resize(300, 96);

    u.panelPassWordEdit =
        Registered(new PlainEdit(u.firstCheckGrop), QStringLiteral("PanelPassWordEdit"), registry);
    u.panelPassWordEdit->setEchoMode(QLineEdit::Password);
    u.panelPassWordEdit->setMaxLength(6);
    u.panelPassWordEdit->setGeometry(24, 42, 160, 26);

    u.rzBmpButton4 = Registered(new BitmapButton(QStringLiteral("确定"), u.firstCheckGrop),
                                QStringLiteral("RzBmpButton4"), registry);
    u.rzBmpButton4->setGeometry(200, 42, 76, 26);
    u.firstCheckGrop->hide();
    return u;
}

}  // namespace zt
