#include "ui/window/caption_tables.h"

#include "ui/state/channel_state.h"

namespace zt {
namespace {

constexpr CaptionPair kFixedButtons[] = {
    {"PinPPBtn", "频谱", "Spectrum"},
    {"PinDCFBtn", "低触发", "Normal"},
    {"HowlFinderBtn", "找啸叫", "Find Howls"},
    {"NotchBtn", "陷波", "Notch"},
    {"SameBtn", "同步", "SYNC"},
    {"EQResetBtn", "EQ重置", "EQ Reset"},
    {"MusEQAllpassBtn", "EQ直通", "EQ pass"},
    {"ManulModeBtn", "手动", "Manual"},
    {"AutoModeBtn", "自动", "Auto"},
    {"SingModeBtn", "唱歌", "Sing"},
    {"DiscoModeBtn", "热舞", "Disco"},
    {"CodeModeBtn", "解码", "decode"},
    {"SysLoadModeBtn", "调用设备模式", "Load Mode"},
    {"SysSaveModeBtn", "保存设备模式", "Save Mode"},
    {"RzBmpButton118", "确定", "OK"},
    {"RzBmpButton22", "确定", "OK"},
    {"RzBmpButton24", "单模式参数", "Alone Mode File"},
    {"RzBmpButton25", "整机参数", "All Mode File"},
    {"RzBmpButton119", "上传数据到设备", "Load File data"},
    {"RzBmpButton120", "保存数据到电脑", "Save Data to PC"},
    {"OpenPresetFileBtn", "打开文件…", "Open file…"},
    {"SysPanelBtn2", "启用", "Enable"},
    {"SysVolRunBtn2", "启用", "Enable"},
    {"SysPanelBtn1", "禁用", "Disable"},
    {"SysVolRunBtn1", "禁用", "Disable"},
    {"RzBmpButton23", "修改", "Modify"},
    {"MainRmuteBtn", "右静音", "R Mute"},
    {"DEQTYpeOffBtn1", "关闭", "Off"},
    {"DEQTYpeOffBtn2", "关闭", "Off"},
    {"DEQTYpeOffBtn3", "关闭", "Off"},
    {"DEQTYpeBelowBtn1", "低启动", "Below"},
    {"DEQTYpeBelowBtn2", "低启动", "Below"},
    {"DEQTYpeBelowBtn3", "低启动", "Below"},
    {"DEQTYpeAboveBtn1", "高启动", "Above"},
    {"DEQTYpeAboveBtn2", "高启动", "Above"},
    {"DEQTYpeAboveBtn3", "高启动", "Above"},
};

constexpr CaptionPair kMusic[] = {
    {"LeftBtn", "音乐左", "Left"},
    {"RightBtn", "音乐右", "Right"},
};
constexpr CaptionPair kMicA[] = {
    {"AdvGroupBox1", "麦克风A压限", "MiC A Limit"},
    {"AdvGroupBox16", "麦克风A 噪声门", "MICA Noise"},
    {"LeftBtn", "麦克A", "MIC A"},
    {"RightBtn", "麦克B", "MIC B"},
};
constexpr CaptionPair kMicB[] = {
    {"AdvGroupBox1", "麦克风B压限", "MiC B Limit"},
    {"AdvGroupBox16", "麦克风B 噪声门", "MICB Noise"},
    {"LeftBtn", "麦克A", "MIC A"},
    {"RightBtn", "麦克B", "MIC B"},
};
constexpr CaptionPair kMain[] = {
    {"LeftBtn", "主左", "Main L"},
    {"RightBtn", "主右", "Main R"},
    {"OutLimiteGroup", "主输出压限", "Main Limit"},
    {"OutLHPGroup", "主输出分频", "Main LHF"},
    {"MainLmuteBtn", "左静音", "L Mute"},
    {"OutLDelayLabel", "左声道延时", "Left Delay"},
};
constexpr CaptionPair kSurround[] = {
    {"LeftBtn", "环左", "SUR L"},
    {"RightBtn", "环右", "SUR R"},
    {"OutLimiteGroup", "环绕压限", "Surround Limit"},
    {"OutLHPGroup", "环绕分频", "Surround LHF"},
    {"MainLmuteBtn", "左静音", "L Mute"},
    {"OutLDelayLabel", "左声道延时", "Left Delay"},
};
constexpr CaptionPair kCenter[] = {
    {"OutLimiteGroup", "中置压限", "Center Limit"},
    {"OutLHPGroup", "中置分频", "Center LHF"},
    {"MainLmuteBtn", "中置静音", "Cen Mute"},
    {"OutLDelayLabel", "中置延时", "Center Delay"},
};
constexpr CaptionPair kSub[] = {
    {"OutLimiteGroup", "超低压限", "SUB Limit"},
    {"OutLHPGroup", "超低分频", "SUB LHF"},
    {"MainLmuteBtn", "超低静音", "SUB Mute"},
    {"OutLDelayLabel", "超低延时", "SUB Delay"},
};

}  // namespace

std::span<const CaptionPair> FixedButtonCaptions() {
    return kFixedButtons;
}

std::span<const CaptionPair> ChannelCaptions(int tab) {
    switch (tab) {
        case kTabMusic:
            return kMusic;
        case kTabMicA:
            return kMicA;
        case kTabMicB:
            return kMicB;
        case kTabMain:
            return kMain;
        case kTabSurround:
            return kSurround;
        case kTabCenter:
            return kCenter;
        case kTabSub:
            return kSub;
        default:
            return {};
    }
}

}  // namespace zt
