#pragma once
// The strip above the pages: the ten page tabs, the language button at the strip's right end
// beside the link status label, the link buttons, the hidden port list and the focus sink
// Examplexx.

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <array>

#include "ui/state/channel_state.h"
#include "ui/widgets/control_registry.h"

namespace zt {

class LinkLookButton;
class SwappingLabel;
class SwappingToolButton;

struct TabStrip {
    QWidget* strip = nullptr;
    std::array<SwappingToolButton*, kTabCount> tabs{};  // by tag
    SwappingToolButton* languageButton = nullptr;       // RzToolButton11
    SwappingLabel* linkLabel = nullptr;
    LinkLookButton* linkBtn = nullptr;
    LinkLookButton* unLinkBtn = nullptr;  // shares LinkBtn's handler; not shown
    QComboBox* comComboBox1 = nullptr;    // the serial port names, hidden
    QLineEdit* examplexx = nullptr;       // takes the focus after a page switch, out of sight
};

struct TabInfo {
    const char* name;
    const char* chinese;
    const char* english;
};

// The tab buttons by tag.
extern const std::array<TabInfo, kTabCount> kTabButtons;

TabStrip BuildTabStrip(QWidget* parent, ControlRegistry& registry);

// Puts Examplexx, the edit that takes the focus after a page switch, just left of the strip's
// visible part. The page builders may have made it already; otherwise it is made here.
void PlaceFocusSink(TabStrip& strip, ControlRegistry& registry);

// Places the tabs evenly spaced for the captions of the current language, and the language
// button, the link label and the link button at the right end; runs again after a language
// switch.
void LayOutTabStrip(const TabStrip& strip);

}  // namespace zt
