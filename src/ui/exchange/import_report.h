#pragma once
// The one message after an EQ import, in the current language: the filters taken, how far the
// imported curve lies from the file's and where, what the file's channels went to, values
// clamped, the lines left out that matter, and the file's preamp; once the processor was asked
// for the values, those it did not confirm.

#include <QString>
#include <vector>

#include "eqgraph/eq_exchange.h"
#include "params/param_address.h"

namespace zt {

class Language;

struct ReportContext {
    bool musicSets = false;   // the channel shown has a left and a right set
    bool inputLevel = false;  // the channel has an input level the preamp could go to
};

QString ImportReport(const EqImport& result, const ReportContext& context,
                     const Language& language);

// The part of the report saying which of the import's values the processor did not confirm
// (device addresses); empty when there are none.
QString NotLandedReport(const std::vector<ParamAddress>& devices, const Language& language);

// The question that follows the report when the file has a preamp the channel can take.
QString PreampQuestion(double preampDb, const Language& language);

}  // namespace zt
