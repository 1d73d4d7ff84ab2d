#include "ui/window/tab_strip.h"

#include <QFontMetrics>

#include "ui/widgets/look.h"
#include "ui/widgets/swapping.h"
#include "ui/window/window_chrome.h"

namespace zt {

const std::array<TabInfo, kTabCount> kTabButtons{{
    {"FormMusTabBtn", "音乐", "Music"},
    {"FormDYNBtn", "动态均衡", "Dynamic EQ"},
    {"FormMICATabBtn", "麦克A", "MIC A"},
    {"FormMICBTabBtn", "麦克B", "MIC B"},
    {"FormEFFTabBtn", "效果", "Effect"},
    {"FormMAINTabBtn", "主输出", "Main"},
    {"FormSURTabBtn", "环绕", "Surround"},
    {"FormCENTabBtn", "中置", "Center"},
    {"FormSUBTabBtn", "超低音", "SUB"},
    {"FormHintTabBtn", "隐藏", "Hint"},
}};

namespace {

constexpr int kTabLeft = 6;
constexpr int kTabPadding = 20;
constexpr int kTabGap = 2;
constexpr int kTabHeight = 26;
constexpr int kLinkButtonWidth = 80;
constexpr int kLinkLabelWidth = 88;

// The caption of the current language with the same air on either side, so that the captions
// of the strip stand evenly spaced in both languages.
int TabWidth(const SwappingToolButton* tab) {
    return QFontMetrics(tab->font()).horizontalAdvance(tab->text()) + kTabPadding;
}

}  // namespace

TabStrip BuildTabStrip(QWidget* parent, ControlRegistry& registry) {
    TabStrip t;
    t.strip = new QWidget(parent);

    for (int tag = 0; tag < kTabCount; ++tag) {
        const TabInfo& info = kTabButtons[tag];
        auto* tab = new SwappingToolButton(QString::fromUtf8(info.chinese),
                                           QString::fromUtf8(info.english), t.strip);
        Registered(tab, info.name, registry);
        tab->setTag(tag);
        t.tabs[tag] = tab;
    }
    t.tabs[kTabHint]->hide();  // shown by the access code

    t.languageButton = Registered(
        new SwappingToolButton(QStringLiteral("English"), QStringLiteral("中文"), t.strip),
        "RzToolButton11", registry);

    t.linkLabel = Registered(
        new SwappingLabel(QStringLiteral("设备未连接"), QStringLiteral("Off Line"), t.strip),
        "LinkLabel", registry);
    t.linkLabel->setFont(look::Font(look::kNormalText, true));
    t.linkLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    t.linkLabel->resize(kLinkLabelWidth, kTabHeight);

    t.linkBtn =
        Registered(new LinkLookButton(QStringLiteral("联机"), t.strip), "LinkBtn", registry);
    t.linkBtn->resize(kLinkButtonWidth, kTabHeight - 2);
    t.unLinkBtn =
        Registered(new LinkLookButton(QStringLiteral("断开"), t.strip), "UnLinkBtn", registry);
    t.unLinkBtn->resize(kLinkButtonWidth, kTabHeight - 2);
    t.unLinkBtn->hide();

    t.comComboBox1 = Registered(new QComboBox(t.strip), "ComComboBox1", registry);
    t.comComboBox1->hide();
    return t;
}

void PlaceFocusSink(TabStrip& t, ControlRegistry& registry) {
    t.examplexx = qobject_cast<QLineEdit*>(registry.Find(QStringLiteral("Examplexx")));
    if (!t.examplexx) t.examplexx = Registered(new QLineEdit(t.strip), "Examplexx", registry);
    // Left of the strip's visible part, so that it can hold the focus without being seen.
    t.examplexx->setParent(t.strip);
    t.examplexx->setGeometry(-200, 0, 60, 20);
    t.examplexx->show();
}

void LayOutTabStrip(const TabStrip& t) {
    const int y = (t.strip->height() - kTabHeight) / 2;
    int x = kTabLeft;
    // The hidden Hint tab keeps its place at the end, where the access code shows it.
    for (SwappingToolButton* tab : t.tabs) {
        tab->setGeometry(x, y, TabWidth(tab), kTabHeight);
        x += tab->width() + kTabGap;
    }
    const int right = t.strip->width() - 8;
    t.linkBtn->move(right - kLinkButtonWidth, y + 1);
    t.unLinkBtn->move(t.linkBtn->pos());
    t.linkLabel->move(t.linkBtn->x() - 8 - kLinkLabelWidth, y);
    const int languageWidth = TabWidth(t.languageButton);
    t.languageButton->setGeometry(t.linkLabel->x() - languageWidth - 4, y, languageWidth,
                                  kTabHeight);
}

}  // namespace zt
