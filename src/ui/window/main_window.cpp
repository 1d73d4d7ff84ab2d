#include "ui/window/main_window.h"

#include <QAbstractSlider>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "ui/sheets/page_sheets.h"
#include "ui/widgets/look.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/swapping.h"
#include "ui/window/window_chrome.h"
#include "ui/window/window_geometry.h"

namespace zt {
namespace {

constexpr int kWindowButtonWidth = 30;
constexpr QRgb kBorder = 0xFF9A9A9A;

void Paint(QWidget* widget, const QColor& colour) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

}  // namespace

TForm1::TForm1(ControlRegistry& registry, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), registry_(registry) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    Paint(this, Qt::white);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("Form1Client"));
    Paint(client_, Qt::white);
    resize(kClientWidth + 2 * kWindowBorder, kClientHeight + 2 * kWindowBorder);
    client_->setGeometry(kWindowBorder, kWindowBorder, kClientWidth, kClientHeight);

    BuildTitleStrip();
    tabStrip_ = BuildTabStrip(client_, registry_);

    // The page container's own tab row is never used: pages are chosen by the tab strip.
    formPageItem_ = Registered(new QStackedWidget(client_), "FormPageItem", registry_);
    BuildPageSheets(formPageItem_, registry_);

    graph_ = BuildGraphPanel(client_, registry_);

    advPageControl1_ = Registered(new QTabWidget(client_), "AdvPageControl1", registry_);
    advPageControl1_->setDocumentMode(true);
    advPageControl1_->setStyleSheet(QStringLiteral(
        "QTabBar::tab { color: rgb(243,152,0); background: transparent; padding: 5px 4px;"
        " border: 1px solid rgb(230,230,230); border-bottom: none; margin-right: 1px;"
        " font-size: 11px; }"
        "QTabBar::tab:selected { color: white; background: rgb(243,152,0);"
        " border-color: rgb(243,152,0); }"));
    BuildRightColumn(advPageControl1_, registry_);
    PlaceFocusSink(tabStrip_, registry_);

    unlock_ = BuildUnlockPanel(client_, registry_);

    // Only the bare background moves the window: the pages, the graph panel, the right column
    // and the overlays keep their presses to themselves.
    for (QWidget* area :
         {static_cast<QWidget*>(formPageItem_), graph_.advPanel1,
          static_cast<QWidget*>(advPageControl1_), static_cast<QWidget*>(unlock_.firstCheckGrop)}) {
        area->setAttribute(Qt::WA_NoMousePropagation);
    }

    LayOut();
}

void TForm1::BuildTitleStrip() {
    image2_ = Registered(new TitleStripImage(client_), "Image2", registry_);

    // The version label is a decorated label: it reads the same in both languages.
    rzLabel9_ =
        Registered(new QLabel(QStringLiteral("KTV ORV  1.2.7"), client_), "RzLabel9", registry_);
    rzLabel9_->setFont(look::Font(look::kNormalText, true));
    rzLabel9_->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    rzLabel9_->setAttribute(Qt::WA_TransparentForMouseEvents);

    // The access-code field of the hidden page, shown by a double click on the link label.
    sysLogoLabel_ = Registered(new SwappingLabel(QStringLiteral("运行："), QString(), client_),
                               "SysLogoLabel", registry_);
    sysLogoLabel_->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    sysLogoLabel_->hide();
    sysLogoEdit_ = Registered(new PlainEdit(client_), "SysLogoEdit", registry_);
    sysLogoEdit_->hide();

    minimiseButton_ = Registered(new WindowButton(WindowButton::Glyph::Minimise, client_),
                                 "RzBmpButton2", registry_);
    maximiseButton_ = Registered(new WindowButton(WindowButton::Glyph::Maximise, client_),
                                 "RzBmpButton1", registry_);
    closeButton_ = Registered(new WindowButton(WindowButton::Glyph::Close, client_), "RzBmpButton3",
                              registry_);
    connect(minimiseButton_, &QAbstractButton::clicked, this, &TForm1::Minimise);
    connect(maximiseButton_, &QAbstractButton::clicked, this, &TForm1::ToggleMaximised);
    connect(closeButton_, &QAbstractButton::clicked, this, &QWidget::close);
}

void TForm1::LayOut() {
    const int w = client_->width();
    const int h = client_->height();
    const int mainWidth = std::max(1, w - kRightColumnWidth);

    image2_->setGeometry(0, 0, w, kTitleStripHeight);
    rzLabel9_->setGeometry(10, 0, 160, kTitleStripHeight - 2);
    sysLogoLabel_->setGeometry(180, 2, 44, kTitleStripHeight - 6);
    sysLogoEdit_->setGeometry(226, 2, 120, kTitleStripHeight - 6);
    closeButton_->setGeometry(w - kWindowButtonWidth, 0, kWindowButtonWidth, kTitleStripHeight);
    maximiseButton_->setGeometry(w - 2 * kWindowButtonWidth, 0, kWindowButtonWidth,
                                 kTitleStripHeight);
    minimiseButton_->setGeometry(w - 3 * kWindowButtonWidth, 0, kWindowButtonWidth,
                                 kTitleStripHeight);

    int y = kTitleStripHeight;
    tabStrip_.strip->setGeometry(0, y, mainWidth, kTabStripHeight);
    LayOutTabStrip(tabStrip_);
    y += kTabStripHeight;
    formPageItem_->setGeometry(0, y, mainWidth, kPageAreaHeight);
    y += kPageAreaHeight;
    graph_.advPanel1->setGeometry(0, y, mainWidth, std::max(1, h - y));
    LayOutGraphPanel(graph_);

    advPageControl1_->setGeometry(mainWidth, kTitleStripHeight, kRightColumnWidth,
                                  h - kTitleStripHeight);

    QWidget* unlock = unlock_.firstCheckGrop;
    unlock->move((mainWidth - unlock->width()) / 2, kTitleStripHeight + kTabStripHeight + 60);
}

void TForm1::resizeEvent(QResizeEvent*) {
    client_->setGeometry(kWindowBorder, kWindowBorder, width() - 2 * kWindowBorder,
                         height() - 2 * kWindowBorder);
    LayOut();
}

void TForm1::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QColor(kBorder));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    // The key preview: every key of this window passes here before the focused control.
    if (QWindow* handle = windowHandle()) handle->installEventFilter(this);
    emit firstShown();
}

void TForm1::closeEvent(QCloseEvent* event) {
    emit closing();
    event->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == windowHandle()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        PreviewKey(key->key(), key->modifiers());
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::SetVolumeBars(QAbstractSlider* music, QAbstractSlider* mic, QAbstractSlider* effect) {
    musicVolume_ = music;
    micVolume_ = mic;
    effectVolume_ = effect;
}

void TForm1::PreviewKey(int key, Qt::KeyboardModifiers modifiers) {
    if (!keyPreview_) return;
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return;
    struct VolumeKey {
        int key;
        QAbstractSlider* bar;
        int step;
    };
    const VolumeKey keys[] = {
        {Qt::Key_Q, musicVolume_, 1}, {Qt::Key_A, musicVolume_, -1}, {Qt::Key_W, micVolume_, 1},
        {Qt::Key_S, micVolume_, -1},  {Qt::Key_E, effectVolume_, 1}, {Qt::Key_D, effectVolume_, -1},
    };
    for (const VolumeKey& k : keys) {
        // Moving the bar raises its change, exactly as a move with the mouse does.
        if (k.key == key && k.bar) k.bar->setValue(k.bar->value() + k.step);
    }
}

void TForm1::Minimise() {
    showMinimized();
}

void TForm1::ToggleMaximised() {
    if (maximised_) {
        maximised_ = false;
        setGeometry(normalGeometry_);
        maximiseButton_->setGlyph(WindowButton::Glyph::Maximise);
        return;
    }
    normalGeometry_ = geometry();
    maximised_ = true;
    // The available geometry leaves the task bar and other docks of the desktop free.
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s) setGeometry(s->availableGeometry());
    maximiseButton_->setGlyph(WindowButton::Glyph::Restore);
}

void TForm1::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || maximised_) {
        QWidget::mousePressEvent(event);
        return;
    }
    // The bare background acts as the caption: dragging it moves the window.
    QWindow* handle = windowHandle();
    if (handle && handle->startSystemMove()) return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void TForm1::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

}  // namespace zt
