// The EQ graph on the real window: grid and axis labels for the plot's size, the curve as the
// mapped sum of the items' responses, the markers and the information label, per page layout.
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <set>

#include "graph_window.h"
#include "ui/editing/editor.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/swapping.h"

namespace zt::test {
namespace {

constexpr QRgb kBackground = 0xFFEEEEEE;
constexpr QRgb kMajor = 0xFFD2D2D2;
constexpr QRgb kMinor = 0xFFDCDCDC;
constexpr double kDecades = 3.380211241711606;

// Independent of the graph's own mapping code: the axes as the window shows them.
double XOf(double hz, double width) {
    return (std::log10(hz) - 1.0) / kDecades * width;
}
double YOf(double db, double height) {
    return (12.0 - db) / 36.0 * (height - 1.0);
}

using GraphDrawing = GraphWindow;

TEST_F(GraphDrawing, GridAndAxisLabelsFollowThePlotSize) {
    const QSize design = panel().image1->size();
    ASSERT_EQ(design, QSize(883, 268));
    EXPECT_NEAR(graph().mapping().XOfFrequency(1000), 522.4, 0.1);
    EXPECT_NEAR(graph().mapping().XOfFrequency(100), 261.2, 0.1);
    EXPECT_EQ(Round(graph().mapping().YOfGain(0)), 89);
    EXPECT_EQ(Round(graph().mapping().YOfGain(-24)), 267);

    for (const QSize windowSize :
         {QSize(), QSize(1500, 800), QSize(1920, 1080), QSize(1206, 611)}) {
        if (windowSize.isValid()) ResizeWindow(windowSize);
        const int w = panel().image1->width();
        const int h = panel().image1->height();
        SCOPED_TRACE(testing::Message() << "plot " << w << " x " << h);
        ASSERT_EQ(bitmap().deviceIndependentSize().toSize(), QSize(w, h));
        if (windowSize == QSize(1920, 1080)) {
            EXPECT_GT(w, 1500) << "the graph grows with the window";
        }

        // Every pixel of a row between two gain lines is background or a frequency line.
        std::set<int> major = {0}, minor = {w - 1, Round(XOf(20000, w))};
        for (double decade : {100.0, 1000.0, 10000.0}) {
            const int x = Round(XOf(decade, w));
            major.insert(x);
            major.insert(x - 1);
        }
        for (double decade : {10.0, 100.0, 1000.0}) {
            for (int n = 2; n <= 9; ++n) minor.insert(Round(XOf(n * decade, w)));
        }
        const int between = Round(YOf(-1.5, h));
        for (int x = 0; x < w; ++x) {
            const QRgb expected = major.count(x) ? kMajor : minor.count(x) ? kMinor : kBackground;
            ASSERT_EQ(GridPixelAt(x, between), expected) << "x " << x;
        }
        // Gain lines: 0 dB and the bottom border major, -12 dB minor.
        const int free = Round((XOf(1000, w) + XOf(2000, w)) / 2);
        EXPECT_EQ(GridPixelAt(free, Round(YOf(0, h))), kMajor);
        EXPECT_EQ(GridPixelAt(free, h - 1), kMajor);
        EXPECT_EQ(GridPixelAt(free, Round(YOf(-12, h))), kMinor);
        EXPECT_EQ(GridPixelAt(free, Round(YOf(-13.5, h))), kBackground);

        // Labels: "1KHz" centred under 1 kHz, "0dB" centred on its line left of the plot.
        const QWidget* plot = panel().advPanel2;
        const QLabel* khz = Get<QLabel>("EQLabelX16");
        EXPECT_EQ(khz->text(), "1KHz");
        EXPECT_NEAR(khz->x() + khz->width() / 2, plot->x() + XOf(1000, w), 1.0);
        EXPECT_EQ(khz->y(), plot->y() + h);
        const QLabel* zero = Get<QLabel>("EQLabelY4");
        EXPECT_EQ(zero->text(), "0dB");
        EXPECT_EQ(zero->x() + zero->width(), plot->x() - 2);
        EXPECT_NEAR(zero->y() + zero->height() / 2, plot->y() + YOf(0, h), 1.0);
        EXPECT_EQ(Get<QLabel>("EQLabelY0")->text(), "-24dB");
        EXPECT_EQ(Get<QLabel>("EQLabelX20")->text(), "20KHz");
    }
}

// Sets band `band` of the music page: type, frequency index, gain step, Q index, slope index.
void SetMusicBand(ParamStore& store, int band, int type, int frequency, int gain, int q,
                  int slope) {
    const int first = 10 + 5 * band;
    for (int field = 0; const int v : {type, frequency, gain, q, slope}) {
        store.Set(0, first + field++, v);
    }
}

TEST_F(GraphDrawing, CurveIsTheMappedSumOfTheItems) {
    ParamStore& s = store();
    SetMusicBand(s, 0, 2, 40, 150, 0, 12);   // low shelf, +6 dB
    SetMusicBand(s, 1, 1, 200, 60, 100, 0);  // PEQ at Q 128, -12 dB
    SetMusicBand(s, 2, 3, 330, 90, 0, 5);    // high shelf, -6 dB
    SetMusicBand(s, 3, 0, 250, 170, 30, 0);  // bypassed: contributes 0 dB
    s.Set(0, 4, 3);                          // high-pass 12dB Butterworth
    s.Set(0, 5, 60);
    s.Set(0, 6, 8);  // low-pass 24dB Butterworth
    s.Set(0, 7, 320);
    graph().DrawEqCurve(100, 0);

    struct Item {
        int type;
        double hz;
        float gain;
        float q;
    };
    std::vector<Item> items;
    for (int band = 0; band < 15; ++band) {
        const int first = 10 + 5 * band;
        const int type = s.Get(0, first);
        items.push_back({type, FrequencyHz(s.Get(0, first + 1)),
                         static_cast<float>(s.Get(0, first + 2)) / 5.0f - 24.0f,
                         static_cast<float>(QValue(s.Get(0, first + (type >= 2 ? 4 : 3))))});
    }
    items.push_back({103, FrequencyHz(60), 0, 0});
    items.push_back({208, FrequencyHz(320), 0, 0});

    std::vector<ResponseArray> responses(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        ASSERT_TRUE(BandResponse(responses[i], Round(items[i].hz), items[i].gain, items[i].q,
                                 static_cast<PointTypeCode>(items[i].type)));
    }
    const double w = panel().image1->width();
    const double h = panel().image1->height();
    const float step = static_cast<float>(w / 462);
    const CurvePoints& curve = graph().curve();
    for (int j = 0; j <= 462; ++j) {
        float sum = 0;
        for (const ResponseArray& r : responses) sum += r[j];
        ASSERT_EQ(curve[j].x, Round(j * step)) << j;
        ASSERT_EQ(curve[j].y, Round(YOf(sum, h))) << j;
    }
    // The drawn polyline runs through curve points 0..461 in order, ends on point 461, and is
    // painted in the curve's colour.
    const std::vector<SplinePoint>& line = graph().curveLayer().polyline();
    std::size_t vertex = 0;
    for (int j = 0; j < 462; ++j) {
        const SplinePoint point{static_cast<double>(curve[j].x), static_cast<double>(curve[j].y)};
        while (vertex < line.size() && !(line[vertex] == point)) ++vertex;
        ASSERT_LT(vertex, line.size()) << "point " << j << " is on the line";
    }
    EXPECT_EQ(line.back(), (SplinePoint{double(curve[461].x), double(curve[461].y)}))
        << "point 462 is not drawn";
    const CurvePoint mid = curve[231];
    const QColor painted = QColor::fromRgb(PixelAt(mid.x, mid.y));
    EXPECT_GT(painted.red(), 240);
    EXPECT_LT(painted.blue(), 120) << "the curve's orange at its middle point";
}

TEST_F(GraphDrawing, SwitchedOffFiltersDrawAsBypassAtTheEnds) {
    store().Set(0, 4, 5);
    store().Set(0, 5, 0);  // high-pass at index 0: off
    store().Set(0, 6, 7);
    store().Set(0, 7, 361);  // low-pass at the last index: off
    graph().DrawEqCurve(100, 0);
    const EqPoint& high = graph().points().items[15];
    const EqPoint& low = graph().points().items[16];
    EXPECT_EQ(high.type, 100);
    EXPECT_FLOAT_EQ(high.frequency, 19.0f);
    EXPECT_EQ(low.type, 200);
    EXPECT_FLOAT_EQ(low.frequency, 20600.0f);
    for (const EqPoint* filter : {&high, &low}) {
        for (float db : filter->response) ASSERT_EQ(db, 0.0f);
    }
    const double w = panel().image1->width();
    const double h = panel().image1->height();
    EXPECT_EQ(panel().markers[20]->pos(), QPoint(Round(XOf(19, w) - 7), Round(YOf(0, h) - 7)));
    EXPECT_EQ(panel().markers[21]->pos(), QPoint(Round(XOf(20600, w) - 7), Round(YOf(0, h) - 7)));
}

// A stored crossover type beyond the table (from a file or the processor) has no response: the
// item draws flat, not the response it held for another band or page.
TEST_F(GraphDrawing, ACrossoverTypeBeyondTheTableDrawsFlat) {
    store().Set(0, 4, 5);
    store().Set(0, 5, 150);
    graph().DrawEqCurve(100, 0);
    const EqPoint& high = graph().points().items[15];
    ASSERT_NE(*std::min_element(high.response.begin(), high.response.end()), 0.0f);
    store().Set(0, 4, 15);
    graph().DrawEqCurve(15, 0);
    EXPECT_EQ(high.type % 20, 15);
    for (float db : high.response) ASSERT_EQ(db, 0.0f);
}

TEST_F(GraphDrawing, MarkerAndInformationLabelOfABand) {
    struct Case {
        int gainStep;
        const char* text;
        bool above;
    };
    const Case cases[] = {
        {105, "-3.0dB\nQ:1.00\n1000.00Hz", true},
        {135, "3.0dB\nQ:1.00\n1000.00Hz", false},
        {120, "0.0dB\nQ:1.00\n1000.00Hz", false},
    };
    const int q1 = 16;  // Q 1.00
    int index1k = 0;
    while (FrequencyHz(index1k) < 1000) ++index1k;
    ASSERT_EQ(FrequencyHz(index1k), 1000.0);
    const double w = panel().image1->width();
    const double h = panel().image1->height();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_DOUBLE_EQ(QValue(q1), 1.0);
        SetMusicBand(store(), 4, 1, index1k, c.gainStep, q1, 0);
        graph().DrawEqCurve(4, 0);
        const QWidget* marker = panel().markers[4];
        const double gain = c.gainStep / 5.0 - 24.0;
        EXPECT_EQ(marker->pos(), QPoint(Round(XOf(1000, w) - 7), Round(YOf(gain, h) - 7)));
        const SwappingLabel* label = panel().eqLabel;
        EXPECT_TRUE(label->isVisible());
        EXPECT_EQ(label->text(), c.text);
        // Centred under the marker (above it for a cut) when that covers no other marker;
        // otherwise somewhere around it that covers none.
        const QPoint usual(
            marker->x() - label->width() / 2 + 7,
            c.above ? marker->y() - 1 - label->height() : marker->y() + marker->height());
        auto coversAMarker = [&](const QRect& place) {
            for (const EqMarker* other : panel().markers) {
                if (other != marker && !other->isHidden() && other->geometry().intersects(place)) {
                    return true;
                }
            }
            return false;
        };
        if (!coversAMarker(QRect(usual, label->size()))) {
            EXPECT_EQ(label->pos(), usual);
        } else {
            EXPECT_FALSE(coversAMarker(label->geometry()));
            EXPECT_TRUE(label->geometry().intersects(marker->geometry().adjusted(-4, -4, 4, 4)))
                << "beside its marker";
        }
    }
    graph().DrawEqCurve(100, 0);
    EXPECT_FALSE(panel().eqLabel->isVisible()) << "a full redraw hides the label";
}

// A bypassed band passes the signal unchanged: its marker is a hollow grey ring on the curve,
// not a filled one at the gain it would have.
TEST_F(GraphDrawing, BypassedBandsSitOnTheCurveInTheirOwnLook) {
    int index1k = 0;
    while (FrequencyHz(index1k) < 1000) ++index1k;
    SetMusicBand(store(), 3, 0, index1k, 170, 30, 0);  // bypassed at +10 dB
    SetMusicBand(store(), 4, 1, index1k, 150, 16, 0);  // PEQ +6 dB at the same place
    graph().DrawEqCurve(100, 0);
    const EqMarker* bypassed = panel().markers[3];
    EXPECT_EQ(bypassed->look(), EqMarker::Look::Bypassed);
    EXPECT_EQ(panel().markers[4]->look(), EqMarker::Look::Band);
    const double h = panel().image1->height();
    const double w = panel().image1->width();
    auto curveYAt = [&](double x) {
        const double ratio = bitmap().devicePixelRatio();  // the curve is in device pixels
        return graph().curveLayer().YAt(x * ratio) / ratio;
    };
    EXPECT_NEAR(MarkerCentre(3).y(), curveYAt(XOf(1000, w)), 1.0);
    EXPECT_NEAR(MarkerCentre(3).y(), YOf(6, h), 1.5) << "on the PEQ's peak, not at +10 dB";
    // Another band changes the curve: the bypassed marker follows it.
    SetMusicBand(store(), 4, 1, index1k, 90, 16, 0);  // -6 dB
    graph().DrawEqCurve(4, 0);
    EXPECT_NEAR(MarkerCentre(3).y(), YOf(-6, h), 1.5);
    // Switched on again, it stands at its own gain in the band's look.
    SetMusicBand(store(), 3, 1, index1k, 170, 30, 0);
    graph().DrawEqCurve(3, 0);
    EXPECT_EQ(bypassed->look(), EqMarker::Look::Band);
    EXPECT_NEAR(MarkerCentre(3).y(), YOf(10, h), 1.0);
}

TEST_F(GraphDrawing, MarkersShownFollowThePageLayout) {
    struct Case {
        int page;
        int bands;
        bool filters;
    };
    const Case cases[] = {{0, 15, true},   {1, 3, false}, {2, 20, true},  {4, 7, true},
                          {5, 7, true},    {6, 10, true}, {25, 5, false}, {7, 10, false},
                          {23, 10, false}, {27, 5, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        graph().DrawEqCurve(100, c.page);
        EXPECT_EQ(graph().bands(), c.bands);
        EXPECT_EQ(graph().points().lastItem, c.bands - 1 + (c.filters ? 2 : 0));
        for (int k = 0; k < 20; ++k) EXPECT_EQ(panel().markers[k]->isVisible(), k < c.bands) << k;
        EXPECT_EQ(panel().markers[20]->isVisible(), c.filters);
        EXPECT_EQ(panel().markers[21]->isVisible(), c.filters);
    }
    // Pages from 28 on and items above 100 are not drawn.
    const CurvePoints before = graph().curve();
    const int page = graph().points().page;
    graph().DrawEqCurve(100, 28);
    graph().DrawEqCurve(101, 0);
    EXPECT_EQ(graph().points().page, page);
    EXPECT_EQ(graph().curve(), before);
}

TEST_F(GraphDrawing, ChangesOfAnotherPageLeaveTheGraphAlone) {
    graph().DrawEqCurve(100, 0);
    const CurvePoints music = graph().curve();
    // A microphone band's gain changes while the music page is shown.
    auto* gain = qobject_cast<ValueEdit*>(app().binding().BoundControlOf(0x0200 + 15 + 2));
    ASSERT_TRUE(gain);
    app().eqGraph().editor().SetValue(gain, 0, false, 170);
    ASSERT_EQ(app().eqGraph().editor().lastWritten().address, 0x0211);
    app().eqGraph().OnTimer1Tick();
    EXPECT_EQ(graph().points().page, 0);
    EXPECT_EQ(graph().curve(), music);
    // A partial redraw asked for another page draws that page whole.
    graph().DrawEqCurve(0, 2);
    EXPECT_EQ(graph().points().page, 2);
    EXPECT_EQ(graph().bands(), 20);
    EXPECT_FLOAT_EQ(graph().points().items[0].gain, 10.0f);
    EXPECT_TRUE(panel().markers[19]->isVisible());
}

TEST_F(GraphDrawing, TypedFrequencyRedrawsWithinOneTimer1Tick) {
    auto* edit = Get<ValueEdit>("MusFreEdit1");
    const float before = graph().points().items[0].frequency;
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClicks(edit, "2500");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FLOAT_EQ(graph().points().items[0].frequency, before) << "nothing redraws by itself";
    app().eqGraph().OnTimer1Tick();
    EXPECT_NEAR(graph().points().items[0].frequency, 2500.0f, 30.0f);
    const QPoint centre = MarkerCentre(0);
    EXPECT_NEAR(centre.x(), XOf(graph().points().items[0].frequency, panel().image1->width()), 1);
}

}  // namespace
}  // namespace zt::test
