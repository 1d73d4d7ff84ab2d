#include "ui/system/panel_lock.h"

#include <QAbstractButton>
#include <QGroupBox>

#include "link/protocol.h"
#include "ui/system/password_flows.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/plain_edit.h"
#include "ui/window/main_window.h"

namespace zt {
namespace {

constexpr int kStageDownloaded = 1;
constexpr int kStageLocked = 2;

const BilingualText kUnlocked{"解锁成功", "Unlocked!"};

}  // namespace

PanelLock::PanelLock(LinkEngine& link, ParamModel& model, Prompts& prompts, TForm1& window,
                     WindowState& state, std::function<void()> selectMusicPage)
    : link_(link),
      model_(model),
      prompts_(prompts),
      window_(window),
      state_(state),
      selectMusicPage_(std::move(selectMusicPage)) {}

void PanelLock::Connect(QObject* context) {
    const UnlockPanel& panel = window_.unlockPanel();
    FilterDigits(panel.panelPassWordEdit);
    QObject::connect(panel.rzBmpButton4, &QAbstractButton::clicked, context,
                     [this] { OnUnlock(); });
    // Enter in the field unlocks like the button.
    QObject::connect(panel.panelPassWordEdit, &QLineEdit::returnPressed, context,
                     [this] { OnUnlock(); });
}

void PanelLock::SetLocked(bool locked) {
    state_.locked = locked;
    const UnlockPanel& panel = window_.unlockPanel();
    panel.firstCheckGrop->setVisible(locked);
    if (locked) {
        panel.firstCheckGrop->raise();
        panel.panelPassWordEdit->setFocus(Qt::OtherFocusReason);
    }
    window_.formPageItem()->setEnabled(!locked);
    window_.graph().advPanel1->setEnabled(!locked);
    window_.advPageControl1()->setEnabled(!locked);
    if (lockChanged_) lockChanged_();
}

void PanelLock::CheckPanelLock() {
    if (link_.lockStage() != kStageDownloaded) return;
    if (model_.store().Get(kAddrPanelKeyLock) != 1) return;
    link_.SetLockStage(kStageLocked);
    // The music page first: while the panel is up no tab changes the page.
    selectMusicPage_();
    window_.formPageItem()->setCurrentIndex(0);
    const UnlockPanel& panel = window_.unlockPanel();
    // The prompt and its button in the language shown when the window locks.
    const Language& language = prompts_.language();
    panel.firstCheckGrop->setTitle(language.Pick("输入解锁密码：", "Enter the unlock password:"));
    panel.rzBmpButton4->setCaption(language.Pick("确定", "OK"));
    SetLocked(true);
}

void PanelLock::OnUnlock() {
    const UnlockPanel& panel = window_.unlockPanel();
    const std::string typed = panel.panelPassWordEdit->text().toStdString();
    const std::string& password = link_.deviceInfo().panelLockPassword;
    panel.panelPassWordEdit->clear();
    if (!locked() || static_cast<int>(password.size()) != kPanelPasswordLength ||
        typed != password) {
        return;
    }
    SetLocked(false);
    prompts_.InformPlain(kUnlocked);
}

}  // namespace zt
