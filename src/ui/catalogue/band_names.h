#pragma once
// Names of the controls of one EQ band column and of one dynamic-EQ band, built from the
// block's prefixes and the band number. Builders and binding both take names from here.

#include <QString>
#include <array>

#include "ui/catalogue/catalogue_types.h"

namespace zt::catalogue {

// Captions of the four type labels, in companion order: bypass, PEQ, low shelf, high shelf.
inline constexpr std::array<const char*, 4> kTypeLabelCaptions{"BY", "P", "LS", "HS"};

struct EqBandNames {
    QString numberLabel;
    QString modeBox;
    std::array<QString, 4> typeLabels;
    QString frequencyEdit;
    QString gainEdit;
    QString gainBar;
    QString qEdit;
    QString qSpin;
};

// Band `band` counted from 1.
EqBandNames NamesOfBand(const EqBandBlock& block, int band);

struct DeqBandNames {
    QString numberLabel;
    QString triggerBox;
    std::array<QString, 3> triggerButtons;  // off, below, above
    QString modeBox;
    std::array<QString, 4> typeLabels;
    QString frequencyEdit;
    QString gainEdit;
    QString gainBar;
    QString qEdit;
    QString qSpin;
};

DeqBandNames NamesOfDeqBand(int band);

// A limiter row of dynamic-EQ band `band` with the band number appended to its names.
struct DeqLimiterNames {
    QString bar;
    QString pane;
    QString container;
    QString caption;
};
DeqLimiterNames NamesOfDeqLimiterRow(const ParamRow& row, int band);

// The objectName of a row's caption label.
QString CaptionNameOf(const ParamRow& row);

}  // namespace zt::catalogue
