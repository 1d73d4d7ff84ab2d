#pragma once
// One of the four type labels of an EQ band ("BY", "P", "LS", "HS"). Its hint holds its entry
// index "0".."3" among the band's companions; a click chooses that type. The chosen label reads
// grey on white, the other three white on grey.

#include <QLabel>

#include "ui/widgets/control_props.h"

namespace zt {

class TypeLabel : public QLabel, public ControlProps {
    Q_OBJECT
public:
    explicit TypeLabel(const QString& caption, QWidget* parent = nullptr);

    bool chosenLook() const { return chosen_; }
    void setChosenLook(bool chosen);

    QColor faceColour() const;
    QColor textColour() const;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool chosen_ = false;
};

}  // namespace zt
