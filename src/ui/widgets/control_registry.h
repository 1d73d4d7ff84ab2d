#pragma once
// Every named control of the main window, in creation order. Builders add what they create;
// binding and wiring resolve names here once, at start-up. Handlers never look controls up by
// name while the editor runs.

#include <QHash>
#include <QString>
#include <QWidget>
#include <stdexcept>
#include <vector>

namespace zt {

class ControlRegistry {
public:
    // Registers a control under its objectName; a second control of the same name is a
    // programming error.
    void Add(QWidget* control) {
        const QString name = control->objectName();
        if (name.isEmpty() || byName_.contains(name)) {
            throw std::logic_error("control name missing or taken: " + name.toStdString());
        }
        byName_.insert(name, control);
        inOrder_.push_back(control);
    }

    QWidget* Find(const QString& name) const { return byName_.value(name, nullptr); }

    // The control of that name and class; throws when it is missing, so a typo in a table
    // fails at start-up instead of leaving a control unbound.
    template <typename T>
    T* Get(const QString& name) const {
        T* control = qobject_cast<T*>(Find(name));
        if (!control) throw std::logic_error("no control " + name.toStdString());
        return control;
    }

    const std::vector<QWidget*>& InCreationOrder() const { return inOrder_; }

private:
    QHash<QString, QWidget*> byName_;
    std::vector<QWidget*> inOrder_;
};

// Names a new control and registers it; returns the control for the builder to place.
template <typename T>
T* Registered(T* control, const QString& name, ControlRegistry& registry) {
    control->setObjectName(name);
    registry.Add(control);
    return control;
}

template <typename T>
T* Registered(T* control, const char* name, ControlRegistry& registry) {
    return Registered(control, QString::fromLatin1(name), registry);
}

}  // namespace zt
