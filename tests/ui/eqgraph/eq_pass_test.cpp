// The EQ pass on the linked window: the graph shows what the processor does (the flat line, or
// the filters the pass leaves in play, over the bands' dimmed curve), and a gesture on a field
// of a band the pass holds is refused as a drag of its point is: nothing stored, nothing sent,
// the field back at the held value.
#include <QTest>
#include <algorithm>
#include <functional>

#include "linked_graph.h"
#include "ui/editing/editor.h"
#include "ui/eqgraph/graph_painting.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/track_bar.h"
#include "ui/widgets/type_label.h"

namespace zt::test {
namespace {

constexpr int kGainPlus12 = 180;  // gain step of +12 dB (0 dB is 120)

// Music band 2 (from 1) and microphone band 2: type, frequency, gain, Q.
constexpr ParamAddress kMusicBand2 = 0x000F;
constexpr ParamAddress kMicBand2 = 0x0214;
constexpr ParamAddress kMicHighPassType = 0x0209;
constexpr ParamAddress kMicHighPassFrequency = 0x020A;

int ColourDistance(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}

class EqPass : public LinkedGraph {
protected:
    void TearDown() override {
        // The suite shares one window: the pass goes off and the bands and filter back.
        if (app().windowState().EqPassOn(app().channel().selectedPage)) {
            Click(panel().musEqAllpassBtn);
        }
        ChooseTab(kTabMusic);
        if (app().windowState().EqPassOn(0)) Click(panel().musEqAllpassBtn);
        editor().SetParameter(kMusicBand2 + 2, 120);
        ChooseTab(kTabMicA);
        if (app().windowState().EqPassOn(2)) Click(panel().musEqAllpassBtn);
        editor().SetParameter(kMicBand2 + 2, 120);
        editor().SetParameter(kMicHighPassType, 0);
        ChooseTab(kTabMusic);
        Writes();
    }

    Editor& editor() { return app().eqGraph().editor(); }

    void PassOn() {
        Click(panel().musEqAllpassBtn);
        ASSERT_TRUE(app().windowState().EqPassOn(app().channel().selectedPage));
        Writes();
    }

    // Gain in dB of a curve point.
    double GainAt(const CurvePoint& point) {
        const double ratio = panel().image1->devicePixelRatioF();
        return graph().mapping().GainOfY(point.y / ratio);
    }

    // Index of the curve's highest point.
    int PeakIndex(const CurvePoints& curve) {
        const auto peak = std::min_element(curve.begin(), curve.end(),
                                           [](const auto& a, const auto& b) { return a.y < b.y; });
        return static_cast<int>(peak - curve.begin());
    }

    // A point on the peak's flank, clear of the band's marker that sits on the peak.
    int FlankIndex(const CurvePoints& curve, int peak) {
        const double ratio = panel().image1->devicePixelRatioF();
        const int clear = static_cast<int>(panel().markers[0]->width() * ratio) + 2;
        int j = peak;
        while (j + 1 < static_cast<int>(curve.size()) &&
               (curve[j].x - curve[peak].x < clear || GainAt(curve[j]) > 6.0)) {
            ++j;
        }
        return j;
    }

    QColor PixelAt(const CurvePoint& point) {
        return QColor(panel().image1->bitmap().pixel(point.x, point.y));
    }
};

TEST_F(EqPass, TheMusicGraphShowsTheFlatLineOverTheBandsDimmedCurve) {
    editor().SetParameter(kMusicBand2 + 2, kGainPlus12);
    Writes();
    ASSERT_FALSE(graph().passShown());
    const int peak = PeakIndex(graph().curve());
    ASSERT_GT(GainAt(graph().curve()[peak]), 10.0);
    const int flank = FlankIndex(graph().curve(), peak);
    ASSERT_GT(GainAt(graph().curve()[flank]), 2.0) << "a flank well above the flat line";
    EXPECT_LT(ColourDistance(PixelAt(graph().curve()[flank]), graph().curveColour()), 100);

    PassOn();
    ASSERT_TRUE(graph().passShown());
    // The processor passes the signal unchanged: 0 dB everywhere, filters included.
    for (const CurvePoint& point : graph().passCurve()) {
        ASSERT_NEAR(GainAt(point), 0.0, 0.3) << "at x " << point.x;
    }
    EXPECT_LT(ColourDistance(PixelAt(graph().passCurve()[flank]), graph().curveColour()), 100);
    // The bands' curve stays behind it, dimmed: nearer the background than the curve's colour.
    ASSERT_GT(GainAt(graph().curve()[peak]), 10.0);
    const QColor behind = PixelAt(graph().curve()[flank]);
    EXPECT_LT(ColourDistance(behind, graph().dimmedCurveColour()), 60);
    EXPECT_GT(ColourDistance(behind, graph().curveColour()), 150);
    EXPECT_GT(ColourDistance(behind, QColor(kGraphBackground)), 30) << "the dimmed curve shows";

    Click(panel().musEqAllpassBtn);
    QApplication::processEvents();  // the graph draws once the click is handled
    EXPECT_FALSE(graph().passShown());
    EXPECT_LT(ColourDistance(PixelAt(graph().curve()[flank]), graph().curveColour()), 100)
        << "the bands' curve is the processor's again";
}

TEST_F(EqPass, TheMicrophoneGraphKeepsTheFiltersThePassLeavesInPlay) {
    ChooseTab(kTabMicA);
    editor().SetParameter(kMicHighPassType, 2);         // a 12 dB high-pass
    editor().SetParameter(kMicHighPassFrequency, 204);  // at 1 kHz
    editor().SetParameter(kMicBand2 + 1, 290);          // band 2 at a high frequency
    editor().SetParameter(kMicBand2 + 2, kGainPlus12);
    Writes();
    PassOn();
    const CurvePoints& pass = graph().passCurve();
    EXPECT_LT(GainAt(pass.front()), -10.0) << "the high-pass still cuts the lows";
    const int peak = PeakIndex(graph().curve());
    EXPECT_GT(GainAt(graph().curve()[peak]), 10.0);
    EXPECT_NEAR(GainAt(pass[peak]), 0.0, 1.0) << "the band passes the signal unchanged";
}

// One gesture on a field of music band 2, and the control whose text must return.
struct Gesture {
    const char* what;
    std::function<void()> act;
    const char* shown;  // the control showing the value: a value edit or a value pane
    ParamAddress address;
};

TEST_F(EqPass, GesturesOnTheFieldsOfAHeldBandAreRefused) {
    auto type = [this](const char* edit, const char* text) {
        auto* field = Get<ValueEdit>(edit);
        QTest::mouseClick(field, Qt::LeftButton);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    };
    const Gesture gestures[] = {
        {"typed frequency", [&] { type("MusFreEdit2", "2000"); }, "MusFreEdit2", kMusicBand2 + 1},
        {"typed gain", [&] { type("MusGainEdit2", "6"); }, "MusGainEdit2", kMusicBand2 + 2},
        {"typed Q", [&] { type("MusQEdit2", "3"); }, "MusQEdit2", kMusicBand2 + 3},
        {"arrow key on the gain",
         [this] {
             auto* field = Get<ValueEdit>("MusGainEdit2");
             QTest::mouseClick(field, Qt::LeftButton);
             QTest::keyClick(field, Qt::Key_Up);
         },
         "MusGainEdit2", kMusicBand2 + 2},
        {"Q spin button",
         [this] { editor().OnSpinButton(Get<SpinButtons>("MusQUpDownBtn2"), true); }, "MusQEdit2",
         kMusicBand2 + 3},
        {"gain bar",
         [this] {
             auto* bar = Get<TrackBar>("MusEQGainBar2");
             bar->setValue(bar->value() + 30);
         },
         "MusGainEdit2", kMusicBand2 + 2},
        {"type label", [this] { Click(Get<TypeLabel>("MusLSQBtn2")); }, nullptr, kMusicBand2},
        // The pass holds the music filters too, as it holds their points.
        {"high-pass bar",
         [this] {
             auto* bar = Get<TrackBar>("MusHPFREBar");
             bar->setValue(bar->value() + 40);
         },
         "MusHPFREPane", 0x0005},
    };
    PassOn();
    const ParamStore& store = app().model().store();
    for (const Gesture& g : gestures) {
        SCOPED_TRACE(g.what);
        const int held = store.Get(g.address);
        const int heldOnDevice = app().model().image().Get(Device(g.address));
        QWidget* shown = g.shown ? Get<QWidget>(g.shown) : nullptr;
        auto textOf = [](QWidget* w) {
            if (auto* edit = qobject_cast<ValueEdit*>(w)) return edit->text();
            if (auto* pane = qobject_cast<StatusPane*>(w)) return pane->caption();
            return QString();
        };
        const QString before = textOf(shown);
        g.act();
        QApplication::processEvents();
        EXPECT_TRUE(Writes().empty());
        EXPECT_EQ(store.Get(g.address), held);
        EXPECT_EQ(app().model().image().Get(Device(g.address)), heldOnDevice);
        if (shown) {
            EXPECT_EQ(textOf(shown), before) << "the field shows the held value";
        }
    }
    // The band's type control shows its held type: PEQ, not the low shelf.
    EXPECT_EQ(store.Get(kMusicBand2), 1);

    // With the pass off the same typing is an edit again.
    Click(panel().musEqAllpassBtn);
    Writes();
    type("MusGainEdit2", "6");
    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes.front(), (ProcessorWrite{Device(kMusicBand2 + 2), 150}));
}

TEST_F(EqPass, OnTheMicrophoneItsBandsAreHeldButItsFiltersAreNot) {
    ChooseTab(kTabMicA);
    PassOn();
    auto* gain = Get<ValueEdit>("MicGainEdit2");
    const QString before = gain->text();
    QTest::mouseClick(gain, Qt::LeftButton);
    gain->selectAll();
    QTest::keyClick(gain, Qt::Key_Backspace);
    QTest::keyClicks(gain, "6");
    QTest::keyClick(gain, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(gain->text(), before);

    auto* highPass = Get<TrackBar>("MicHPFreBar");
    highPass->setValue(highPass->value() + 40);
    const auto writes = Writes();
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes.back(), (ProcessorWrite{Device(kMicHighPassFrequency), highPass->value()}));
}

}  // namespace
}  // namespace zt::test
