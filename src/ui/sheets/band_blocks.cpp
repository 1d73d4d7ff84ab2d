// The EQ band boxes and the dynamic-EQ band panels: one column of controls per band, built
// from the band block tables of the catalogue.
#include <QScrollBar>

#include "params/param_address.h"
#include "ui/catalogue/band_names.h"
#include "ui/catalogue/page_tables.h"
#include "ui/sheets/band_strip_fit.h"
#include "ui/sheets/layout_tables.h"
#include "ui/sheets/sheet_builder.h"
#include "ui/sheets/sheet_frame.h"
#include "ui/widgets/band_number_label.h"
#include "ui/widgets/band_scroll_box.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"
#include "ui/widgets/type_label.h"

namespace zt::sheets {

using catalogue::EqBandBlock;
using catalogue::Items;

namespace {

// Rows of a band column, top to bottom.
constexpr int kNumberTop = 1;
constexpr int kTypeLabelTop = 19;
constexpr int kTypeLabelStep = 27;
constexpr QSize kTypeLabelSize{24, 22};
// Type labels are drawn a pixel in from the column's edge; binding sets them on the edge.
constexpr int kTypeLabelDesignLeft = 2;
constexpr QRect kGainBarRect{29, 17, 34, 108};
constexpr int kModeBoxTop = 128;
constexpr int kFrequencyTop = 150;
constexpr int kGainTop = 169;
constexpr int kQTop = 188;
constexpr int kEditHeight = 18;
constexpr int kZeroDecibelStep = 120;
constexpr int kGainSteps = 180;

struct Legend {
    const char* suffix;
    catalogue::Text text;
    int top;
    int height;
};
constexpr Legend kLegends[] = {
    {"TypeLegend", {"类型", "Type"}, kModeBoxTop, 20},
    {"FreLegend", {"频率", "Hz"}, kFrequencyTop, kEditHeight},
    {"GainLegend", {"增益", "Gain"}, kGainTop, kEditHeight},
    {"QLegend", {"Q值", "Q"}, kQTop, kEditHeight},
};

TrackBar* MakeGainBar(QWidget* parent) {
    auto* bar = new TrackBar(Qt::Vertical, parent);
    bar->setRange(0, kGainSteps);
    bar->setLook(TrackBar::Look::Gain);
    bar->setFillOrigin(kZeroDecibelStep);
    return bar;
}

}  // namespace

void SheetBuilder::BuildEqBandBlocks() {
    for (const EqBandBlock& block : catalogue::EqBandBlocks()) {
        if (containerStyles_.contains(block.container)) {
            BuildBandBlock(block, Parent(block.container));
        }
    }
}

void SheetBuilder::BuildBandBlock(const EqBandBlock& block, QWidget* container) {
    if (auto* frame = qobject_cast<SheetFrame*>(container)) frame->setFramed(true);
    const QString prefix = block.prefix;
    for (const Legend& legend : kLegends) {
        auto* label = Named(new SwappingLabel(legend.text.chinese, legend.text.english, container),
                            prefix + legend.suffix);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(0, legend.top + 2, kBandLegendWidth - 4, legend.height);
    }
    const int visibleWidth = block.visibleBands * kBandColumnWidth;
    auto* box = Named(new BandScrollBox(container), block.scrollBox);
    box->setGeometry(kBandLegendWidth, 2, visibleWidth, kBandColumnHeight);
    box->strip()->resize(block.bands * kBandColumnWidth, kBandColumnHeight);
    if (block.scrollBar) {
        auto* scrollBar = Named(new QScrollBar(Qt::Horizontal, container), block.scrollBar);
        scrollBar->setRange(0, block.bands - block.visibleBands);
        scrollBar->setPageStep(1);
        scrollBar->setGeometry(kBandLegendWidth, kBandColumnHeight + 4, visibleWidth, 14);
        new BandStripFit(container, box, scrollBar, block.bands, block.visibleBands);
    }
    for (int band = 1; band <= block.bands; ++band) BuildBandColumn(block, band, box->strip());
}

void SheetBuilder::BuildBandColumn(const EqBandBlock& block, int band, QWidget* strip) {
    const catalogue::EqBandNames names = catalogue::NamesOfBand(block, band);
    auto* column = new BandColumn(strip);
    column->setGeometry((band - 1) * kBandColumnWidth, 0, kBandColumnWidth, kBandColumnHeight);

    // The number label finds the band's frequency edit: page in the tag, the first band's
    // frequency slot in the hint.
    auto* number = Named(new BandNumberLabel(band, column), names.numberLabel);
    number->setTag(block.page);
    number->setHint(QString::number(block.firstSlot + 1));
    number->setGeometry(2, kNumberTop, kBandColumnWidth - 4, 16);

    for (int i = 0; i < 4; ++i) {
        auto* type =
            Named(new TypeLabel(catalogue::kTypeLabelCaptions[i], column), names.typeLabels[i]);
        type->setGeometry(QRect(QPoint(kTypeLabelDesignLeft, kTypeLabelTop + i * kTypeLabelStep),
                                kTypeLabelSize));
    }
    Named(MakeGainBar(column), names.gainBar)->setGeometry(kGainBarRect);

    auto* mode = Named(new Selector(catalogue::ItemTexts(Items::BandType), column), names.modeBox);
    GiveValueKind(mode, "1");
    mode->setGeometry(1, kModeBoxTop, kBandColumnWidth - 2, 20);

    auto* frequency = Named(new ValueEdit(column), names.frequencyEdit);
    GiveValueKind(frequency, "2");
    frequency->setGeometry(1, kFrequencyTop, kBandColumnWidth - 2, kEditHeight);
    auto* gain = Named(new ValueEdit(column), names.gainEdit);
    GiveValueKind(gain, "3");
    gain->setGeometry(1, kGainTop, kBandColumnWidth - 2, kEditHeight);
    auto* q = Named(new ValueEdit(column), names.qEdit);
    GiveValueKind(q, "4");
    q->setGeometry(1, kQTop, kBandColumnWidth - 19, kEditHeight);
    Named(new SpinButtons(column), names.qSpin)
        ->setGeometry(kBandColumnWidth - 17, kQTop, 15, kEditHeight);
}

// ---- Dynamic EQ ----

namespace {

constexpr int kDeqPanelWidth = 308;
constexpr int kDeqPanelStep = 312;
constexpr RowStyle kDeqLimiterRows = RowsCaptionAbove(0, 0, 42, 18, 98, 52, 20);
constexpr catalogue::Text kTriggerCaptions[3] = {
    {"关闭", "Off"}, {"低启动", "Below"}, {"高启动", "Above"}};

}  // namespace

void SheetBuilder::BuildDynamicEqBands(QWidget* sheet) {
    const catalogue::DeqBandBlock& block = catalogue::DynamicEqBlock();
    for (int band = 1; band <= block.bands; ++band) BuildDeqBand(band, sheet);
    for (int band = 1; band <= block.bands; ++band) {
        for (const catalogue::ParamRow& row : block.limiterRows) {
            const catalogue::DeqLimiterNames names = catalogue::NamesOfDeqLimiterRow(row, band);
            PlaceRow(row, block.page, {names.bar, names.pane, names.caption},
                     Parent(names.container), containerStyles_.value(names.container));
        }
    }
}

void SheetBuilder::BuildDeqBand(int band, QWidget* sheet) {
    const catalogue::DeqBandNames names = catalogue::NamesOfDeqBand(band);
    const QString n = QString::number(band);
    auto* panel = Named(new SheetFrame(sheet), "DEQBandGroup" + n);
    panel->setFramed(true);
    panel->setGeometry(4 + (band - 1) * kDeqPanelStep, 4, kDeqPanelWidth, 224);

    auto* number = Named(new BandNumberLabel(band, panel), names.numberLabel);
    number->setTag(catalogue::DynamicEqBlock().page);
    number->setHint("3");
    number->setGeometry(6, 4, 24, 18);
    Named(new SwappingLabel("动态均衡工作类型", "DEQ Work Type", panel), "DEQWorkTypeLabel" + n)
        ->setGeometry(36, 4, 200, 18);

    BuildDeqTrigger(names, panel);
    BuildDeqEq(names, band, panel);

    auto* limiter = Named(new SheetFrame(panel), "DEQLimitArea" + n);
    limiter->setGeometry(152, 56, 152, 166);
    AddContainer(limiter, kDeqLimiterRows);
}

void SheetBuilder::BuildDeqTrigger(const catalogue::DeqBandNames& names, QWidget* panel) {
    // The trigger buttons carry their trigger code as form tag; the hidden selector holds
    // the slot's value.
    auto* trigger =
        Named(new Selector(catalogue::ItemTexts(Items::DeqTrigger), panel), names.triggerBox);
    GiveValueKind(trigger, "1");
    trigger->setGeometry(6, 26, 96, 22);
    trigger->hide();
    for (int i = 0; i < 3; ++i) {
        auto* button =
            Named(new BitmapButton(kTriggerCaptions[i].chinese, panel), names.triggerButtons[i]);
        button->setTag(i);
        button->setHint("0");
        button->setGeometry(6 + i * 100, 26, 96, 24);
    }
}

void SheetBuilder::BuildDeqEq(const catalogue::DeqBandNames& names, int band, QWidget* panel) {
    const QString n = QString::number(band);
    for (int i = 0; i < 4; ++i) {
        Named(new TypeLabel(catalogue::kTypeLabelCaptions[i], panel), names.typeLabels[i])
            ->setGeometry(6 + i * 26, 58, 24, 20);
    }
    auto* typeLegend = Named(new SwappingLabel("类型", "Type", panel), "DEQTypeLegend" + n);
    typeLegend->setGeometry(6, 84, 34, 20);
    auto* mode =
        Named(new Selector(catalogue::ItemTexts(Items::DeqBandType), panel), names.modeBox);
    GiveValueKind(mode, "1");
    mode->setGeometry(40, 84, 66, 20);

    struct EditRow {
        const char* legend;
        catalogue::Text text;
        const QString& name;
        const char* kind;
        int top;
    };
    const EditRow edits[] = {
        {"DEQFreLegend", {"频率", "Hz"}, names.frequencyEdit, "2", 110},
        {"DEQGainLegend", {"增益", "Gain"}, names.gainEdit, "3", 134},
        {"DEQQLegend", {"Q值", "Q"}, names.qEdit, "4", 158},
    };
    for (const EditRow& row : edits) {
        Named(new SwappingLabel(row.text.chinese, row.text.english, panel), row.legend + n)
            ->setGeometry(6, row.top, 34, 20);
        auto* edit = Named(new ValueEdit(panel), row.name);
        GiveValueKind(edit, row.kind);
        edit->setGeometry(40, row.top, row.name == names.qEdit ? 49 : 66, 20);
    }
    Named(new SpinButtons(panel), names.qSpin)->setGeometry(91, 158, 15, 20);

    auto* gainBar = Named(MakeGainBar(panel), names.gainBar);
    gainBar->setGeometry(112, 56, 30, 150);
}

}  // namespace zt::sheets
