#include "ui/system/mode_flows.h"

#include <QAbstractButton>
#include <string>

#include "link/link_texts.h"
#include "link/protocol.h"
#include "presets/mode_names.h"
#include "ui/editing/editor.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/window/mode_list.h"

namespace zt {
namespace {

constexpr int kLoadWaitMs = 20;  // one hold tick

const BilingualText kUserModeCannotSave{"用户模式无法执行保存操作!",
                                        "Users can not perform the save operation mode!"};
const BilingualText kFactoryModeCannotSave{"工厂模式无法保存", "Factory modes cannot be saved!"};

constexpr std::array<const char*, 10> kQuickButtonNames{
    "SysModeBtn1",    "SysModeBtn2",    "SysModeBtn3",    "SysModeBtn4",    "SysFactoryBtn",
    "SysFactoryBtn2", "SysFactoryBtn3", "SysFactoryBtn4", "SysFactoryBtn5", "SysFactoryBtn6"};

// "3-Name" for user modes, "MF2-Name" for factory modes, as the save question numbers them.
std::string ModeNumber(int index) {
    if (index >= kFirstFactoryMode) return "MF" + std::to_string(index - kFirstFactoryMode + 1);
    return std::to_string(index + 1);
}

}  // namespace

ModeFlows::ModeFlows(LinkEngine& link, WindowWrites& writes, ParamModel& model, Prompts& prompts,
                     const ControlRegistry& r, const WindowState& state)
    : link_(link),
      writes_(writes),
      model_(model),
      prompts_(prompts),
      modeBox_(r.Get<Selector>(QStringLiteral("SysModeBox"))),
      modeBox2_(r.Get<Selector>(QStringLiteral("SysModeBox2"))),
      nameEdit_(r.Get<PlainEdit>(QStringLiteral("PresetModeEdit"))),
      loadButton_(r.Get<QAbstractButton>(QStringLiteral("SysLoadModeBtn"))),
      saveButton_(r.Get<QAbstractButton>(QStringLiteral("SysSaveModeBtn"))),
      state_(state) {
    for (size_t i = 0; i < kQuickButtonNames.size(); ++i) {
        quickButtons_[i] = r.Get<BitmapButton>(QString::fromLatin1(kQuickButtonNames[i]));
    }
    loadWait_.setInterval(kLoadWaitMs);
}

void ModeFlows::Connect(QObject* context) {
    // Only the user's choice: the page refresh selects items from code.
    QObject::connect(modeBox_, &QComboBox::activated, context, [this] { OnModeBoxChange(); });
    QObject::connect(modeBox2_, &QComboBox::activated, context,
                     [this](int item) { OnModeBox2Change(item); });
    QObject::connect(loadButton_, &QAbstractButton::clicked, context,
                     [this] { LoadSelectedMode(); });
    QObject::connect(saveButton_, &QAbstractButton::clicked, context,
                     [this] { SaveSelectedMode(); });
    for (BitmapButton* button : quickButtons_) {
        QObject::connect(button, &QAbstractButton::clicked, context,
                         [this, button] { OnQuickButton(button->tag()); });
    }
    QObject::connect(&loadWait_, &QTimer::timeout, context, [this] { OnLoadWait(); });
}

void ModeFlows::OnModeBoxChange() {
    ShowChosenMode(modeBox_, nameEdit_, modeBox_->currentIndex());
}

void ModeFlows::SelectMode(int index) {
    ShowChosenMode(modeBox_, nameEdit_, index);
}

bool ModeFlows::HintTabShown() const {
    return state_.hintTabOpen;
}

void ModeFlows::LoadSelectedMode() {
    const int index = modeBox_->currentIndex();
    if (index < 0) return;
    const std::string item = modeBox_->currentText().toStdString();
    const BilingualText question{"模式切换为" + item + "?", "Load Mode to" + item + "?"};
    if (!prompts_.Ask(question, kConfirmCaption, AskButtons::YesNo)) return;
    SendLoad(index);
}

// The acknowledgement of a load-mode write that goes out at once makes the link download every
// parameter again. One that had to queue behind an unacknowledged frame would go out later as an
// ordinary parameter: the processor would change its mode and the window would go on showing
// the old one. So while the link waits for an acknowledgement the load waits too, for as long
// as the link stays online (it gives up on a silent processor within seconds).
void ModeFlows::SendLoad(int index) {
    const bool idle = link_.ready() && link_.txQueue().IsEmpty();
    if (!link_.linkOnline() || idle) {
        loadWait_.stop();
        waitingLoad_ = -1;
        writes_.WriteParameter(kAddrLoadMode, index);  // off line it is only stored, as any write
        return;
    }
    waitingLoad_ = index;
    loadWait_.start();
}

void ModeFlows::OnLoadWait() {
    if (!link_.linkOnline()) {
        loadWait_.stop();
        waitingLoad_ = -1;
        return;
    }
    if (link_.ready() && link_.txQueue().IsEmpty()) SendLoad(waitingLoad_);
}

void ModeFlows::SaveSelectedMode() {
    if (model_.store().Get(kAddrManagerFlag) != 1) {
        prompts_.Inform(kUserModeCannotSave, kConfirmCaption);
        return;
    }
    const int index = modeBox_->currentIndex();
    if (index < 0 || index >= kDeviceModeCount) return;
    if (index >= kFirstFactoryMode && !HintTabShown()) {
        prompts_.InformPlain(kFactoryModeCannotSave);
        return;
    }
    // Refused before anything is sent, so that the name that comes back is the name typed.
    const ModeNameCheck check = CheckModeName(nameEdit_->text().toStdString());
    if (!check.accepted()) {
        prompts_.Inform(ModeNameRefusedText(check.refused), kMessageCaption);
        return;
    }
    const std::string mode = ModeNumber(index) + "-" + check.name;
    const BilingualText question{"保存当前模式为 " + mode + "?",
                                 "Save the current settings as mode " + mode + "?"};
    if (!prompts_.Ask(question, kConfirmCaption, AskButtons::YesNo)) return;
    if (!writes_.SaveMode(ModeSaveText(index, check.name))) return;
    link_.deviceInfo().modeNames[index] = check.name;
}

void ModeFlows::OnQuickButton(int index) {
    if (!link_.linkOnline() || index < 0 || index >= kDeviceModeCount) return;
    SelectMode(index);
    LoadSelectedMode();
}

void ModeFlows::OnModeBox2Change(int item) {
    const int index = item + kFirstBoxedUserMode;
    if (item < 0 || index >= kFirstFactoryMode) return;
    SelectMode(index);
    LoadSelectedMode();
}

}  // namespace zt
