#pragma once
// The box that holds a page's EQ band columns, 65 pixels each, side by side. It has no scroll
// bars of its own: the sheet's band scroll bar moves it a whole column at a time.

#include <QScrollArea>

namespace zt {

inline constexpr int kBandColumnWidth = 65;

class BandScrollBox : public QScrollArea {
    Q_OBJECT
public:
    explicit BandScrollBox(QWidget* parent = nullptr);

    // The strip that carries the band columns.
    QWidget* strip() const { return widget(); }

    // Scrolls so that band `position` is the first column shown.
    void setBandPosition(int position);
    int bandPosition() const;
};

}  // namespace zt
