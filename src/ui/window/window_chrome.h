#pragma once
// The window's own chrome, drawn by the editor because the window has no system frame: the
// title strip's background picture and the three small window buttons at its right end.

#include <QAbstractButton>
#include <QWidget>

#include "ui/widgets/caption_drawing.h"
#include "ui/widgets/control_props.h"

namespace zt {

// Image2: the stretched background of the title strip.
class TitleStripImage : public QWidget, public ControlProps {
    Q_OBJECT
public:
    explicit TitleStripImage(QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
};

// RzBmpButton2 (minimise), RzBmpButton1 (maximise / restore), RzBmpButton3 (close).
class WindowButton : public QAbstractButton, public ControlProps {
    Q_OBJECT
public:
    enum class Glyph { Minimise, Maximise, Restore, Close };
    WindowButton(Glyph glyph, QWidget* parent);

    Glyph glyph() const { return glyph_; }
    void setGlyph(Glyph glyph);

    QSize sizeHint() const override { return {30, 23}; }

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

private:
    Glyph glyph_;
    bool hovered_ = false;
};

}  // namespace zt

namespace zt {

// LinkBtn and UnLinkBtn: the link button with its two looks. Linked: orange caption and the
// picture of a closed link; unlinked: black caption and the picture of an open link.
class LinkLookButton : public QAbstractButton, public ControlProps, public CaptionDrawing {
    Q_OBJECT
public:
    LinkLookButton(const QString& caption, QWidget* parent);

    QString caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }

    bool linkedLook() const { return linked_; }
    void setLinkedLook(bool linked);
    // The caption's colour in the current look.
    QColor captionColour() const;

    QString CaptionText() const override { return text(); }
    // Right of the link picture.
    QRectF CaptionArea() const override;
    QFont CaptionFont() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    bool linked_ = false;
};

}  // namespace zt
