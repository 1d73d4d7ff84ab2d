#pragma once
// Message boxes of the main window. The window shows them as modal boxes with one OK button;
// tests put a recorder in their place.

#include <QString>

class QWidget;

namespace zt {

class WindowMessages {
public:
    virtual ~WindowMessages() = default;
    // A modal box with one OK button.
    virtual void Inform(const QString& text, const QString& caption) = 0;
};

class MessageBoxes : public WindowMessages {
public:
    explicit MessageBoxes(QWidget* owner) : owner_(owner) {}
    void Inform(const QString& text, const QString& caption) override;

private:
    QWidget* owner_;
};

}  // namespace zt
