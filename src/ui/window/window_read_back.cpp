// The read-back on the window: a short state beside the status line (checking, all match, or how
// many values are not confirmed), a message naming the values still unconfirmed after three
// rounds, and a mark on the fields of values that are not on the processor.

#include <QAction>
#include <QMenu>
#include <QTimer>

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
constexpr int kStateGap = 6;
constexpr int kStateWidth = 150;
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
        QWidget* strip = linkLabel_->parentWidget();
        if (!strip) return;
        readBackLabel_ = new QLabel(strip);
        readBackLabel_->setObjectName(QStringLiteral("ReadBackLabel"));
        readBackLabel_->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(readBackLabel_, &QWidget::customContextMenuRequested, readBackLabel_,
                         [this](QPoint at) { ShowReadBackMenu(readBackLabel_, at); });
    }
    const QRect at = linkLabel_->geometry();
    readBackLabel_->setGeometry(at.right() + kStateGap, at.y(), kStateWidth, at.height());
    readBackLabel_->setText(language_.Pick(ReadBackStateText(readBack_)));
    readBackLabel_->setVisible(readBack_.enabled);
    if (readBackSwitch_) readBackSwitch_->setChecked(readBack_.enabled);
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
