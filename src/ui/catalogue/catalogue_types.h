#pragma once
// The catalogue's rows (kept with the parameter model, which names the parameters from them)
// and the item lists of the selectors as the window's widgets take them.

#include <QStringList>

#include "params/catalogue_rows.h"

namespace zt::catalogue {

QStringList ItemTexts(Items items);

}  // namespace zt::catalogue
