#include "ui/window/graph_panel.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/look.h"
#include "ui/widgets/swapping.h"
#include "ui/window/window_geometry.h"

namespace zt {
namespace {

constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 3;
constexpr int kGroupGap = 14;
constexpr int kGroupsFromBottom = 34;
constexpr int kGraphRightMargin = 17;
constexpr int kGraphBottomMargin = 48;  // room for the frequency labels and the buttons
// The ring of a bypassed band's marker: grey, darker than the grid lines.
constexpr QRgb kBypassedRing = 0xFF969696;  // RGB(150,150,150)

// Form tags of the mode buttons: the addresses they write.
constexpr int kManualModeAddress = 0x00A0;
constexpr int kSceneAddress = 0x00A1;

BitmapButton* MakeButton(QWidget* group, const char* name, const QString& caption, int width,
                         int tag, const QString& hint, ControlRegistry& registry) {
    auto* button = Registered(new BitmapButton(caption, group), name, registry);
    button->setTag(tag);
    button->setHint(hint);
    button->resize(width, kButtonHeight);
    return button;
}

QWidget* MakeGroup(QWidget* parent, const char* name, ControlRegistry& registry) {
    return Registered(new QWidget(parent), name, registry);
}

// Lines the group's buttons up from its left edge and sizes the group around them.
void RowUp(QWidget* group, std::initializer_list<QWidget*> buttons) {
    int x = 0;
    for (QWidget* b : buttons) {
        b->move(x, 0);
        x += b->width() + kButtonGap;
    }
    group->resize(x - kButtonGap, kButtonHeight);
}

}  // namespace

GraphImage::GraphImage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphImage::ResetBitmap() {
    // Drawn at the screen's pixel ratio, so that the grid and the curve stay sharp on a
    // high-density display; the drawing itself is in logical pixels.
    const qreal ratio = devicePixelRatioF();
    bitmap_ = QImage(size().expandedTo(QSize(1, 1)) * ratio, QImage::Format_RGB32);
    bitmap_.setDevicePixelRatio(ratio);
    bitmap_.fill(Qt::white);
}

bool GraphImage::event(QEvent* event) {
    // Moved to a screen of another pixel ratio: a fresh bitmap at the new ratio.
    if (event->type() == QEvent::ScreenChangeInternal &&
        devicePixelRatioF() != bitmap_.devicePixelRatio()) {
        ResetBitmap();
        emit bitmapRebuilt();
    }
    return QWidget::event(event);
}

void GraphImage::paintEvent(QPaintEvent* event) {
    // Only the parts asked for: a drag step repaints a few narrow bands of the picture.
    QPainter p(this);
    const qreal ratio = bitmap_.devicePixelRatio();
    for (const QRect& r : event->region()) {
        p.drawImage(QRectF(r), bitmap_,
                    QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    }
}

void GraphImage::resizeEvent(QResizeEvent* event) {
    if (event->size() == bitmap_.deviceIndependentSize().toSize()) return;
    ResetBitmap();
    emit bitmapRebuilt();
}

EqMarker::EqMarker(int index, QWidget* parent) : QWidget(parent) {
    setTag(index);
    resize(kSize, kSize);
    setCursor(Qt::SizeAllCursor);
}

void EqMarker::PaintFace(QPainter& p, Look look) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF ring = QRectF(0, 0, kSize, kSize).adjusted(1.5, 1.5, -1.5, -1.5);
    if (look == Look::Bypassed) {
        p.setPen(QPen(QColor(kBypassedRing), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(ring);
    } else {
        p.setPen(QPen(QColor(look::kAccentDark), 1.5));
        p.setBrush(QColor(255, 255, 255, 225));
        p.drawEllipse(ring);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(look::kAccent));
        p.drawEllipse(ring.center(), 2.5, 2.5);
    }
    p.restore();
}

void EqMarker::setLook(Look look) {
    if (look_ == look) return;
    look_ = look;
    if (!inLayer_) update();
}

void EqMarker::PlaceInLayer(QPoint position) {
    placedAt_ = position;
    inLayer_ = true;
    if (pos() != position) move(position);
}

void EqMarker::moveEvent(QMoveEvent*) {
    // A move reaches a hidden widget only when it is shown, so the place decides, not the time.
    if (inLayer_ && pos() != placedAt_) {
        inLayer_ = false;
        update();
        emit leftLayer(tag());
    }
}

void EqMarker::paintEvent(QPaintEvent*) {
    if (inLayer_) return;
    QPainter p(this);
    PaintFace(p, look_);
}

GraphPanel BuildGraphPanel(QWidget* parent, ControlRegistry& registry) {
    GraphPanel g;
    g.advPanel1 = Registered(new QWidget(parent), "AdvPanel1", registry);
    g.advPanel1->setAutoFillBackground(true);
    QPalette white = g.advPanel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    g.advPanel1->setPalette(white);

    g.advPanel2 = Registered(new QWidget(g.advPanel1), "AdvPanel2", registry);
    g.advPanel2->setAutoFillBackground(true);
    QPalette grey = g.advPanel2->palette();
    grey.setColor(QPalette::Window, QColor(238, 238, 238));
    g.advPanel2->setPalette(grey);
    g.advPanel2->setGeometry(kGraphLeft, kGraphTop, kGraphWidth, kGraphHeight);

    g.image1 = Registered(new GraphImage(g.advPanel2), "Image1", registry);
    g.image1->setGeometry(0, 0, kGraphWidth, kGraphHeight);
    g.image1->ResetBitmap();

    for (int i = 0; i < kEqMarkerCount; ++i) {
        auto* marker = new EqMarker(i, g.advPanel2);
        const QString name = i < 20 ? QStringLiteral("EP%1").arg(i + 1)
                                    : QString::fromLatin1(i == 20 ? "HPF" : "LPF");
        marker->setObjectName(name);
        registry.Add(marker);
        marker->hide();  // the first drawing of the curve places and shows them
        g.markers[i] = marker;
    }

    // The value label carries no English text; it is rewritten whenever a point moves.
    g.eqLabel =
        Registered(new SwappingLabel(QString(), QString(), g.advPanel2), "EQlabel", registry);
    g.eqLabel->setFont(look::Font(look::kLargeText, true));
    g.eqLabel->setStyleSheet(QStringLiteral("color: rgb(243,152,0); background: transparent;"));
    g.eqLabel->hide();
    g.eqPassLabel = Registered(
        new SwappingLabel(QStringLiteral("EQ PASS"), QStringLiteral("EQ PASS"), g.advPanel2),
        "EQPassLabel", registry);
    g.eqPassLabel->setFont(look::Font(18, true));
    g.eqPassLabel->setStyleSheet(QStringLiteral("color: rgb(208,127,0); background: transparent;"));
    g.eqPassLabel->adjustSize();
    g.eqPassLabel->hide();

    const QString off = QStringLiteral("0");
    g.eqPassGrop = MakeGroup(g.advPanel1, "EQPassGrop", registry);
    g.eqResetBtn =
        MakeButton(g.eqPassGrop, "EQResetBtn", QStringLiteral("EQ重置"), 72, 0, off, registry);
    g.musEqAllpassBtn = MakeButton(g.eqPassGrop, "MusEQAllpassBtn", QStringLiteral("EQ pass"), 72,
                                   0, off, registry);
    RowUp(g.eqPassGrop, {g.eqResetBtn, g.musEqAllpassBtn});

    // The side buttons carry the other language's caption in their hint; their tag is the side.
    g.copyGrop = MakeGroup(g.advPanel1, "CopyGrop", registry);
    g.leftBtn = MakeButton(g.copyGrop, "LeftBtn", QStringLiteral("音乐左"), 66, 0,
                           QStringLiteral("Left"), registry);
    g.sameBtn = MakeButton(g.copyGrop, "SameBtn", QStringLiteral("同步"), 66, 1, off, registry);
    g.rightBtn = MakeButton(g.copyGrop, "RightBtn", QStringLiteral("音乐右"), 66, 2,
                            QStringLiteral("Right"), registry);
    RowUp(g.copyGrop, {g.leftBtn, g.sameBtn, g.rightBtn});

    g.singleDiscoGrop = MakeGroup(g.advPanel1, "SingleDiscoGrop", registry);
    g.autoModeBtn = MakeButton(g.singleDiscoGrop, "AutoModeBtn", QStringLiteral("自动"), 62,
                               kManualModeAddress, off, registry);
    g.manulModeBtn = MakeButton(g.singleDiscoGrop, "ManulModeBtn", QStringLiteral("手动"), 62,
                                kManualModeAddress, off, registry);
    g.singModeBtn = MakeButton(g.singleDiscoGrop, "SingModeBtn", QStringLiteral("唱歌"), 62,
                               kSceneAddress, off, registry);
    g.discoModeBtn = MakeButton(g.singleDiscoGrop, "DiscoModeBtn", QStringLiteral("热舞"), 62,
                                kSceneAddress, off, registry);
    g.codeModeBtn = MakeButton(g.singleDiscoGrop, "CodeModeBtn", QStringLiteral("解码"), 62,
                               kSceneAddress, off, registry);
    RowUp(g.singleDiscoGrop,
          {g.autoModeBtn, g.manulModeBtn, g.singModeBtn, g.discoModeBtn, g.codeModeBtn});
    // A little more room between the auto / manual pair and the scenes.
    g.singModeBtn->move(g.singModeBtn->x() + 8, 0);
    g.discoModeBtn->move(g.discoModeBtn->x() + 8, 0);
    g.codeModeBtn->move(g.codeModeBtn->x() + 8, 0);
    g.singleDiscoGrop->resize(g.singleDiscoGrop->width() + 8, kButtonHeight);

    g.pinDcfBtn =
        MakeButton(g.advPanel1, "PinDCFBtn", QStringLiteral("低触发"), 72, 0, off, registry);
    g.pinPpBtn = MakeButton(g.advPanel1, "PinPPBtn", QStringLiteral("频谱"), 72, 0, off, registry);
    g.howlFinderBtn =
        MakeButton(g.advPanel1, "HowlFinderBtn", QStringLiteral("找啸叫"), 84, 0, off, registry);
    g.notchBtn = MakeButton(g.advPanel1, "NotchBtn", QStringLiteral("陷波"), 72, 0, off, registry);
    return g;
}

void LayOutGraphPanel(const GraphPanel& g) {
    const QSize outer = g.advPanel1->size();
    const QSize plot(std::max(1, outer.width() - kGraphLeft - kGraphRightMargin),
                     std::max(1, outer.height() - kGraphTop - kGraphBottomMargin));
    g.advPanel2->setGeometry(kGraphLeft, kGraphTop, plot.width(), plot.height());
    g.image1->setGeometry(0, 0, plot.width(), plot.height());
    g.eqPassLabel->move(plot.width() - g.eqPassLabel->width() - 10, 6);

    const int y = outer.height() - kGroupsFromBottom;
    int x = kGraphLeft;
    for (QWidget* group : {g.eqPassGrop, g.copyGrop, g.singleDiscoGrop}) {
        group->move(x, y);
        x += group->width() + kGroupGap;
    }
    const int right = kGraphLeft + plot.width();
    g.pinPpBtn->move(right - g.pinPpBtn->width(), y);
    g.pinDcfBtn->move(g.pinPpBtn->x() - kButtonGap - g.pinDcfBtn->width(), y);
    g.howlFinderBtn->move(g.pinDcfBtn->x() - kGroupGap - g.howlFinderBtn->width(), y);
    g.notchBtn->move(g.howlFinderBtn->x() - kButtonGap - g.notchBtn->width(), y);
}

}  // namespace zt
