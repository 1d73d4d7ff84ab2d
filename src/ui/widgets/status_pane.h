#pragma once
// A small sunken pane that shows a value as text: the value pane beside a track bar (its hint
// holds the value kind, or for the volume bars the bar's previous position), and read-only
// displays such as the device management code.

#include <QLabel>

#include "ui/widgets/control_props.h"

namespace zt {

class StatusPane : public QLabel, public ControlProps {
    Q_OBJECT
public:
    explicit StatusPane(QWidget* parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zt
