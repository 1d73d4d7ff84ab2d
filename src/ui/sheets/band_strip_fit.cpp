#include "ui/sheets/band_strip_fit.h"

#include <QEvent>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>

#include "ui/widgets/band_scroll_box.h"

namespace zt {
namespace {

// The width of a page sheet at the window's design size.
constexpr int kDesignSheetWidth = 944;

}  // namespace

BandStripFit::BandStripFit(QWidget* frame, BandScrollBox* box, QScrollBar* bar, int bands,
                           int designColumns)
    : QObject(frame),
      sheet_(frame->parentWidget()),
      frame_(frame),
      box_(box),
      bar_(bar),
      bands_(bands),
      designColumns_(designColumns),
      designFrameWidth_(frame->width()),
      columns_(designColumns) {
    if (sheet_) sheet_->installEventFilter(this);
}

bool BandStripFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sheet_ && event->type() == QEvent::Resize) Fit();
    return false;
}

void BandStripFit::Fit() {
    const int spare = std::max(0, sheet_->width() - kDesignSheetWidth);
    const int columns = std::min(bands_, designColumns_ + spare / kBandColumnWidth);
    const int grown = (columns - designColumns_) * kBandColumnWidth;
    const int designRight = frame_->x() + designFrameWidth_;
    const int shift = (columns_ - designColumns_) * kBandColumnWidth;
    for (QObject* child : sheet_->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget == frame_ || widget->isWindow()) continue;
        // Seen for the first time: its design place is where it stands, less the shift of the
        // controls right of the frame.
        auto known = designLeft_.find(widget);
        if (known == designLeft_.end()) {
            const int left = widget->x() >= designRight + shift ? widget->x() - shift : widget->x();
            known = designLeft_.insert(widget, left);
        }
        if (*known >= designRight) widget->move(*known + grown, widget->y());
    }
    columns_ = columns;
    const int visibleWidth = columns * kBandColumnWidth;
    frame_->resize(designFrameWidth_ + grown, frame_->height());
    box_->resize(visibleWidth, box_->height());
    bar_->resize(visibleWidth, bar_->height());
    bar_->setRange(0, bands_ - columns);
    bar_->setVisible(columns < bands_);
}

}  // namespace zt
