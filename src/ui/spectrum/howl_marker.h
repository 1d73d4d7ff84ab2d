#pragma once
// A marker of the feedback finder on the EQ graph: a small red flag near the top of the plot
// with the howl's frequency and level, its point on the howl's frequency. A howl no longer
// heard keeps a paler flag for its last second. Its context menu is the finder's.

#include <QString>
#include <QWidget>
#include <functional>

namespace zt {

class HowlMarker : public QWidget {
    Q_OBJECT
public:
    explicit HowlMarker(QWidget* parent);

    // Shows `text`, with its point at `pointX` of the parent, `row` flags below the top.
    void Show(const QString& text, int pointX, int row, bool current);
    // Where its point stands (x of the parent).
    int pointX() const { return x() + pointOffset_; }
    const QString& text() const { return text_; }
    bool current() const { return current_; }

    // Called with the screen position of a context menu request.
    void SetMenu(std::function<void(const QPoint&)> menu) { menu_ = std::move(menu); }

protected:
    void paintEvent(QPaintEvent*) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QString text_;
    bool current_ = true;
    int pointOffset_ = 0;
    std::function<void(const QPoint&)> menu_;
};

}  // namespace zt
