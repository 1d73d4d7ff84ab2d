#pragma once
// Tooltips of the parameter controls: every value edit, track bar, value pane and spin button
// names the range of its parameter with the unit, and each volume range marker says which
// volume it sets. The texts come from the value kinds and follow the current language, the
// channel shown (the SUB levels read double) and the band type (a shelving band's Q stops at
// 1.60), so they are made when the tooltip is asked for.

#include <QObject>
#include <QString>

class QWidget;

namespace zt {

class ControlBinding;
class ControlRegistry;
class Language;
class ParamModel;

class ValueTooltips : public QObject {
public:
    ValueTooltips(const ControlBinding& binding, const ParamModel& model, const Language& language);

    // Watches every control of the registry that can have a range tooltip.
    void Attach(const ControlRegistry& registry);

    // The tooltip of a control in the current language; empty for controls without one.
    QString TextFor(QWidget* control) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Texts {
        std::string chinese;
        std::string english;
    };
    Texts BarTexts(QWidget* bar) const;
    Texts EditTexts(QWidget* edit) const;
    Texts MarkerTexts(QWidget* marker) const;
    Texts TextsFor(QWidget* control) const;

    const ControlBinding& binding_;
    const ParamModel& model_;
    const Language& language_;
};

}  // namespace zt
