#pragma once
// The status dialog's progress bar: a row of LED segments that light up from the left in the
// accent orange on a white face.

#include <QColor>
#include <QWidget>

namespace zt {

class LedProgressBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSegments = 25;
    static QColor LitColor() { return QColor(243, 152, 0); }

    explicit LedProgressBar(QWidget* parent = nullptr);

    // 0..100; values outside are taken as the nearest end.
    void SetPercent(int percent);
    int percent() const { return percent_; }
    // Segments lit at the current percent (rounded to the nearest segment).
    int litSegments() const;

    QSize sizeHint() const override { return {300, 22}; }
    QSize minimumSizeHint() const override { return {kSegments * 3 + 4, 10}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int percent_ = 0;
};

}  // namespace zt
