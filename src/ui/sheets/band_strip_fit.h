#pragma once
// A page's band box grows with its sheet: on a wider window it shows more band columns, up to
// all of them, and the controls right of the band frame move along by the room the new
// columns take. The scroll bar scrolls only the bands that still do not fit and goes away when
// all of them do.

#include <QHash>
#include <QObject>

class QScrollBar;
class QWidget;

namespace zt {

class BandScrollBox;

class BandStripFit : public QObject {
public:
    // `frame` holds the legend, `box` and `bar` and lies on its sheet at design size, showing
    // `designColumns` of `bands` columns.
    BandStripFit(QWidget* frame, BandScrollBox* box, QScrollBar* bar, int bands, int designColumns);

    int columns() const { return columns_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fit();

    QWidget* sheet_;
    QWidget* frame_;
    BandScrollBox* box_;
    QScrollBar* bar_;
    int bands_;
    int designColumns_;
    int designFrameWidth_;
    int columns_;
    QHash<QWidget*, int> designLeft_;  // the sheet's other controls, by their design place
};

}  // namespace zt
