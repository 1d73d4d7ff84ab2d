// The window's own frame: its size, the window buttons and the graph that grows with it.
#include <QAbstractButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "ui/window/window_geometry.h"
#include "window_fixture.h"

namespace zt {
namespace {

using WindowFrame = WindowFixture;

TEST_F(WindowFrame, DesignSizeAndRegions) {
    EXPECT_TRUE(window().windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window().windowTitle(), "ZT461 Audio Contrller");
    EXPECT_EQ(window().client()->size(), QSize(1204, 609));
    EXPECT_EQ(window().size(), QSize(1206, 611));
    EXPECT_EQ(window().formPageItem()->geometry(), QRect(0, 55, 944, 232));
    EXPECT_EQ(window().advPageControl1()->geometry(), QRect(944, 25, 260, 584));
    EXPECT_EQ(window().graph().advPanel1->geometry(), QRect(0, 287, 944, 322));
    EXPECT_EQ(window().graph().image1->size(), QSize(kGraphWidth, kGraphHeight));
    EXPECT_EQ(window().graph().image1->bitmap().size(), QSize(kGraphWidth, kGraphHeight));
}

TEST_F(WindowFrame, PointsCarryTheirIndex) {
    const auto& markers = window().graph().markers;
    for (int i = 0; i < kEqMarkerCount; ++i) {
        EXPECT_EQ(markers[i]->tag(), i);
        EXPECT_EQ(app().registry().Find(markers[i]->objectName()), markers[i]);
    }
    EXPECT_EQ(markers[0]->objectName(), "EP1");
    EXPECT_EQ(markers[19]->objectName(), "EP20");
    EXPECT_EQ(markers[20]->objectName(), "HPF");
    EXPECT_EQ(markers[21]->objectName(), "LPF");
}

TEST_F(WindowFrame, TheGraphGrowsWithTheWindow) {
    QSignalSpy rebuilt(window().graph().image1, &GraphImage::bitmapRebuilt);
    window().resize(1406, 811);
    EXPECT_EQ(window().formPageItem()->size(), QSize(1144, 232)) << "the pages keep their height";
    EXPECT_EQ(window().advPageControl1()->geometry(), QRect(1144, 25, 260, 784));
    const QSize graph = window().graph().image1->size();
    EXPECT_EQ(graph, QSize(kGraphWidth + 200, kGraphHeight + 200));
    EXPECT_EQ(window().graph().image1->bitmap().size(), graph);
    EXPECT_GE(rebuilt.count(), 1);
}

TEST_F(WindowFrame, MaximiseLeavesTheTaskBarFreeAndRestores) {
    const QRect normal = window().geometry();
    window().ToggleMaximised();
    EXPECT_TRUE(window().isMaximisedByUs());
    EXPECT_EQ(window().geometry(), window().screen()->availableGeometry());
    window().ToggleMaximised();
    EXPECT_FALSE(window().isMaximisedByUs());
    EXPECT_EQ(window().geometry(), normal);
}

TEST_F(WindowFrame, DraggingTheTitleStripMovesTheWindow) {
    const QPoint start = window().pos();
    QWidget* client = window().client();
    const QPoint grip(400, 12);  // the title strip, away from its labels and buttons
    QTest::mousePress(client, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(client, grip + QPoint(30, 20));
    QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, grip + QPoint(30, 20));
    EXPECT_EQ(window().pos(), start + QPoint(30, 20));
}

}  // namespace
}  // namespace zt
