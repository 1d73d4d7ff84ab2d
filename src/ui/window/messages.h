#pragma once
// Message boxes of the main window. The window shows them as modal boxes; tests put a recorder
// with scripted answers in their place.

#include <QString>

class QWidget;

namespace zt {

// The buttons of a question box.
enum class AskButtons { YesNo, OkCancel };

class WindowMessages {
public:
    virtual ~WindowMessages() = default;
    // A modal box with one OK button.
    virtual void Inform(const QString& text, const QString& caption) = 0;
    // The same with a warning sign (a damaged file).
    virtual void Warn(const QString& text, const QString& caption) { Inform(text, caption); }
    // A modal question; true for Yes or OK, false for No, Cancel or a box closed otherwise.
    // Messages that show nothing decline every question.
    virtual bool Ask(const QString&, const QString&, AskButtons) { return false; }
};

class MessageBoxes : public WindowMessages {
public:
    explicit MessageBoxes(QWidget* owner) : owner_(owner) {}
    void Inform(const QString& text, const QString& caption) override;
    void Warn(const QString& text, const QString& caption) override;
    bool Ask(const QString& text, const QString& caption, AskButtons buttons) override;

private:
    QWidget* owner_;
};

}  // namespace zt
