#pragma once
// Mouse wheel stepping of a value edit: while a click has selected an edit for stepping, each
// whole notch of the window's wheel steps its value up or down, and the wheel goes no further.

#include <QPointer>

class QObject;
class QWidget;

namespace zt {

struct EditingParts;
class ValueSetter;

class WheelStepping {
public:
    WheelStepping(EditingParts& parts, ValueSetter& setter) : parts_(parts), setter_(setter) {}
    ~WheelStepping();
    WheelStepping(const WheelStepping&) = delete;
    WheelStepping& operator=(const WheelStepping&) = delete;

    // Watches the wheel of `window` (once).
    void Watch(QWidget* window);
    // Steps the current value edit by whole wheel notches (120 units each, positive up) while a
    // click has selected it for stepping; true when the wheel event is taken.
    bool Step(int angleDelta);
    // A page switch ends wheel stepping.
    void End();

private:
    EditingParts& parts_;
    ValueSetter& setter_;
    QPointer<QObject> filter_;
};

}  // namespace zt
