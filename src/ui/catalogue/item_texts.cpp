#include "ui/catalogue/catalogue_types.h"

namespace zt::catalogue {

QStringList ItemTexts(Items items) {
    QStringList list;
    for (const std::string& text : SelectorItemTexts(items)) list << QString::fromStdString(text);
    return list;
}

}  // namespace zt::catalogue
