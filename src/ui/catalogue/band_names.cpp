#include "ui/catalogue/band_names.h"

namespace zt::catalogue {

namespace {

QString Numbered(const QString& stem, int number) {
    return stem + QString::number(number);
}

}  // namespace

EqBandNames NamesOfBand(const EqBandBlock& block, int band) {
    const QString x = block.prefix;
    return EqBandNames{
        .numberLabel = Numbered(block.labelPrefix, band),
        .modeBox = Numbered(x + "ModeBox", band),
        .typeLabels = {Numbered(x + "BYBtn", band), Numbered(x + "PEQBtn", band),
                       Numbered(x + "LSQBtn", band), Numbered(x + "HSQBtn", band)},
        .frequencyEdit = Numbered(x + "FreEdit", band),
        .gainEdit = Numbered(x + "GainEdit", band),
        .gainBar = Numbered(x + "EQGainBar", band),
        .qEdit = Numbered(x + "QEdit", band),
        .qSpin = Numbered(block.spinPrefix, band),
    };
}

DeqBandNames NamesOfDeqBand(int band) {
    return DeqBandNames{
        .numberLabel = Numbered("DEQPointLabel", band),
        .triggerBox = Numbered("DEQTypeBox", band),
        .triggerButtons = {Numbered("DEQTYpeOffBtn", band), Numbered("DEQTYpeBelowBtn", band),
                           Numbered("DEQTYpeAboveBtn", band)},
        .modeBox = Numbered("DEQModeBox", band),
        .typeLabels = {Numbered("DEQBYBtn", band), Numbered("DEQPEQBtn", band),
                       Numbered("DEQLEQBtn", band), Numbered("DEQHEQBtn", band)},
        .frequencyEdit = Numbered("DEQFreEdit", band),
        .gainEdit = Numbered("DEQGainEdit", band),
        .gainBar = Numbered("DEQGainBar", band),
        .qEdit = Numbered("DEQQEdit", band),
        .qSpin = Numbered("DEQQUpDownBtn", band),
    };
}

DeqLimiterNames NamesOfDeqLimiterRow(const ParamRow& row, int band) {
    const QString bar = Numbered(row.name, band);
    return DeqLimiterNames{
        .bar = bar,
        .pane = row.pane ? Numbered(row.pane, band) : QString(),
        .container = row.container ? Numbered(row.container, band) : QString(),
        .caption = bar + "Caption",
    };
}

QString CaptionNameOf(const ParamRow& row) {
    return row.captionName ? QString(row.captionName) : QString(row.name) + "Caption";
}

}  // namespace zt::catalogue
