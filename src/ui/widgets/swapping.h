#pragma once
// Controls that carry their text in both languages: the caption shows the current language and
// the hint holds the other one, so switching the language exchanges the two. These are the
// plain text labels, the framed group boxes with a caption, push buttons, the tool buttons
// (page tabs, effect sub-page buttons, the Hint page's path buttons, the language button) and
// the page sheets. A swapping control without a text in one language shows an empty caption in
// that language.

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "ui/widgets/caption_drawing.h"
#include "ui/widgets/control_props.h"

namespace zt {

class SwappingControl {
public:
    virtual ~SwappingControl() = default;
    virtual QString caption() const = 0;
    virtual void setCaption(const QString& caption) = 0;
};

inline SwappingControl* SwappingOf(QWidget* widget) {
    return dynamic_cast<SwappingControl*>(widget);
}

// Exchanges caption and hint of a swapping control; false (and nothing changed) for any other
// widget.
bool SwapCaptionAndHint(QWidget* widget);

class SwappingLabel : public QLabel, public ControlProps, public SwappingControl {
    Q_OBJECT
public:
    SwappingLabel(const QString& caption, const QString& otherLanguage, QWidget* parent = nullptr);
    QString caption() const override { return text(); }
    void setCaption(const QString& caption) override { setText(caption); }
};

class SwappingGroupBox : public QGroupBox, public ControlProps, public SwappingControl {
    Q_OBJECT
public:
    SwappingGroupBox(const QString& caption, const QString& otherLanguage,
                     QWidget* parent = nullptr);
    QString caption() const override { return title(); }
    void setCaption(const QString& caption) override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class SwappingPushButton : public QPushButton, public ControlProps, public SwappingControl {
    Q_OBJECT
public:
    SwappingPushButton(const QString& caption, const QString& otherLanguage,
                       QWidget* parent = nullptr);
    QString caption() const override { return text(); }
    void setCaption(const QString& caption) override { setText(caption); }
};

// The tool button of page tabs and sub-page buttons. Selected: an opaque orange face with
// white text; unselected: a transparent face with orange text.
class SwappingToolButton : public QToolButton,
                           public ControlProps,
                           public SwappingControl,
                           public CaptionDrawing {
    Q_OBJECT
public:
    SwappingToolButton(const QString& caption, const QString& otherLanguage,
                       QWidget* parent = nullptr);
    QString caption() const override { return text(); }
    void setCaption(const QString& caption) override { setText(caption); }

    QString CaptionText() const override { return text(); }
    QRectF CaptionArea() const override;
    QFont CaptionFont() const override;

    bool selectedLook() const { return selected_; }
    void setSelectedLook(bool selected);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool selected_ = false;
};

// A page of a page container. Its caption is the page's tab text when the container shows tabs.
class SwappingSheet : public QWidget, public ControlProps, public SwappingControl {
    Q_OBJECT
public:
    SwappingSheet(const QString& caption, const QString& otherLanguage, QWidget* parent = nullptr);
    QString caption() const override { return caption_; }
    void setCaption(const QString& caption) override;

private:
    QString caption_;
};

}  // namespace zt
