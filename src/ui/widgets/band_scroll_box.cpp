#include "ui/widgets/band_scroll_box.h"

#include <QScrollBar>

namespace zt {

BandScrollBox::BandScrollBox(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
    auto* strip = new QWidget;
    strip->setAutoFillBackground(true);
    QPalette p = strip->palette();
    p.setColor(QPalette::Window, Qt::white);
    strip->setPalette(p);
    setWidget(strip);
    setBackgroundRole(QPalette::Base);
}

void BandScrollBox::setBandPosition(int position) {
    horizontalScrollBar()->setValue(position * kBandColumnWidth);
}

int BandScrollBox::bandPosition() const {
    return horizontalScrollBar()->value() / kBandColumnWidth;
}

}  // namespace zt
