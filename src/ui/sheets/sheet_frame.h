#pragma once
// A named region of a sheet that holds a group of controls; band boxes draw a light frame.

#include <QWidget>

namespace zt {

class SheetFrame : public QWidget {
    Q_OBJECT
public:
    explicit SheetFrame(QWidget* parent = nullptr) : QWidget(parent) {}

    bool framed() const { return framed_; }
    void setFramed(bool framed);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool framed_ = false;
};

// One 65-pixel column of a band box, with a thin rule on its right edge.
class BandColumn : public QWidget {
    Q_OBJECT
public:
    explicit BandColumn(QWidget* parent = nullptr) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zt
