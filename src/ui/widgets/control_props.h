#pragma once
// What every control of the main window carries besides its look: a tag (its logical
// ParamAddress, or an index for tab, effect, hint-path, side and trigger buttons), a hint field
// (the other language's caption, or the text the catalogue gave the control) and, for the value
// controls, the value kind the catalogue gave them (ValueKind 0..5 of the edits and selectors, a
// pane's kind 6..26, a crossover selector's kind).

#include <QString>
#include <QWidget>
#include <optional>

namespace zt {

class ControlProps {
public:
    virtual ~ControlProps() = default;

    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    const QString& hint() const { return hint_; }
    void setHint(const QString& hint) { hint_ = hint; }

    // None for a control without a value kind.
    std::optional<int> valueKind() const { return valueKind_; }
    void setValueKind(std::optional<int> kind) { valueKind_ = kind; }

private:
    int tag_ = 0;
    QString hint_;
    std::optional<int> valueKind_;
};

inline ControlProps* PropsOf(QWidget* widget) {
    return dynamic_cast<ControlProps*>(widget);
}

}  // namespace zt
