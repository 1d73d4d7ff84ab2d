#include "link/qt/status_dialog.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "link/qt/led_progress_bar.h"

namespace zt {
namespace {

struct Texts {
    const char* caption;
    const char* note;
};
constexpr Texts kEnglish{"Device Staus", "Please Wait for a moment!"};
constexpr Texts kChinese{"设备状态", "请稍等,可能需要几秒钟才能完成操作！"};

QLabel* MakeLabel(const char* objectName, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

}  // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("TForm2"));
    linkLabel_ = MakeLabel("LinkLabel", QStringLiteral("设备未连接"), this);
    comLabel_ = MakeLabel("ComLabel", QStringLiteral("COM1"), this);
    warnLabel_ = MakeLabel("WarnLabel", QString(), this);
    progress_ = new LedProgressBar(this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(linkLabel_, 0, 0);
    layout->addWidget(comLabel_, 0, 1, Qt::AlignRight);
    layout->addWidget(progress_, 1, 0, 1, 2);
    layout->addWidget(warnLabel_, 2, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    setMinimumWidth(360);
    SetLanguage(1);
}

void TForm2::SetLanguage(int language) {
    language_ = language == 1 ? 1 : 0;
    const Texts& texts = language_ == 1 ? kChinese : kEnglish;
    setWindowTitle(QString::fromUtf8(texts.caption));
    warnLabel_->setText(QString::fromUtf8(texts.note));
}

void TForm2::SetLinkText(const QString& text) {
    linkLabel_->setText(text);
}

void TForm2::SetPortName(const QString& name) {
    comLabel_->setText(name);
}

void TForm2::SetProgress(int counter, int total) {
    progress_->SetPercent(ProgressPercent(counter, total));
}

int TForm2::ProgressPercent(int counter, int total) {
    if (total <= 0) return 0;
    const long long scaled = static_cast<long long>(counter) * 100;
    long long quotient = scaled / total;
    const long long twiceRest = 2 * (scaled % total);
    if (twiceRest > total || (twiceRest == total && quotient % 2 != 0)) ++quotient;
    return static_cast<int>(quotient);
}

void TForm2::ShowOnTop() {
    if (!placed_) {
        adjustSize();
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = rect();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
}

void TForm2::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

}  // namespace zt
