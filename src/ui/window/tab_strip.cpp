#include "ui/window/tab_strip.h"

#include <QFontMetrics>
#include <algorithm>

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
constexpr int kTabMinWidth = 62;
constexpr int kTabPadding = 24;
constexpr int kTabHeight = 26;
constexpr int kLinkButtonWidth = 80;
constexpr int kLinkLabelWidth = 88;

template <typename T>
T* Registered(T* control, const char* name, ControlRegistry& registry) {
    control->setObjectName(QString::fromLatin1(name));
    registry.Add(control);
    return control;
}

// Wide enough for the caption in either language.
int TabWidth(const SwappingToolButton* tab) {
    const QFontMetrics metrics(tab->font());
    const int text =
        std::max(metrics.horizontalAdvance(tab->text()), metrics.horizontalAdvance(tab->hint()));
    return std::max(kTabMinWidth, text + kTabPadding);
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
        tab->resize(TabWidth(tab), kTabHeight);
        t.tabs[tag] = tab;
    }
    t.tabs[kTabHint]->hide();  // shown by the access code

    t.languageButton = Registered(
        new SwappingToolButton(QStringLiteral("English"), QStringLiteral("中文"), t.strip),
        "RzToolButton11", registry);
    t.languageButton->resize(TabWidth(t.languageButton), kTabHeight);
    t.languageButton->hide();

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
    for (SwappingToolButton* tab : t.tabs) {
        tab->move(x, y);
        x += tab->width() + 2;
    }
    const int right = t.strip->width() - 8;
    t.linkBtn->move(right - kLinkButtonWidth, y + 1);
    t.unLinkBtn->move(t.linkBtn->pos());
    t.linkLabel->move(t.linkBtn->x() - 8 - kLinkLabelWidth, y);
    t.languageButton->move(t.linkLabel->x() - t.languageButton->width() - 4, y);
}

}  // namespace zt
