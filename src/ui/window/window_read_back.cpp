// The read-back on the window: a small mark left of the status line's text (checking, all match,
// or how many values are not confirmed; the words in its tooltip), a message naming the values
// still unconfirmed after three rounds, and a mark on the fields of values that are not on the
// processor.

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QTimer>
#include <algorithm>

#include "link/link_texts.h"
#include "link/read_back_texts.h"
#include "ui/widgets/swapping.h"
#include "ui/window/main_window.h"
#include "ui/window/window_link_view.h"

namespace zt {

namespace {
// The mark: the field's frame and text in the off-line red.
const char* const kMarkStyle = "color: rgb(255, 0, 0); border: 1px solid rgb(255, 0, 0);";
const char* const kMarkProperty = "zt_notOnProcessor";
const char* const kStyleBeforeMark = "zt_styleBeforeMark";
// Pixels between the state's mark and the status line's text.
constexpr int kStateGap = 4;
const BilingualText kReadBackSwitchText{"编辑后回读核对设备参数",
                                        "Check the processor's values after edits"};
}  // namespace

void WindowLinkView::OfferReadBackSwitch(std::function<void(bool)> onSwitch) {
    onReadBackSwitch_ = std::move(onSwitch);
    linkLabel_->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(linkLabel_, &QWidget::customContextMenuRequested, linkLabel_,
                     [this](QPoint at) { ShowReadBackMenu(linkLabel_, at); });
}

QAction* WindowLinkView::readBackSwitch() {
    if (!readBackSwitch_) {
        readBackSwitch_ = new QAction(parts_.window);
        readBackSwitch_->setCheckable(true);
        QObject::connect(readBackSwitch_, &QAction::triggered, parts_.window, [this](bool on) {
            if (onReadBackSwitch_) onReadBackSwitch_(on);
        });
    }
    readBackSwitch_->setText(language_.Pick(kReadBackSwitchText));
    readBackSwitch_->setChecked(readBack_.enabled);
    return readBackSwitch_;
}

void WindowLinkView::ShowReadBackMenu(QWidget* over, QPoint at) {
    if (!onReadBackSwitch_) return;
    QMenu menu(over);
    menu.addAction(readBackSwitch());
    menu.exec(over->mapToGlobal(at));
}

void WindowLinkView::ShowReadBack(const ReadBackStatus& status) {
    readBack_ = status;
    ShowReadBackState();
    MarkFields();
}

void WindowLinkView::ShowReadBackState() {
    if (!readBackLabel_) {
        // A child of the status line: it moves with it when the tab strip is laid out anew.
        readBackLabel_ = new QLabel(linkLabel_);
        readBackLabel_->setObjectName(QStringLiteral("ReadBackLabel"));
        readBackLabel_->setFont(linkLabel_->font());
        readBackLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        readBackLabel_->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(readBackLabel_, &QWidget::customContextMenuRequested, readBackLabel_,
                         [this](QPoint at) { ShowReadBackMenu(readBackLabel_, at); });
    }
    const QString mark = QString::fromStdString(ReadBackMark(readBack_));
    const QColor colour = !readBack_.unconfirmed.empty() ? QColor(255, 0, 0)
                          : readBack_.checking           ? QColor(128, 128, 128)
                                                         : QColor(0, 150, 0);
    QPalette palette = readBackLabel_->palette();
    palette.setColor(QPalette::WindowText, colour);
    readBackLabel_->setPalette(palette);
    readBackLabel_->setText(mark);
    readBackLabel_->setToolTip(language_.Pick(ReadBackStateText(readBack_)));
    PlaceReadBackState();
    readBackLabel_->setVisible(readBack_.enabled && linked_ && holdsImage_);
    if (readBackSwitch_) readBackSwitch_->setChecked(readBack_.enabled);
}

void WindowLinkView::PlaceReadBackState() {
    if (!readBackLabel_) return;
    // The status line's text stands at the right of its box; the mark takes the room left of it,
    // never the link button's.
    const QFontMetrics metrics(linkLabel_->font());
    const int textWidth = metrics.horizontalAdvance(linkLabel_->text());
    const int markWidth = metrics.horizontalAdvance(readBackLabel_->text()) + 2;
    const int left = std::max(0, linkLabel_->width() - textWidth - kStateGap - markWidth);
    readBackLabel_->setGeometry(left, 0, markWidth, linkLabel_->height());
}

void WindowLinkView::ReportUnconfirmed(const std::vector<ParamAddress>& addresses) {
    // Opened from the event loop, not from inside the link's tick: the link goes on (keep-alives,
    // read-back) while the message waits for its OK.
    const QString text = language_.Pick(UnconfirmedMessage(addresses));
    const QString caption = language_.Pick(kMessageCaption);
    QTimer::singleShot(0, parts_.window,
                       [this, text, caption] { messages_.Inform(text, caption); });
}

void WindowLinkView::MarkNotOnProcessor(const std::vector<ParamAddress>& addresses) {
    notOnProcessor_.insert(addresses.begin(), addresses.end());
    MarkFields();
}

void WindowLinkView::MarkFields() {
    for (const QPointer<QWidget>& widget : marked_) {
        if (widget && widget->property(kMarkProperty).toBool()) {
            widget->setProperty(kMarkProperty, false);
            widget->setStyleSheet(widget->property(kStyleBeforeMark).toString());
        }
    }
    marked_.clear();
    if (!parts_.binding || !parts_.model) return;
    std::set<ParamAddress> devices = notOnProcessor_;
    devices.insert(readBack_.unconfirmed.begin(), readBack_.unconfirmed.end());
    if (devices.empty()) return;
    // The controls carry logical addresses: a field is marked when, under the selection shown,
    // it stands for one of the device addresses.
    for (int page = 0; page < kPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const ParamAddress logical = MakeAddress(page, slot);
            QWidget* control = parts_.binding->BoundControlOf(logical);
            if (!control || !devices.count(parts_.model->ToDeviceAddress(logical))) continue;
            control->setProperty(kMarkProperty, true);
            control->setProperty(kStyleBeforeMark, control->styleSheet());
            control->setStyleSheet(QString::fromLatin1(kMarkStyle));
            marked_.emplace_back(control);
        }
    }
}

}  // namespace zt
