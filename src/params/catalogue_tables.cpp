#include "params/catalogue_tables.h"

#include <array>

// The tables name only the fields a row needs and leave the rest to their defaults; GCC 12
// reports every such omission in a designated initializer.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace zt::catalogue {

namespace {

// Row makers; each names what a row of its kind needs, so the tables read as the pages do.

constexpr ParamRow Hidden(int slot) {
    return {.slot = slot};
}

// A slot of the hidden edit that a button of its own shows and sets (0 .. maximum).
constexpr ParamRow Hidden(int slot, const char* key, Text label, int maximum) {
    return {.slot = slot, .maximum = maximum, .key = key, .label = label};
}

constexpr ParamRow Bar(int slot, const char* name, int maximum, const char* pane,
                       const char* paneKind, const char* container, int line, Text caption = {},
                       const char* captionName = nullptr) {
    return {.slot = slot,
            .kind = Kind::TrackBar,
            .name = name,
            .maximum = maximum,
            .pane = pane,
            .paneHint = paneKind,
            .container = container,
            .line = line,
            .caption = caption,
            .captionName = captionName};
}

constexpr ParamRow VolumeBar(int slot, const char* name, const char* role, const char* pane,
                             const char* container, int line, Text caption) {
    return {.slot = slot,
            .kind = Kind::TrackBar,
            .name = name,
            .maximum = 84,
            .hint = role,
            .pane = pane,
            .paneHint = "0",  // the bar's previous position
            .container = container,
            .line = line,
            .caption = caption};
}

constexpr ParamRow Select(int slot, const char* name, Items items, int maximum, const char* hint,
                          const char* container, int line, Text caption = {}) {
    return {.slot = slot,
            .kind = Kind::Selector,
            .name = name,
            .maximum = maximum,
            .hint = hint,
            .items = items,
            .container = container,
            .line = line,
            .caption = caption};
}

constexpr ParamRow Crossover(int slot, const char* name, const char* hint, const char* container,
                             int line, Text caption = {}) {
    return Select(slot, name, Items::Crossover, 12, hint, container, line, caption);
}

constexpr ParamRow InputGain(int slot, const char* name, const char* spin, int line, Text caption) {
    return {.slot = slot,
            .kind = Kind::ValueEdit,
            .name = name,
            .maximum = 40,
            .hint = "5",
            .spin = spin,
            .container = "MusInputArea",
            .line = line,
            .caption = caption};
}

// A phase button at the end of its level bar's line; no caption, the picture says it.
constexpr ParamRow Phase(int slot, const char* name, const char* container, int line) {
    return {.slot = slot,
            .kind = Kind::Toggle,
            .name = name,
            .maximum = 1,
            .hint = "0",
            .container = container,
            .line = line,
            .atLineEnd = true};
}

constexpr ParamRow Mute(int slot, const char* name, Text caption, Place place) {
    return {.slot = slot,
            .kind = Kind::Toggle,
            .name = name,
            .maximum = 1,
            .hint = "0",
            .container = "AdvTabSheet4_Main",
            .caption = caption,
            .place = place};
}

// Names the parameter of a row: its key and, where the caption does not say it, its name.
constexpr ParamRow Keyed(const char* key, ParamRow row) {
    row.key = key;
    return row;
}
constexpr ParamRow Keyed(const char* key, Text label, ParamRow row) {
    row.label = label;
    return Keyed(key, row);
}

constexpr ParamRow BoundOnly(ParamRow row) {
    row.container = nullptr;
    return row;
}

constexpr Text kHighPass{"高通", "HPF"};
constexpr Text kLowPass{" 低通", "LPF"};
constexpr Text kLimitLevel{"压限启动电平", "Limit Level"};
constexpr Text kLimitAttack{"压限启动时间", "Attack Time"};
constexpr Text kLimitRelease{"压限释放时间", "Release Time"};
constexpr Text kLimitRatio{"压缩比例", "Ratio"};

// The mute buttons sit in one row on the output sheet: the left one moves between 583 (stereo
// outputs, beside the right one at 679) and 631 (centre and sub), where it stands centred under
// the pair. They are wide enough for "Cen Mute" and "SUB Mute" in the buttons' own font.
constexpr int kMuteTop = 196;
constexpr int kMuteWidth = 72;
constexpr Place kLeftMutePlace{583, kMuteTop, kMuteWidth, 26};
constexpr Place kRightMutePlace{679, kMuteTop, kMuteWidth, 26};

constexpr auto kMusic = std::to_array<ParamRow>({
    Keyed("input1.gain",
          InputGain(0, "MusGain1Edit", "MusGain1UpDown", 2, {"输入1音量", "In1 Vol"})),
    Keyed("input2.gain",
          InputGain(1, "MusGain2Edit", "MusGain2UpDown", 3, {"输入2音量", "In2 Vol"})),
    Keyed("opti.gain", InputGain(2, "MusGain3Edit", "MusGain3UpDown", 4, {"光纤音量", "OPTI Vol"})),
    Keyed("key", Bar(3, "MusPitchBar", 14, "MusPitchPane", "21", "MusKeyArea", 0,
                     {"变调", "  Key \ncontrol"})),
    Keyed("hp.type", {"高通类型", "HPF Type"}, Crossover(4, "MusHPTypeBox", "20", "MusHPGroup", 0)),
    Keyed("hp.freq", {"高通频率", "HPF Frequency"},
          Bar(5, "MusHPFREBar", 361, "MusHPFREPane", "6", "MusHPGroup", 1)),
    Keyed("lp.type", {"低通类型", "LPF Type"}, Crossover(6, "MusLPTypeBox", "21", "MusLPGroup", 0)),
    Keyed("lp.freq", {"低通频率", "LPF Frequency"},
          Bar(7, "MusLPFREBar", 361, "MusLPFREPane", "6", "MusLPGroup", 1)),
    Hidden(9, "eq.pass", {"EQ直通", "EQ pass"}, 1),  // shown by MusEQAllpassBtn
});

constexpr auto kDynamicEq = std::to_array<ParamRow>({Hidden(0)});

constexpr auto kMicrophone = std::to_array<ParamRow>({
    Keyed("input.level", Bar(0, "MicInputGainBar", 40, "MicInputGainPane", "22", "MicInputArea", 0,
                             {"输入电平", "Input Level"})),
    Keyed("feedback",
          Bar(1, "MicFBEBar", 4, "MicFBEPane", "23", "MicInputArea", 1, {"啸叫抑制", "Feedback"})),
    Keyed("gate.level", {"噪声门启动电平", "Noise Gate Threshold"},
          Bar(2, "MicNoiseLevelBar", 60, "MicNoiseLevelPane", "24", "AdvGroupBox16", 0,
              {"启动电平", "Threshold\n"})),
    Keyed("gate.attack", {"噪声门启动时间", "Noise Gate Attack Time"},
          Bar(3, "MicNoiseAttackBar", 19, "MicNoiseAttackPane", "17", "AdvGroupBox16", 1,
              {"启动时间", "Attack Time"})),
    Keyed("gate.release", {"噪声门释放时间", "Noise Gate Release Time"},
          Bar(4, "MicNoiseReleaseBar", 7, "MicNoiseReleasePane", "16", "AdvGroupBox16", 2,
              {"释放时间", "Release Time"})),
    Keyed("limiter.level",
          Bar(5, "MicRmsLevelBar", 34, "MicRmsLevelPane", "25", "AdvGroupBox1", 0, kLimitLevel)),
    Keyed("limiter.attack",
          Bar(6, "MicRmsAttackBar", 19, "MicRmsAttackPane", "17", "AdvGroupBox1", 1, kLimitAttack)),
    Keyed("limiter.release", Bar(7, "MicRmsReleaseBar", 7, "MicRmsReleasePane", "16",
                                 "AdvGroupBox1", 2, kLimitRelease)),
    Keyed("limiter.ratio",
          Bar(8, "MicRmsRatioBar", 40, "MicRmsRatioPane", "15", "AdvGroupBox1", 3, kLimitRatio)),
    Keyed("hp.type", {"高通类型", "HP Type"}, Crossover(9, "MicHPTypeBox", "20", "MicHPGroup", 0)),
    Keyed("hp.freq", {"高通频率", "HP Frequency"},
          Bar(10, "MicHPFreBar", 361, "MicHPFrePane", "6", "MicHPGroup", 1)),
    Keyed("lp.type", {"低通类型", "LP Type"}, Crossover(11, "MicLPTypeBox", "21", "MicLPGroup", 0)),
    Keyed("lp.freq", {"低通频率", "LP Frequency"},
          Bar(12, "MicLPFreBar", 361, "MicLPFrePane", "6", "MicLPGroup", 1)),
    Hidden(13),  // microphone side, written by the side buttons
    Hidden(14, "eq.pass", {"EQ直通", "EQ pass"}, 1),
});

constexpr auto kEcho = std::to_array<ParamRow>({
    Keyed("effect.level", Bar(0, "EchoEffLevelBar", 100, "EchoEffLevelPane", "8", "EchoArea", 0,
                              {"回声音量", "Echo Effect Vol"})),
    Keyed("effect.phase", {"回声音量相位", "Echo Effect Phase"},
          Phase(1, "EchoEffPhaseBtn", "EchoArea", 0)),
    Keyed("direct.level", Bar(2, "EchoDirectLevelBar", 100, "EchoDirectLevelPane", "8", "EchoArea",
                              1, {"回声直达声", "Echo Direct Vol"})),
    Keyed("direct.phase", {"回声直达声相位", "Echo Direct Phase"},
          Phase(3, "EchoDirectPhaseBtn", "EchoArea", 1)),
    Keyed("predelay", Bar(4, "EchoPreDelayBar", 250, "EchoPreDelayPane", "26", "EchoArea", 2,
                          {"回声预延时", "Echo Pre-Delay"})),
    Keyed("delay", Bar(5, "EchoTimeBar", 250, "EchoTimePane", "11", "EchoArea", 3,
                       {"回声延时", "Echo Delay"})),
    Keyed("repeat", Bar(6, "EchoRepeatBar", 90, "EchoRepeatPane", "8", "EchoArea", 4,
                        {"回声重复比率", "Echo Repeat"})),
    Keyed("right.predelay", Bar(7, "EchoRPreDelayBar", 50, "EchoRPreDelayPane", "8", "EchoArea", 5,
                                {"右通道预延时", "Right Pre-delay"})),
    Keyed("right.delay", Bar(8, "EchoRTimeBar", 100, "EchoRTimePane", "10", "EchoArea", 6,
                             {"右通道延时", "Right delay"})),
    Keyed("hp.type", {"高通类型", "HPF Type"},
          Crossover(9, "EchoHPTypeBox", "20", "EchoLHPGroup", 0, kHighPass)),
    Keyed("hp.freq", {"高通频率", "HPF Frequency"},
          Bar(10, "EchoHPFreBar", 361, "EchoHPFrePane", "6", "EchoLHPGroup", 1)),
    Keyed("lp.type", {"低通类型", "LPF Type"},
          Crossover(11, "EchoLPTypeBox", "21", "EchoLHPGroup", 2, kLowPass)),
    Keyed("lp.freq", {"低通频率", "LPF Frequency"},
          Bar(12, "EchoLPFreBar", 361, "EchoLPFrePane", "6", "EchoLHPGroup", 3)),
    Hidden(13, "eq.pass", {"EQ直通", "EQ pass"}, 1),
});

constexpr auto kReverb = std::to_array<ParamRow>({
    Keyed("effect.level", Bar(0, "RvbEffLevelBar", 100, "RvbEffLevelPane", "8", "RvbArea", 0,
                              {"混响音量", "Echo Effect Vol"})),
    Keyed("effect.phase", {"混响音量相位", "Rvb Effect Phase"},
          Phase(1, "RvbEffPhaseBtn", "RvbArea", 0)),
    Keyed("direct.level", Bar(2, "RvbDirectLevelBar", 100, "RvbDirectLevelPane", "8", "RvbArea", 1,
                              {"混响直达声", "Rvb Direct Vol"})),
    Keyed("direct.phase", {"混响直达声相位", "Rvb Direct Phase"},
          Phase(3, "RvbDirectPhaseBtn", "RvbArea", 1)),
    Keyed("predelay", Bar(4, "RvbPreDelayBar", 100, "RvbPreDelayPane", "11", "RvbArea", 2,
                          {"混响预延时", "Rvb PreDelay"})),
    Keyed("time",
          Bar(5, "RvbTimeBar", 80, "RvbTimePane", "12", "RvbArea", 3, {"混响时间", "Rvb Time"})),
    Keyed("hp.type", {"高通类型", "HPF Type"},
          Crossover(6, "RvbHPTypeBox", "20", "RvbLHPGroup", 0, kHighPass)),
    Keyed("hp.freq", {"高通频率", "HPF Frequency"},
          Bar(7, "RvbHPFreBar", 361, "RvbHPFrePane", "6", "RvbLHPGroup", 1)),
    Keyed("lp.type", {"低通类型", "LPF Type"},
          Crossover(8, "RvbLPTypeBox", "21", "RvbLHPGroup", 2, kLowPass)),
    Keyed("lp.freq", {"低通频率", "LPF Frequency"},
          Bar(9, "RvbLPFreBar", 361, "RvbLPFrePane", "6", "RvbLHPGroup", 3)),
    Hidden(10, "eq.pass", {"EQ直通", "EQ pass"}, 1),
});

constexpr auto kOutput = std::to_array<ParamRow>({
    Keyed("music.level", Bar(0, "MainMusLevelBar", 200, "MainMusLevelPane", "9", "OutLevelGroup", 0,
                             {"音乐电平", "Music Level"})),
    Keyed("music.phase", {"音乐相位", "Music Phase"},
          Phase(1, "MainMusPhaseBtn", "OutLevelGroup", 0)),
    Keyed("mic.level", Bar(2, "MainMicLevelBar", 200, "MainMicLevelPane", "9", "OutLevelGroup", 1,
                           {"麦克风电平", "Mic Level"})),
    Keyed("mic.phase", {"麦克风相位", "Mic Phase"},
          Phase(3, "MainMicPhaseBtn", "OutLevelGroup", 1)),
    Keyed("echo_a.level", Bar(4, "MainEchoALevelBar", 200, "MainEchoALevelPane", "9",
                              "OutLevelGroup", 2, {"回声A效果电平", "EchoA Level"})),
    Keyed("echo_a.phase", {"回声A效果相位", "EchoA Phase"},
          Phase(5, "MainEchoAPhaseBtn", "OutLevelGroup", 2)),
    Keyed("echo_b.level", Bar(6, "MainEchoBLevelBar", 200, "MainEchoBLevelPane", "9",
                              "OutLevelGroup", 3, {"回声B效果电平", "EchoB Level"})),
    Keyed("echo_b.phase", {"回声B效果相位", "EchoB Phase"},
          Phase(7, "MainEchoBPhaseBtn", "OutLevelGroup", 3)),
    Keyed("reverb.level", Bar(8, "MainRvbLevelBar", 200, "MainRvbLevelPane", "9", "OutLevelGroup",
                              4, {"混响效果电平", "Rvb Effect Vol"})),
    Keyed("reverb.phase", {"混响效果相位", "Rvb Effect Phase"},
          Phase(9, "MainRvbPhaseBtn", "OutLevelGroup", 4)),
    Keyed("delay", {"延时", "Delay"},
          Bar(10, "MainLdelayBar", 500, "MainLdelayPane", "18", "OutDelayArea", 0,
              {"左通道延时 ", "Left Delay"}, "OutLDelayLabel")),
    Keyed("mute", {"静音", "Mute"}, Mute(11, "MainLmuteBtn", {"左静音", "L Mute"}, kLeftMutePlace)),
    Keyed("limiter.level", Bar(12, "MainRmsLevelBar", 34, "MainRmsLevelPane", "14",
                               "OutLimiteGroup", 0, kLimitLevel)),
    Keyed("limiter.attack", Bar(13, "MainRmsAttackBar", 19, "MainRmsAttackPane", "17",
                                "OutLimiteGroup", 1, kLimitAttack)),
    Keyed("limiter.release", Bar(14, "MainRmsReleaseBar", 7, "MainRmsReleasePane", "16",
                                 "OutLimiteGroup", 2, kLimitRelease)),
    Keyed("limiter.ratio", Bar(15, "MainRmsRatioBar", 40, "MainRmsRatioPane", "15",
                               "OutLimiteGroup", 3, kLimitRatio)),
    Keyed("hp.type", {"高通类型", "HPF Type"},
          Crossover(16, "MainHPTypeBox", "20", "OutLHPGroup", 0, kHighPass)),
    Keyed("hp.freq", {"高通频率", "HPF Frequency"},
          Bar(17, "MainMusHPFreBar", 361, "MainMusHPFrePane", "6", "OutLHPGroup", 1)),
    Keyed("lp.type", {"低通类型", "LPF Type"},
          Crossover(18, "MainLPTypeBox", "21", "OutLHPGroup", 2, kLowPass)),
    Keyed("lp.freq", {"低通频率", "LPF Frequency"},
          Bar(19, "MainMusLPFreBar", 361, "MainMusLPFrePane", "6", "OutLHPGroup", 3)),
    Hidden(20, "eq.pass", {"EQ直通", "EQ pass"}, 1),
});

// The right side of the stereo outputs: main (page 9) and surround (page 15) share the same
// three controls, which the page refresh re-addresses to the side shown.
constexpr ParamRow kRightDelay = Bar(10, "MainRdelayBar", 500, "MainRdelayPane", "18",
                                     "OutDelayArea", 1, {"右通道延时 ", "Right Delay"}, "Label157");
constexpr ParamRow kRightMute = Mute(11, "MainRmuteBtn", {"右静音", "R Mute"}, kRightMutePlace);

constexpr auto kMainRight = std::to_array<ParamRow>({kRightDelay, kRightMute});
constexpr auto kSurroundRight =
    std::to_array<ParamRow>({BoundOnly(kRightDelay), BoundOnly(kRightMute)});

constexpr auto kHint = std::to_array<ParamRow>({Hidden(0)});

constexpr auto kVolumes = std::to_array<ParamRow>({
    Keyed("mic.volume", VolumeBar(0, "SysMicNormalVolBar", "0", "SysMicNormalVolPane", "MicVolArea",
                                  0, {"话筒音量", "Mic Vol"})),
    Keyed("music.volume", VolumeBar(1, "SysMusNormalVolBar", "0", "SysMusNormalVolPane",
                                    "MusVolArea", 0, {"音乐音量", "Music Vol"})),
    Keyed("effect.volume", VolumeBar(2, "SysEffNormalVolBar", "0", "SysEffNormalVolPane",
                                     "EffVolArea", 0, {"效果音量", "Effect Vol"})),
    Keyed("mic.volume.start", VolumeBar(3, "SysMicStartVolBar", "1", "SysMicStartVolPane",
                                        "VolLimitArea", 2, {"话筒起始音量", "Initial mic volume"})),
    Keyed("mic.volume.max", VolumeBar(4, "SysMicMaxVolBar", "2", "SysMicMaxVolPane", "VolLimitArea",
                                      3, {"话筒最大音量", "Max mic volume "})),
    Keyed("music.volume.start",
          VolumeBar(5, "SysMusStartVolBar", "1", "SysMusStartVolPane", "VolLimitArea", 0,
                    {"音乐起始音量", "Initial music volume"})),
    Keyed("music.volume.max", VolumeBar(6, "SysMusMaxVolBar", "2", "SysMusMaxVolPane",
                                        "VolLimitArea", 1, {"音乐最大音量", "Max music volume "})),
    Keyed("effect.volume.start",
          VolumeBar(7, "SysEffStartVolBar", "1", "SysEffStartVolPane", "VolLimitArea", 4,
                    {"效果起始音量", "Initial effect volume"})),
    Keyed("effect.volume.max",
          VolumeBar(8, "SysEffMaxVolBar", "2", "SysEffMaxVolPane", "VolLimitArea", 5,
                    {"效果最大音量", "Max effect volume "})),
    // Written by SysVolRunBtn1 and SysVolRunBtn2.
    Hidden(9, "volume.follow", {"音量跟随", "Main volume"}, 1),
});

constexpr auto kSystem = std::to_array<ParamRow>({
    Hidden(0),
    Hidden(1),
    Keyed("system.mode", {"当前模式", "Current Mode"},
          Select(2, "SysModeBox", Items::ModeList, 21, "", "ModeGroup", 0, {"模式", "Mode"})),
    Keyed("music.analog_gain", Select(3, "SysMusInputLevelBox", Items::InputLevel, 2, "",
                                      "MusInputArea", 1, {"模拟增益", "Analog Gain"})),
    // Shown by SysPanelBtn1 and SysPanelBtn2.
    Hidden(4, "system.panel_lock", {"面板键盘自动锁定", "Key panel lock"}, 1),
    Hidden(5),
    Keyed("music.input", Select(20, "SysInputBox", Items::InputSelect, 3, "", "MusInputArea", 0,
                                {"输入选择", "Input"})),
});

constexpr auto kPageTables = std::to_array<PageTable>({
    {0, kMusic},
    {1, kDynamicEq},
    {2, kMicrophone},
    {4, kEcho},
    {5, kReverb},
    {6, kOutput},
    {9, kMainRight},
    {15, kSurroundRight},
    {25, kHint},
    {29, kVolumes},
    {30, kSystem},
});

constexpr auto kEqBandBlocks = std::to_array<EqBandBlock>({
    {.page = 0,
     .prefix = "Mus",
     .spinPrefix = "MusQUpDownBtn",
     .labelPrefix = "MusEQPointLabel",
     .firstSlot = 10,
     .bands = 15,
     .spinField = 3,
     .labelRow = 0,
     .visibleBands = 9,
     .container = "MusBandGroup",
     .scrollBox = "MusScrollBox",
     .scrollBar = "MusPanScrollBar"},
    {.page = 2,
     .prefix = "Mic",
     .spinPrefix = "MIcQUpDownBtn",
     .labelPrefix = "MicEQPointLabel",
     .firstSlot = 15,
     .bands = 20,
     .spinField = 3,
     .labelRow = 1,
     .visibleBands = 8,
     .container = "MicBandGroup",
     .scrollBox = "MicScrollBox",
     .scrollBar = "MicPanScrollBar"},
    {.page = 4,
     .prefix = "Echo",
     .spinPrefix = "EchoQUpDownBtn",
     .labelPrefix = "EffEQPointLabel",
     .firstSlot = 14,
     .bands = 7,
     .spinField = 3,
     .labelRow = 2,
     .visibleBands = 7,
     .container = "EchoBandGroup",
     .scrollBox = "EchoScrollBox"},
    {.page = 5,
     .prefix = "Rvb",
     .spinPrefix = "RvbQUpDownBtn",
     .labelPrefix = "RvbEQPointLabel",
     .firstSlot = 11,
     .bands = 7,
     .spinField = 3,
     .labelRow = 5,
     .visibleBands = 7,
     .container = "RvbBandGroup",
     .scrollBox = "RvbScrollBox"},
    {.page = 6,
     .prefix = "Main",
     .spinPrefix = "MainQUpDownBtn",
     .labelPrefix = "MainEQPointLabel",
     .firstSlot = 21,
     .bands = 10,
     .spinField = 3,
     .labelRow = 3,
     .visibleBands = 5,
     .container = "AdvGroupBox21",
     .scrollBox = "MainScrollBox",
     .scrollBar = "MainPanScrollBar"},
    {.page = 25,
     .prefix = "Hint",
     .spinPrefix = "HintQUpDownBtn",
     .labelPrefix = "HintEQPointLabel",
     .firstSlot = 1,
     .bands = 5,
     .spinField = 4,
     .labelRow = 4,
     .visibleBands = 5,
     .container = "HintBandGroup",
     .scrollBox = "HintScrollBox"},
});

// Limiter rows of a dynamic-EQ band, slots relative to the band's base; the band number is
// appended to every name and container.
constexpr auto kDeqLimiter = std::to_array<ParamRow>({
    Keyed("limiter.level",
          Bar(7, "DEQRmsLevelBar", 60, "DEQRmsLevelPane", "20", "DEQLimitArea", 0, kLimitLevel)),
    Keyed("limiter.attack",
          Bar(8, "DEQRmsAttackBar", 19, "DEQRmsAttackPane", "17", "DEQLimitArea", 1, kLimitAttack)),
    Keyed("limiter.release", Bar(9, "DEQRmsReleaseBar", 7, "DEQRmsReleasePane", "16",
                                 "DEQLimitArea", 2, kLimitRelease)),
    Keyed("limiter.ratio",
          Bar(10, "DEQRmsRatioBar", 40, "DEQRmsRatioPane", "15", "DEQLimitArea", 3, kLimitRatio)),
});

constexpr DeqBandBlock kDeqBlock{.page = 1, .bands = 3, .bandStep = 10, .limiterRows = kDeqLimiter};

}  // namespace

std::span<const PageTable> PageTables() {
    return kPageTables;
}

std::span<const EqBandBlock> EqBandBlocks() {
    return kEqBandBlocks;
}

const DeqBandBlock& DynamicEqBlock() {
    return kDeqBlock;
}

}  // namespace zt::catalogue
