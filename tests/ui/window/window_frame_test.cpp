// The window's own frame: its size, the window buttons and the graph that grows with it.
#include <QAbstractButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "ui/widgets/plain_edit.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/track_bar.h"
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

namespace zt {
namespace {

// The covered EQ point editor acts on the band it follows, through the ordinary handlers.
TEST_F(WindowFrame, PointEditorActsOnTheBandItFollows) {
    auto* frequencySpin = Get<SpinButtons>("ComEQFreUpDownBtn");
    auto* gainSpin = Get<SpinButtons>("ComEQGainUpDownBtn");
    EXPECT_EQ(frequencySpin->tag(), 0x000B) << "the first music band at start";
    EXPECT_EQ(Get<TrackBar>("ComEQGainBar")->tag(), 0x000C);
    EXPECT_EQ(Get<ValueEdit>("ComEQQvalueEdit")->tag(), 0x000D);

    const ParamStore& store = app().model().store();
    const int frequency = store.Get(0, 0x0B);
    frequencySpin->upButton()->click();
    EXPECT_EQ(store.Get(0, 0x0B), frequency + 1);

    window().eqPointEditor().FollowBand(0x0010);  // music band 2
    EXPECT_EQ(gainSpin->tag(), 0x0011);
    const int gain = store.Get(0, 0x11);
    gainSpin->downButton()->click();
    EXPECT_EQ(store.Get(0, 0x11), gain - 1);
    EXPECT_EQ(store.Get(0, 0x0B), frequency + 1) << "band 1 is left alone";
}

}  // namespace
}  // namespace zt
