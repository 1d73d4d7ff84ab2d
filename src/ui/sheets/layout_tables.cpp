#include "ui/sheets/layout_tables.h"

#include <array>

// The tables name only the fields a row needs and leave the rest to their defaults; GCC 12
// reports every such omission in a designated initializer.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace zt::sheets {

namespace {

constexpr SheetItem Frame(const char* name, const char* parent, Place place, RowStyle style = {}) {
    return {
        .kind = ItemKind::Frame, .name = name, .parent = parent, .place = place, .style = style};
}

constexpr SheetItem Group(const char* name, const char* parent, Place place, Text caption,
                          RowStyle style = {}) {
    return {.kind = ItemKind::Group,
            .name = name,
            .parent = parent,
            .place = place,
            .text = caption,
            .style = style};
}

constexpr SheetItem Label(const char* name, const char* parent, Place place, Text text) {
    return {.kind = ItemKind::Label, .name = name, .parent = parent, .place = place, .text = text};
}

constexpr SheetItem Tool(const char* name, const char* parent, Place place, Text text, int tag) {
    return {.kind = ItemKind::ToolButton,
            .name = name,
            .parent = parent,
            .place = place,
            .text = text,
            .tag = tag};
}

constexpr SheetItem Key(const char* name, const char* parent, Place place, const char* caption,
                        int tag = 0, const char* state = "") {
    return {.kind = ItemKind::KeyButton,
            .name = name,
            .parent = parent,
            .place = place,
            .text = {caption, ""},
            .tag = tag,
            .hint = state};
}

constexpr SheetItem Lamp(const char* name, const char* parent, Place place, int tag,
                         const char* state) {
    return {.kind = ItemKind::LampButton,
            .name = name,
            .parent = parent,
            .place = place,
            .tag = tag,
            .hint = state};
}

constexpr SheetItem Edit(const char* name, const char* parent, Place place, int maxLength = 0,
                         bool masked = false, bool disabled = false) {
    return {.kind = masked ? ItemKind::PasswordEdit : ItemKind::PlainEdit,
            .name = name,
            .parent = parent,
            .place = place,
            .disabled = disabled,
            .maxLength = maxLength};
}

constexpr SheetItem Hidden(SheetItem item) {
    item.hidden = true;
    return item;
}

constexpr SheetItem Disabled(SheetItem item) {
    item.disabled = true;
    return item;
}

constexpr SheetItem Kind(SheetItem item, ItemKind kind) {
    item.kind = kind;
    return item;
}

// Processor addresses carried as form tags by switches and range markers.
constexpr int kRemoteSwitch = 0x0911;
constexpr int kVolumeSwitch = 0x1D09;
constexpr int kPanelLockSwitch = 0x1E04;
constexpr int kManagerSwitch = 0x1E08;

// ---- FormPageItem ----

// Widths follow the widest texts: "Release Time", "Rvb Effect Vol" beside the bars, "Atk x 32",
// "20600Hz" and "5000ms" in the panes.
constexpr RowStyle kGroupRows = Rows(5, 22, 24, 76, 48, 50);
constexpr RowStyle kFilterRows = Rows(6, 22, 28, 0, 114, 54, 22);
constexpr RowStyle kFilterPairRows = Rows(6, 24, 34, 30, 82, 54, 22);
constexpr RowStyle kMusicFilterRows = Rows(6, 26, 34, 0, 80, 54, 22);

constexpr auto kMusicItems = std::to_array<SheetItem>({
    Frame("MusBandGroup", "AdvTabSheet1_mus", {4, 4, 623, 224}),
    Frame("MusInputArea", "AdvTabSheet1_mus", {636, 8, 150, 124}, Rows(0, 0, 24, 72, 78, 0)),
    Frame("MusKeyArea", "AdvTabSheet1_mus", {636, 138, 150, 88},
          RowsCaptionAbove(0, 4, 60, 30, 96, 50, 20)),
    Group("MusHPGroup", "AdvTabSheet1_mus", {792, 4, 148, 106}, {"高通", "HPF"}, kMusicFilterRows),
    Group("MusLPGroup", "AdvTabSheet1_mus", {792, 118, 148, 106}, {"低通", "LPF"},
          kMusicFilterRows),
    Hidden(Group("LogGroup", "AdvTabSheet1_mus", {636, 4, 304, 222}, {"提示框", ""})),
    {.kind = ItemKind::Memo, .name = "Memo2", .parent = "LogGroup", .place = {8, 22, 288, 192}},
});

constexpr auto kMicItems = std::to_array<SheetItem>({
    Frame("MicBandGroup", "AdvTabSheet2_mic", {4, 4, 558, 224}),
    Group("AdvGroupBox1", "AdvTabSheet2_mic", {568, 2, 184, 122}, {"麦克风A压限", "MIC A Limit"},
          kGroupRows),
    Group("AdvGroupBox16", "AdvTabSheet2_mic", {568, 128, 184, 100},
          {"麦克风A噪声门", "Mic A Noise"}, kGroupRows),
    Frame("MicInputArea", "AdvTabSheet2_mic", {758, 6, 182, 50}, Rows(0, 0, 24, 76, 58, 46)),
    Group("MicHPGroup", "AdvTabSheet2_mic", {758, 60, 182, 82}, {"高通", "HP"}, kFilterRows),
    Group("MicLPGroup", "AdvTabSheet2_mic", {758, 146, 182, 82}, {" 低通", "LP"}, kFilterRows),
});

constexpr RowStyle kEffectRows = Rows(0, 2, 27, 96, 80, 50);

constexpr SheetItem EffectPage(const char* name, Text caption) {
    return {.kind = ItemKind::Sheet, .name = name, .parent = "EffPageControl", .text = caption};
}

constexpr auto kEffectItems = std::to_array<SheetItem>({
    {.kind = ItemKind::PageStack,
     .name = "EffPageControl",
     .parent = "AdvTabSheet3_Eff",
     .place = {0, 0, 944, 232}},
    EffectPage("EffSheetEcho", {"回声", ""}),
    EffectPage("EffSheetRvb", {"混响", ""}),
    Frame("EchoBandGroup", "EffSheetEcho", {4, 4, 493, 224}),
    Frame("EchoArea", "EffSheetEcho", {504, 36, 248, 192}, kEffectRows),
    Group("EchoLHPGroup", "EffSheetEcho", {758, 36, 182, 192}, {"回声高低通", ""}, kFilterPairRows),
    Frame("RvbBandGroup", "EffSheetRvb", {4, 4, 493, 224}),
    Frame("RvbArea", "EffSheetRvb", {504, 36, 248, 192}, kEffectRows),
    Group("RvbLHPGroup", "EffSheetRvb", {758, 36, 182, 192}, {"混响高低通", "Rvb LHP "},
          kFilterPairRows),
    // The sub-page buttons lie above the inner pages, in the space both leave free.
    Tool("EchoAToolButton", "AdvTabSheet3_Eff", {506, 4, 80, 26}, {"回声A", "Echo A"}, 0),
    Tool("EchoBToolButton", "AdvTabSheet3_Eff", {590, 4, 80, 26}, {"回声B", "Echo B"}, 1),
    Tool("RvbToolButton", "AdvTabSheet3_Eff", {674, 4, 80, 26}, {"混响", "Reverb"}, 2),
});

constexpr RowStyle kOutputLimiterRows = Rows(5, 22, 24, 76, 48, 50);

constexpr auto kOutputItems = std::to_array<SheetItem>({
    Frame("AdvGroupBox21", "AdvTabSheet4_Main", {4, 4, 363, 224}),
    Frame("OutLevelGroup", "AdvTabSheet4_Main", {374, 8, 196, 150}, Rows(0, 2, 29, 86, 50, 38)),
    Group("OutLimiteGroup", "AdvTabSheet4_Main", {574, 2, 182, 122}, {"主输出压限", "Limit"},
          kOutputLimiterRows),
    Frame("OutDelayArea", "AdvTabSheet4_Main", {574, 132, 182, 54}, Rows(5, 2, 26, 76, 48, 50)),
    Group("OutLHPGroup", "AdvTabSheet4_Main", {760, 2, 180, 162}, {"主输出分频", "HP/LP"},
          kFilterPairRows),
    Hidden(
        Kind(Frame("ExampleBtn2", "AdvTabSheet4_Main", {0, 0, 15, 20}), ItemKind::PhaseTemplate)),
});

constexpr auto kHintItems = std::to_array<SheetItem>({
    Frame("HintBandGroup", "AdvTabSheet5_Center", {4, 4, 363, 224}),
    Tool("HintMusBtn", "AdvTabSheet5_Center", {380, 8, 84, 26}, {"音乐", "Music"}, 0),
    Tool("HintMicABtn", "AdvTabSheet5_Center", {468, 8, 84, 26}, {"话筒A", "MIC A"}, 1),
    Tool("HintMicBBtn", "AdvTabSheet5_Center", {556, 8, 84, 26}, {"话筒B", "MIC B"}, 2),
});

constexpr auto kSystemItems = std::to_array<SheetItem>({
    Label("SysDeviceIDCaption", "AdvTabSheet8_Sys", {20, 20, 90, 22}, {"设备管理码", ""}),
    {.kind = ItemKind::Pane,
     .name = "DeviceIDLabel",
     .parent = "AdvTabSheet8_Sys",
     .place = {116, 20, 150, 22}},
    Label("SysBackupCaption", "AdvTabSheet8_Sys", {20, 56, 200, 22}, {"电脑数据备份管理", ""}),
    Label("SysRemoteCaption", "AdvTabSheet8_Sys", {20, 92, 120, 22}, {"红外遥控管理", ""}),
    Lamp("SysRemoteBtn2", "AdvTabSheet8_Sys", {146, 92, 24, 22}, kRemoteSwitch, "1"),
    Label("SysRemoteOnLabel", "AdvTabSheet8_Sys", {174, 92, 40, 22}, {"开启", ""}),
    Lamp("SysRemoteBtn1", "AdvTabSheet8_Sys", {220, 92, 24, 22}, kRemoteSwitch, "0"),
    Label("SysRemoteOffLabel", "AdvTabSheet8_Sys", {248, 92, 40, 22}, {"关闭", ""}),
    Hidden({.kind = ItemKind::Memo,
            .name = "Memo1",
            .parent = "AdvTabSheet8_Sys",
            .place = {320, 20, 240, 120}}),
    Hidden({.kind = ItemKind::FileList,
            .name = "FileListBox1",
            .parent = "AdvTabSheet8_Sys",
            .place = {580, 20, 240, 120}}),
});

constexpr auto kPageSheets = std::to_array<SheetSpec>({
    {0, "AdvTabSheet1_mus", {"音乐", ""}, kMusicItems},
    {1, "AdvTabSheet2_mic", {"麦克风", ""}, kMicItems},
    {2, "AdvTabSheet3_Eff", {"效果", ""}, kEffectItems},
    {3, "AdvTabSheet4_Main", {"输出", ""}, kOutputItems},
    {4, "AdvTabSheet5_Center", {"隐藏", ""}, kHintItems},
    {5, "AdvTabSheet6_Sub", {"超低音", ""}, {}},
    {6, "AdvTabSheet7_sur", {"环绕", ""}, {}},
    {7, "AdvTabSheet8_Sys", {"系统", ""}, kSystemItems},
    {8, "AdvTabSheet9_DEQ", {"动态均衡", ""}, {}},
});

// ---- Right column ----

constexpr RowStyle kVolumeRows = RowsCaptionAbove(8, 0, 58, 18, 176, 48, 22);

constexpr auto kMainVolumeItems = std::to_array<SheetItem>({
    Frame("MusVolArea", "AdvTabSheet10_Vol", {0, 6, 256, 58}, kVolumeRows),
    Frame("MicVolArea", "AdvTabSheet10_Vol", {0, 68, 256, 58}, kVolumeRows),
    Frame("EffVolArea", "AdvTabSheet10_Vol", {0, 130, 256, 58}, kVolumeRows),
    Hidden(Label("musLabel", "MusVolArea", {130, 0, 60, 18}, {"0", "Music Vol"})),
    Hidden(Label("micLabel", "MicVolArea", {130, 0, 60, 18}, {"0", "Music Vol"})),
    Hidden(Label("EffLabel", "EffVolArea", {130, 0, 60, 18}, {"0", "Music Vol"})),
    {.kind = ItemKind::StartMark,
     .name = "MusStartImage",
     .parent = "MusVolArea",
     .place = {53, 46, 8, 8},
     .tag = 0x1D05},
    {.kind = ItemKind::MaxMark,
     .name = "MusMaxImage",
     .parent = "MusVolArea",
     .place = {53, 46, 8, 8},
     .tag = 0x1D06},
    {.kind = ItemKind::StartMark,
     .name = "MicStartImage",
     .parent = "MicVolArea",
     .place = {53, 46, 8, 8},
     .tag = 0x1D03},
    {.kind = ItemKind::MaxMark,
     .name = "MicMaxImage",
     .parent = "MicVolArea",
     .place = {53, 46, 8, 8},
     .tag = 0x1D04},
    {.kind = ItemKind::StartMark,
     .name = "EffStartImage",
     .parent = "EffVolArea",
     .place = {53, 46, 8, 8},
     .tag = 0x1D07},
    {.kind = ItemKind::MaxMark,
     .name = "EffMaxImage",
     .parent = "EffVolArea",
     .place = {53, 46, 8, 8},
     .tag = 0x1D08},
    Label("SysFactoryCaption", "AdvTabSheet10_Vol", {8, 198, 240, 18},
          {"调用出厂模式：", "Factory default setting：  "}),
    Key("SysFactoryBtn", "AdvTabSheet10_Vol", {8, 218, 36, 26}, "1", 16),
    Key("SysFactoryBtn2", "AdvTabSheet10_Vol", {48, 218, 36, 26}, "2", 17),
    Key("SysFactoryBtn3", "AdvTabSheet10_Vol", {88, 218, 36, 26}, "3", 18),
    Key("SysFactoryBtn4", "AdvTabSheet10_Vol", {128, 218, 36, 26}, "4", 19),
    Key("SysFactoryBtn5", "AdvTabSheet10_Vol", {168, 218, 36, 26}, "5", 20),
    Key("SysFactoryBtn6", "AdvTabSheet10_Vol", {208, 218, 36, 26}, "6", 21),
    Label("SysFactoryNote", "AdvTabSheet10_Vol", {8, 248, 240, 32},
          {"调用出厂模式时候，音量不会变化", "The factory pattern volume will not change\n"}),
    Label("SysUserModeCaption", "AdvTabSheet10_Vol", {8, 288, 240, 18},
          {"调用用户模式：", "User mode setting："}),
    Key("SysModeBtn1", "AdvTabSheet10_Vol", {8, 308, 36, 26}, "1", 0),
    Key("SysModeBtn2", "AdvTabSheet10_Vol", {48, 308, 36, 26}, "2", 1),
    Key("SysModeBtn3", "AdvTabSheet10_Vol", {88, 308, 36, 26}, "3", 2),
    Key("SysModeBtn4", "AdvTabSheet10_Vol", {128, 308, 36, 26}, "4", 3),
    {.kind = ItemKind::Selector,
     .name = "SysModeBox2",
     .parent = "AdvTabSheet10_Vol",
     .place = {172, 310, 76, 22},
     .items = Items::UserModes},
    Label("SysVolRunCaption", "AdvTabSheet10_Vol", {8, 350, 84, 24}, {"音量跟随", "Main volume"}),
    Key("SysVolRunBtn1", "AdvTabSheet10_Vol", {96, 350, 74, 24}, "禁用", kVolumeSwitch, "0"),
    Key("SysVolRunBtn2", "AdvTabSheet10_Vol", {174, 350, 74, 24}, "启用", kVolumeSwitch, "1"),
    Kind(Label("SysVolWarn1", "AdvTabSheet10_Vol", {8, 384, 244, 17},
               {"警告：音量跟随功能，如果控制不好则", "Warning:Please use carefully,"}),
         ItemKind::WarningLabel),
    Kind(Label("SysVolWarn2", "AdvTabSheet10_Vol", {8, 401, 244, 17},
               {"可能导致音量突然增大，对你的系统有", "overloaded signal will cause "}),
         ItemKind::WarningLabel),
    Kind(Label("SysVolWarn3", "AdvTabSheet10_Vol", {8, 418, 244, 17},
               {"破坏性的影响，建议禁用，慎用！！！", "damage to the system."}),
         ItemKind::WarningLabel),
});

constexpr auto kVolumeSetItems = std::to_array<SheetItem>({
    Label("SysPanelLockCaption", "AdvTabSheet11_VolSet", {8, 8, 240, 18},
          {"面板键盘自动锁定", "Key panel lock "}),
    Key("SysPanelBtn1", "AdvTabSheet11_VolSet", {8, 28, 74, 24}, "禁用", kPanelLockSwitch, "0"),
    Key("SysPanelBtn2", "AdvTabSheet11_VolSet", {86, 28, 74, 24}, "启用", kPanelLockSwitch, "1"),
    Frame("VolLimitArea", "AdvTabSheet11_VolSet", {0, 62, 256, 268},
          RowsCaptionAbove(8, 0, 44, 18, 186, 48, 22)),
    Group("PanelPassGroup", "AdvTabSheet11_VolSet", {4, 336, 248, 92},
          {"面板键盘自动锁密码修改", "Modify Auto Key Lock Password"}),
    Label("PassPanelOldCaption", "PanelPassGroup", {8, 26, 52, 22}, {"旧密码", "Old:"}),
    Edit("PassPanelLabel1", "PanelPassGroup", {62, 26, 96, 22}, 4),
    Key("RzBmpButton22", "PanelPassGroup", {164, 26, 76, 22}, "确定"),
    Label("PassPanelNewCaption", "PanelPassGroup", {8, 58, 52, 22}, {"新密码", "New:"}),
    Edit("NewPassLabel1", "PanelPassGroup", {62, 58, 96, 22}, 4, true, true),
    Key("RzBmpButton23", "PanelPassGroup", {164, 58, 76, 22}, "修改"),
});

constexpr auto kSystemSettingItems = std::to_array<SheetItem>({
    Label("SysUserManagerCaption", "AdvTabSheet12_Sys", {8, 6, 240, 18},
          {"用户/管理员模式", "User/Manager Mode"}),
    Edit("SysPassEdit", "AdvTabSheet12_Sys", {8, 26, 150, 24}, 6, true),
    Key("RzBmpButton118", "AdvTabSheet12_Sys", {164, 26, 84, 24}, "确定"),
    Disabled(Frame("SysUserMangerGrop", "AdvTabSheet12_Sys", {8, 56, 240, 26})),
    Lamp("SysUserBtn", "SysUserMangerGrop", {0, 2, 24, 22}, kManagerSwitch, "0"),
    Label("SysUserLabel", "SysUserMangerGrop", {28, 2, 76, 22}, {"用户", "User"}),
    Lamp("SysManagerBtn", "SysUserMangerGrop", {110, 2, 24, 22}, kManagerSwitch, "1"),
    Label("SysManagerLabel", "SysUserMangerGrop", {138, 2, 96, 22}, {"管理员", "admin"}),
    Group("ModeGroup", "AdvTabSheet12_Sys", {4, 88, 248, 114},
          {"保存 / 调用模式", "Load/Save Mode"}, Rows(8, 22, 28, 44, 188, 0, 22)),
    Label("PresetModeCaption", "ModeGroup", {8, 50, 44, 22}, {"名称", "Name"}),
    Edit("PresetModeEdit", "ModeGroup", {52, 50, 188, 22}, 20),
    Key("SysLoadModeBtn", "ModeGroup", {8, 80, 114, 26}, "调用设备模式"),
    Key("SysSaveModeBtn", "ModeGroup", {126, 80, 114, 26}, "保存设备模式"),
    Group("SysPassGroup", "AdvTabSheet12_Sys", {4, 208, 248, 102},
          {"密码修改", "Modify System Password"}),
    Label("SysPassOldCaption", "SysPassGroup", {8, 22, 62, 22}, {"旧密码", "Old"}),
    Edit("SysPanelLabel1", "SysPassGroup", {72, 22, 168, 22}, 6, true),
    Label("SysPassNewCaption", "SysPassGroup", {8, 48, 62, 22}, {"新密码", "New"}),
    Edit("NewSysPassLabel1", "SysPassGroup", {72, 48, 168, 22}, 6, true, true),
    Label("SysPassConfirmCaption", "SysPassGroup", {8, 74, 62, 22}, {"确定", "confirm"}),
    Edit("NewSysPassLabel2", "SysPassGroup", {72, 74, 168, 22}, 6, true, true),
    // Down to the sheet's foot, so that the list shows six names and more.
    Frame("FileGroup", "AdvTabSheet12_Sys", {4, 316, 248, 236}),
    Key("RzBmpButton24", "FileGroup", {0, 0, 122, 24}, "单模式参数"),
    Hidden(Key("RzBmpButton25", "FileGroup", {126, 0, 122, 24}, "整机参数")),
    // A preset file kept anywhere else, in the place of the hidden button.
    Key("OpenPresetFileBtn", "FileGroup", {126, 0, 122, 24}, "打开文件…"),
    {.kind = ItemKind::PresetList,
     .name = "ValueListEditor1",
     .parent = "FileGroup",
     .place = {0, 28, 248, 144}},
    Label("FileEditCaption", "FileGroup", {0, 178, 72, 22}, {"模式名称", "Mode Name:"}),
    Edit("FileEdit", "FileGroup", {74, 178, 174, 22}),
    Key("RzBmpButton119", "FileGroup", {0, 206, 122, 26}, "上传数据到设备"),
    Key("RzBmpButton120", "FileGroup", {126, 206, 122, 26}, "保存数据到电脑"),
});

constexpr auto kRightColumnSheets = std::to_array<SheetSpec>({
    {0, "AdvTabSheet10_Vol", {"主音量", "Main Volume"}, kMainVolumeItems},
    {1, "AdvTabSheet11_VolSet", {"音量控制", "Volume Set"}, kVolumeSetItems},
    {2, "AdvTabSheet12_Sys", {"系统设定", "System setting"}, kSystemSettingItems},
});

}  // namespace

std::span<const SheetSpec> PageSheetSpecs() {
    return kPageSheets;
}

std::span<const SheetSpec> RightColumnSpecs() {
    return kRightColumnSheets;
}

}  // namespace zt::sheets
