#pragma once
// Buttons that draw their own caption. A caption is drawn one line per line of its text and
// never wrapped: where it is wider than its button, as some are in one of the two languages,
// it is drawn in a smaller font, down to kMinimumCaptionPixels.

#include <QFont>
#include <QRectF>
#include <QString>

namespace zt {

inline constexpr int kMinimumCaptionPixels = 9;

class CaptionDrawing {
public:
    virtual ~CaptionDrawing() = default;
    // The caption as drawn now (empty when the button draws none).
    virtual QString CaptionText() const = 0;
    // The rectangle the caption is drawn in, in the button's coordinates.
    virtual QRectF CaptionArea() const = 0;
    // The font the caption is drawn in now.
    virtual QFont CaptionFont() const = 0;
};

// `base` at the largest pixel size, from its own down to kMinimumCaptionPixels, at which every
// line of `text` fits `area`; the minimum size when none does.
QFont FittedCaptionFont(const QFont& base, const QString& text, const QSizeF& area);

}  // namespace zt
