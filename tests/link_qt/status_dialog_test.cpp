// TForm2, the status dialog: its elements, texts, progress rounding and LED bar.

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QTest>

#include "link/qt/led_progress_bar.h"
#include "link/qt/status_dialog.h"

namespace zt {
namespace {

int LitPixels(LedProgressBar& bar) {
    const QImage image = bar.grab().toImage();
    int lit = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == LedProgressBar::LitColor()) ++lit;
        }
    }
    return lit;
}

TEST(StatusDialogTest, HasItsElementsAndTexts) {
    TForm2 dialog;
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("设备状态"));
    EXPECT_EQ(dialog.comLabel()->text(), QStringLiteral("COM1"));
    EXPECT_EQ(dialog.warnLabel()->text(), QString::fromUtf8("请稍等,可能需要几秒钟才能完成操作！"));
    for (const char* name : {"LinkLabel", "ComLabel", "WarnLabel", "RzProgressStatus1"}) {
        EXPECT_NE(dialog.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    }
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);

    dialog.SetLanguage(0);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Device Staus"));
    EXPECT_EQ(dialog.warnLabel()->text(), QStringLiteral("Please Wait for a moment!"));
    dialog.SetLinkText(QStringLiteral("Linking..."));
    dialog.SetPortName(QStringLiteral("ZT461-SIM"));
    EXPECT_EQ(dialog.linkLabel()->text(), QStringLiteral("Linking..."));
    EXPECT_EQ(dialog.comLabel()->text(), QStringLiteral("ZT461-SIM"));
}

TEST(StatusDialogTest, ProgressRoundsHalvesToEven) {
    struct Case {
        int counter, total, percent;
    };
    for (const Case& c : std::vector<Case>{{30, 38, 79},
                                           {0, 38, 0},
                                           {38, 38, 100},
                                           {1, 8, 12},   // 12.5
                                           {3, 8, 38},   // 37.5
                                           {1, 200, 0},  // 0.5
                                           {3, 200, 2},  // 1.5
                                           {29, 29, 100},
                                           {5, 0, 0}}) {
        EXPECT_EQ(TForm2::ProgressPercent(c.counter, c.total), c.percent)
            << c.counter << "/" << c.total;
    }
    TForm2 dialog;
    dialog.SetProgress(30, 38);
    EXPECT_EQ(dialog.progressBar()->percent(), 79);
}

TEST(StatusDialogTest, LedBarLightsSegmentsFromTheLeft) {
    LedProgressBar bar;
    bar.resize(260, 20);
    EXPECT_EQ(LitPixels(bar), 0);
    bar.SetPercent(50);
    const int half = LitPixels(bar);
    EXPECT_GT(half, 0);
    bar.SetPercent(100);
    const int full = LitPixels(bar);
    EXPECT_NEAR(full, 2 * half, full / LedProgressBar::kSegments + 1);
    // The lit half is the left half.
    bar.SetPercent(50);
    const QImage image = bar.grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() / 4, image.height() / 2), LedProgressBar::LitColor());
    EXPECT_NE(image.pixelColor(image.width() * 3 / 4, image.height() / 2),
              LedProgressBar::LitColor());
    bar.SetPercent(250);
    EXPECT_EQ(bar.percent(), 100);
}

TEST(StatusDialogTest, ClosingOnlyHides) {
    TForm2 dialog;
    dialog.ShowOnTop();
    EXPECT_TRUE(dialog.isVisible());
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
    dialog.ShowOnTop();
    EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
}  // namespace zt
