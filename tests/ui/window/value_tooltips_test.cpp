// The range tooltips of the parameter controls: one control of every value kind the window
// shows, in both languages, and the volume range markers.
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"
#include "ui/window/value_tooltips.h"
#include "window_fixture.h"

namespace zt {
namespace {

class Tooltips : public WindowFixture {
protected:
    QString Tip(const char* name) { return app().tooltips()->TextFor(Get<QWidget>(name)); }
    // The value kind a control shows: its own, or for a bar its pane's.
    int KindOf(const char* name) {
        QWidget* control = Get<QWidget>(name);
        if (qobject_cast<TrackBar*>(control)) {
            control = app().binding().PaneOf(PropsOf(control)->tag());
        }
        return control ? PropsOf(control)->hint().toInt() : -1;
    }
};

struct TipCase {
    const char* control;
    int kind;
    const char* english;
    const char* chinese;
};

const TipCase kCases[] = {
    {"MusFreEdit1", 2, "Range: 19.7 to 20600 Hz", "范围：19.7 至 20600 Hz"},
    {"MusGainEdit1", 3, "Range: -24.0 to 12.0 dB", "范围：-24.0 至 12.0 dB"},
    {"MusQEdit1", 4, "Range: 0.40 to 128.00", "范围：0.40 至 128.00"},
    {"MusGain1Edit", 5, "Range: -10.0 to 10.0 dB", "范围：-10.0 至 10.0 dB"},
    {"MusHPFREBar", 6, "Range: 19.7 to 20600 Hz", "范围：19.7 至 20600 Hz"},
    {"EchoEffLevelBar", 8, "Range: 0 to 100 %", "范围：0 至 100 %"},
    {"MainMusLevelBar", 9, "Range: 0 to 200 %", "范围：0 至 200 %"},
    {"EchoRTimeBar", 10, "Range: -50 to 50 %", "范围：-50 至 50 %"},
    {"EchoTimeBar", 11, "Range: 0 to 500 ms", "范围：0 至 500 ms"},
    {"RvbTimeBar", 12, "Range: 0 to 5000 ms", "范围：0 至 5000 ms"},
    {"MainRmsLevelBar", 14, "Range: -20 to 14 dBu", "范围：-20 至 14 dBu"},
    {"MicRmsRatioBar", 15, "Range: 1.0 to 100", "范围：1.0 至 100"},
    {"MicRmsReleaseBar", 16, "Range: Atk x 2 to Atk x 32", "范围：启动 x 2 至 启动 x 32"},
    {"MicRmsAttackBar", 17, "Range: 0.5 to 400 ms", "范围：0.5 至 400 ms"},
    {"MainLdelayBar", 18, "Range: 0.0 to 50.0 ms", "范围：0.0 至 50.0 ms"},
    {"DEQRmsLevelBar1", 20, "Range: -60 to 0 dBu", "范围：-60 至 0 dBu"},
    {"MusPitchBar", 21, "Range: -7 to 7", "范围：-7 至 7"},
    {"MicInputGainBar", 22, "Range: -10 to 10 dB", "范围：-10 至 10 dB"},
    {"MicFBEBar", 23, "Range: 0 to 4", "范围：0 至 4"},
    {"MicNoiseLevelBar", 24, "Range: -90 to -30 dB", "范围：-90 至 -30 dB"},
    {"MicRmsLevelBar", 25, "Range: -34 to 0 dB", "范围：-34 至 0 dB"},
    {"EchoPreDelayBar", 26, "Range: -100 to 150 ms", "范围：-100 至 150 ms"},
    // Bars that stop short of their kind, the dynamic EQ's gain floor, the volumes.
    {"EchoRPreDelayBar", 8, "Range: 0 to 50 %", "范围：0 至 50 %"},
    {"DEQGainEdit1", 3, "Range: -12.0 to 12.0 dB", "范围：-12.0 至 12.0 dB"},
    {"SysMusNormalVolBar", -1, "Range: 0 to 84", "范围：0 至 84"},
};

TEST_F(Tooltips, EveryValueKindNamesItsRangeAndUnitInBothLanguages) {
    for (const TipCase& c : kCases) {
        if (c.kind >= 0) {
            EXPECT_EQ(KindOf(c.control), c.kind) << c.control;
        }
        EXPECT_EQ(Tip(c.control), QString::fromUtf8(c.english)) << c.control;
    }
    app().OnLanguageButton();
    for (const TipCase& c : kCases) {
        EXPECT_EQ(Tip(c.control), QString::fromUtf8(c.chinese)) << c.control;
    }
}

TEST_F(Tooltips, PanesSpinButtonsAndGainBarsExplainTheirControl) {
    EXPECT_EQ(Tip("MusHPFREPane"), Tip("MusHPFREBar"));
    EXPECT_EQ(Tip("MusQUpDownBtn1"), Tip("MusQEdit1"));
    EXPECT_EQ(Tip("MusGain1UpDown"), Tip("MusGain1Edit"));
    EXPECT_EQ(Tip("MusEQGainBar1"), Tip("MusGainEdit1"));
    EXPECT_EQ(Tip("DEQGainBar1"), "Range: -12.0 to 12.0 dB");
    EXPECT_TRUE(Tip("Example").isEmpty());
    EXPECT_TRUE(Tip("MusHPTypeBox").isEmpty()) << "a selector lists its own choices";
}

TEST_F(Tooltips, RangesFollowTheChannelAndTheBandType) {
    window().tabStrip().tabs[kTabSub]->click();
    EXPECT_EQ(Tip("MainMusLevelBar"), "Range: 0 to 400 %");
    EXPECT_EQ(Tip("MainEchoALevelBar"), "Range: 0 to 200 %");
    window().tabStrip().tabs[kTabMain]->click();
    EXPECT_EQ(Tip("MainMusLevelBar"), "Range: 0 to 200 %");
    // A shelving band's Q stops at 1.60.
    app().model().StoreValue(0x000A, 2);
    EXPECT_EQ(Tip("MusQEdit1"), "Range: 0.40 to 1.60");
}

TEST_F(Tooltips, VolumeMarkersSayWhatTheySet) {
    app().model().StoreValue(0x1D05, 20);
    EXPECT_EQ(Tip("MusStartImage"),
              "Initial music volume: 20\nDrag along the bar to set it (0 to 84)");
    EXPECT_TRUE(Tip("MicMaxImage").startsWith("Max mic volume: "));
    EXPECT_TRUE(Tip("EffStartImage").startsWith("Initial effect volume: "));
    app().OnLanguageButton();
    EXPECT_EQ(Tip("MusStartImage"),
              QStringLiteral("音乐起始音量：20\n沿音量条拖动设置（0 至 84）"));
}

TEST_F(Tooltips, HoveringShowsTheTooltip) {
    auto* bar = Get<TrackBar>("SysMusMaxVolBar");
    window().advPageControl1()->setCurrentIndex(1);
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), bar->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(bar, &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Range: 0 to 84");
    QToolTip::hideText();
}

}  // namespace
}  // namespace zt
