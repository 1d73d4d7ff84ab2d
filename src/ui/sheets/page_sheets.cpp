#include "ui/sheets/page_sheets.h"

#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <cmath>

#include "eqgraph/drag_rules.h"
#include "ui/sheets/layout_tables.h"
#include "ui/sheets/sheet_builder.h"
#include "ui/widgets/control_registry.h"
#include "ui/widgets/look.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"

namespace zt {

namespace {

SwappingSheet* MakeSheet(const sheets::SheetSpec& plan, sheets::SheetBuilder& builder) {
    auto* sheet = builder.Named(new SwappingSheet(QString::fromUtf8(plan.caption.chinese),
                                                  QString::fromUtf8(plan.caption.english)),
                                plan.name);
    builder.AddContainer(sheet);
    return sheet;
}

}  // namespace

void BuildPageSheets(QStackedWidget* formPageItem, ControlRegistry& registry) {
    sheets::SheetBuilder builder(registry);
    for (const sheets::SheetSpec& plan : sheets::PageSheetSpecs()) {
        SwappingSheet* sheet = MakeSheet(plan, builder);
        formPageItem->insertWidget(plan.index, sheet);
        builder.BuildItems(plan.items);
        if (plan.index == kDynamicEqSheet) builder.BuildDynamicEqBands(sheet);
    }
    builder.PlaceParamRows();
    builder.BuildEqBandBlocks();

    // The hidden edit that stands for every slot without a visible control of its own.
    auto* example = builder.Named(new ValueEdit(formPageItem), "Example");
    sheets::GiveValueKind(example, "0");
    example->hide();
    // A page switch parks the keyboard focus here, outside the visible area, so that no
    // visible control keeps it.
    auto* parking = builder.Named(new ParkingEdit(formPageItem), "Examplexx");
    parking->setGeometry(-200, -200, 20, 20);
}

namespace {

// The range markers of a volume group travel at left = position x 1.89 + 53 over the group's
// normal volume bar; the bar is laid so that its thumb's centre follows the same scale.
constexpr double kMarkerStep = 1.89;
constexpr int kMarkerOrigin = 53;
constexpr int kMarkerHalf = 4;
constexpr int kVolumeSteps = 84;

void AlignVolumeScale(const ControlRegistry& registry, const QString& bar, const QString& pane) {
    auto* volume = registry.Get<TrackBar>(bar);
    auto* value = registry.Get<StatusPane>(pane);
    const int thumb = volume->ThumbLength();
    const int travel = static_cast<int>(std::lround(kVolumeSteps * kMarkerStep));
    const QRect g = volume->geometry();
    volume->setGeometry(kMarkerOrigin + kMarkerHalf - thumb / 2, g.y(), travel + thumb, g.height());
    const int paneLeft = volume->geometry().right() + 3;
    value->setGeometry(paneLeft, g.y(), kRightColumnSize.width() - 6 - paneLeft, g.height());
}

}  // namespace

void BuildRightColumn(QTabWidget* advPageControl1, ControlRegistry& registry) {
    sheets::SheetBuilder builder(registry);
    for (const sheets::SheetSpec& plan : sheets::RightColumnSpecs()) {
        SwappingSheet* sheet = MakeSheet(plan, builder);
        advPageControl1->insertTab(plan.index, sheet, sheet->caption());
        builder.BuildItems(plan.items);
    }
    builder.PlaceParamRows();
    // The three sheet names must fit the column's width in either language.
    QTabBar* tabs = advPageControl1->tabBar();
    tabs->setFont(look::Font(look::kNormalText));
    tabs->setUsesScrollButtons(false);
    tabs->setStyleSheet("QTabBar::tab { padding: 4px 5px; }");
    AlignVolumeScale(registry, "SysMusNormalVolBar", "SysMusNormalVolPane");
    AlignVolumeScale(registry, "SysMicNormalVolBar", "SysMicNormalVolPane");
    AlignVolumeScale(registry, "SysEffNormalVolBar", "SysEffNormalVolPane");
}

}  // namespace zt
