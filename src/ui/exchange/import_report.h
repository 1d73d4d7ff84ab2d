#pragma once
// The one message after an EQ import: how many filters were taken and every line left out
// with its reason, in the current language.

#include <QString>

#include "eqgraph/eq_exchange.h"

namespace zt {

class Language;

// Empty when every filter of the file was taken.
QString ImportReport(const EqImport& result, const Language& language);

}  // namespace zt
