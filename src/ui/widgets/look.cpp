#include "ui/widgets/look.h"

namespace zt::look {

QFont Font(int pixelSize, bool bold) {
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

}  // namespace zt::look
