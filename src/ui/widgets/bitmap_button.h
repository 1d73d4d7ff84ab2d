#pragma once
// A button drawn with two pictures of its own, pressed and released, and a caption. A toggle
// button shows the picture its handler chooses (the state it stands for is held by the code
// that handles it); a plain button shows pressed only while the mouse holds it down. Both raise
// clicked.

#include <QAbstractButton>

#include "ui/widgets/caption_drawing.h"
#include "ui/widgets/control_props.h"

namespace zt {

class BitmapButton : public QAbstractButton, public ControlProps, public CaptionDrawing {
    Q_OBJECT
public:
    // The pair of pictures: a raised key with its caption; the phase symbol of the phase
    // buttons; a small switch lamp for the two-button switches labelled beside them.
    enum class Picture { Key, Phase, Lamp };

    explicit BitmapButton(QWidget* parent = nullptr);
    BitmapButton(const QString& caption, QWidget* parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }

    // Which picture the button shows while the mouse does not hold it.
    bool showsPressed() const { return showsPressed_; }
    void setShowsPressed(bool pressed);

    // Which picture the button shows while disabled; the user / manager switch exchanges its
    // disabled pictures so that the chosen button still reads as selected.
    bool disabledShowsPressed() const { return disabledShowsPressed_; }
    void setDisabledShowsPressed(bool pressed);

    Picture picture() const { return picture_; }
    void setPicture(Picture picture);
    // Takes the pressed and released pictures of a template button.
    void TakePicturesOf(const BitmapButton& model);

    QSize sizeHint() const override;

    // The caption (none on the phase symbol), drawn on one line in the button's font or, where
    // that is too wide, a smaller one.
    QString CaptionText() const override;
    QRectF CaptionArea() const override;
    QFont CaptionFont() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool PressedNow() const;

    Picture picture_ = Picture::Key;
    bool showsPressed_ = false;
    bool disabledShowsPressed_ = false;
};

}  // namespace zt
