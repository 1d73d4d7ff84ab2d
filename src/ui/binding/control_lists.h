#pragma once
// The fixed control lists that handlers index by a tag, a side, a scene or a band: resolved
// once from the registry by BindControls. The window builds the tab buttons (tool buttons),
// the side and scene buttons (bitmap buttons) before binding runs.

#include <QString>
#include <array>

namespace zt {

class BandNumberLabel;
class BitmapButton;
class SwappingToolButton;

inline constexpr int kBandLabelRows = 9;  // one per EQ family (PageKind); 5 is the reverb's
inline constexpr int kBandLabelColumns = 22;

struct ControlLists {
    std::array<SwappingToolButton*, 10> tabButtons{};    // index = the button's tag
    std::array<SwappingToolButton*, 3> effectButtons{};  // echo A, echo B, reverb
    std::array<SwappingToolButton*, 3> hintButtons{};    // music, MIC A, MIC B
    std::array<std::array<BandNumberLabel*, kBandLabelColumns>, kBandLabelRows> bandLabels{};
    std::array<BitmapButton*, 4> modeButtons{};
    std::array<BitmapButton*, 6> factoryButtons{};
    std::array<BitmapButton*, 3> sideButtons{};   // index = side 0 left, 1 together, 2 right
    std::array<BitmapButton*, 3> sceneButtons{};  // index = scene 0 sing, 1 disco, 2 decode
};

// Names of the list entries, in list order.
inline constexpr std::array<const char*, 10> kTabButtonNames{
    "FormMusTabBtn",  "FormDYNBtn",    "FormMICATabBtn", "FormMICBTabBtn", "FormEFFTabBtn",
    "FormMAINTabBtn", "FormSURTabBtn", "FormCENTabBtn",  "FormSUBTabBtn",  "FormHintTabBtn"};
inline constexpr std::array<const char*, 3> kEffectButtonNames{"EchoAToolButton", "EchoBToolButton",
                                                               "RvbToolButton"};
inline constexpr std::array<const char*, 3> kHintButtonNames{"HintMusBtn", "HintMicABtn",
                                                             "HintMicBBtn"};
inline constexpr std::array<const char*, 4> kModeButtonNames{"SysModeBtn1", "SysModeBtn2",
                                                             "SysModeBtn3", "SysModeBtn4"};
inline constexpr std::array<const char*, 6> kFactoryButtonNames{"SysFactoryBtn",  "SysFactoryBtn2",
                                                                "SysFactoryBtn3", "SysFactoryBtn4",
                                                                "SysFactoryBtn5", "SysFactoryBtn6"};
inline constexpr std::array<const char*, 3> kSideButtonNames{"LeftBtn", "SameBtn", "RightBtn"};
inline constexpr std::array<const char*, 3> kSceneButtonNames{"SingModeBtn", "DiscoModeBtn",
                                                              "CodeModeBtn"};

}  // namespace zt
