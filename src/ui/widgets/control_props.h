#pragma once
// What every control of the main window carries besides its look: a tag (its logical
// ParamAddress, or an index for tab, effect, hint-path, side and trigger buttons) and a hint
// field (a value kind, a state "0"/"1", an index, or the other language's caption).
// Handlers find everything they need from these two fields.

#include <QString>
#include <QWidget>

namespace zt {

class ControlProps {
public:
    virtual ~ControlProps() = default;

    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    const QString& hint() const { return hint_; }
    void setHint(const QString& hint) { hint_ = hint; }

private:
    int tag_ = 0;
    QString hint_;
};

inline ControlProps* PropsOf(QWidget* widget) {
    return dynamic_cast<ControlProps*>(widget);
}

}  // namespace zt
