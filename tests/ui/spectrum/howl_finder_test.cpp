// The feedback finder on the linked window: a howl handed to the finder's feed gets a marker at
// its frequency in both languages; "Notch" writes a narrow cut on a free band of MIC A to the
// simulated processor, a second press deepens it, undo takes each press back; with no free band
// or off a microphone channel it says why and writes nothing.

#include <QAction>
#include <QMenu>
#include <cmath>
#include <cstring>

#include "eqgraph/howl_notch.h"
#include "params/page_table.h"
#include "params/value_tables.h"
#include "tests/spectrum/programme_signals.h"
#include "tests/ui/eqgraph/linked_graph.h"
#include "ui/app/editing_side.h"
#include "ui/spectrum/howl_finder_side.h"
#include "ui/spectrum/howl_marker.h"

namespace zt::test {
namespace {

using namespace testing_support;

constexpr int kMicPage = 2;
constexpr int kFirstBandSlot = 15;

ParamAddress BandField(int page, int band, int field) {
    return MakeAddress(page, kFirstBandSlot + band * 5 + field);
}

class HowlFinderOnTheGraph : public LinkedGraph {
protected:
    void SetUp() override {
        LinkedGraph::SetUp();
        if (HasFatalFailure()) return;
        ChooseTab(kTabMicA);
        Writes();
        if (!finder().capture().on()) Click(panel().howlFinderBtn);
        ASSERT_TRUE(finder().capture().on()) << "the finder found no sound input";
        // The test hands the finder its sound: capture would add the server's.
        finder().capture().audio()->SetPaused(true);
        QTest::qWait(100);
        finder().capture().feed().SetOn(false);
        finder().capture().feed().SetOn(true);
        // The window forgets the marks of before too, not only at its next poll.
        finder().Poll();
        ASSERT_TRUE(finder().markers().empty());
        messages().shown.clear();
    }
    void TearDown() override {
        while (history().Undo()) {
        }
        Writes();
    }

    HowlFinderSide& finder() { return app().howlFinder(); }
    EditHistory& history() { return app().editing().history(); }
    RecordingMessages& messages() { return static_cast<RecordingMessages&>(app().messages()); }

    // A second of a steady tone at -20 dB RMS over quiet pink noise, in 16-bit blocks.
    void Howl(double hz) {
        std::vector<float> sound = PinkNoise(1.0, -60.0, 7);
        AddHowl(sound, {hz, 0.0, 0.0, -20.0, -20.0});
        std::vector<std::uint8_t> block(2048);
        for (std::size_t at = 0; at + 1024 <= sound.size(); at += 1024) {
            for (std::size_t j = 0; j < 1024; ++j) {
                const auto s = static_cast<std::int16_t>(std::lround(sound[at + j] * 32767.0f));
                std::memcpy(block.data() + 2 * j, &s, 2);
            }
            finder().capture().feed().Offer(block);
        }
        finder().Poll();
    }
    int Value(ParamAddress device) { return app().model().image().Get(device); }
    QString Pick(const char* chinese, const char* english) {
        return app().language().Pick(chinese, english);
    }
};

TEST_F(HowlFinderOnTheGraph, MarksTheHowlNotchesDeepensAndUndoesOneStepPerPress) {
    const double hz = 1250.0;
    Howl(hz);
    ASSERT_EQ(finder().markers().size(), 1u);
    HowlMarker* marker = finder().markers()[0];
    EXPECT_TRUE(marker->isVisible());
    EXPECT_NEAR(marker->pointX(), graph().mapping().XOfFrequency(hz), 2.0);
    // In both languages.
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(marker->text(), Pick("啸叫 1.25 kHz -17 dB", "Howl 1.25 kHz -17 dB"));
        EXPECT_EQ(panel().notchBtn->text(), Pick("陷波", "Notch"));
        EXPECT_EQ(panel().howlFinderBtn->text(), Pick("找啸叫", "Find Howls"));
        app().OnLanguageButton();
        finder().Poll();
    }

    // The marker's menu: band 1, a flat PEQ, becomes the notch.
    const int before[] = {Value(BandField(kMicPage, 0, kFieldFrequency)),
                          Value(BandField(kMicPage, 0, kFieldGain)),
                          Value(BandField(kMicPage, 0, kFieldQ))};
    ASSERT_EQ(Value(BandField(kMicPage, 0, kFieldType)), kBandTypePeq);
    ASSERT_EQ(before[1], kFlatGain);
    QMenu* menu = finder().ShowMarkerMenu(0, marker->mapToGlobal(QPoint(2, 2)));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), Pick("陷波 1.25 kHz", "Notch 1.25 kHz"));
    const int steps = history().stack().count();
    menu->actions()[0]->trigger();
    menu->close();
    const int frequency = NotchFrequencyIndex(app().windowState().finder.marks[0].hz);
    EXPECT_LT(std::abs(std::log2(FrequencyHz(frequency) / hz)), 1.0 / 24.0);
    EXPECT_EQ(Writes(),
              (std::vector<ProcessorWrite>{{BandField(kMicPage, 0, kFieldFrequency), frequency},
                                           {BandField(kMicPage, 0, kFieldGain), kNotchFirstGain},
                                           {BandField(kMicPage, 0, kFieldQ), NotchQIndex()}}));
    EXPECT_TRUE(messages().shown.empty());

    // The button: the howl goes on, the notch deepens by 3 dB, and so on down to -18 dB.
    Howl(hz);
    Click(panel().notchBtn);
    EXPECT_EQ(Writes(), (std::vector<ProcessorWrite>{{BandField(kMicPage, 0, kFieldGain), 75}}));
    EXPECT_EQ(history().stack().count(), steps + 2);

    // One undo step per press.
    ASSERT_TRUE(history().Undo());
    EXPECT_EQ(Writes(), (std::vector<ProcessorWrite>{{BandField(kMicPage, 0, kFieldGain), 90}}));
    ASSERT_TRUE(history().Undo());
    Writes();
    EXPECT_EQ(Value(BandField(kMicPage, 0, kFieldFrequency)), before[0]);
    EXPECT_EQ(Value(BandField(kMicPage, 0, kFieldGain)), before[1]);
    EXPECT_EQ(Value(BandField(kMicPage, 0, kFieldQ)), before[2]);
    EXPECT_EQ(app().model().store().Get(kMicPage, kFirstBandSlot + kFieldGain), kFlatGain);

    // The deepest notch goes no deeper: five presses reach -18 dB, the sixth says so.
    for (int press = 0; press < 6; ++press) Click(panel().notchBtn);
    Writes();
    EXPECT_EQ(Value(BandField(kMicPage, 0, kFieldGain)), kNotchDeepestGain);
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_TRUE(messages().shown[0].first.contains(QStringLiteral("-18 dB")));
}

TEST_F(HowlFinderOnTheGraph, WithoutAFreeBandOrOffTheMicrophonesItSaysSoAndWritesNothing) {
    // Every band of MIC A shaped, as one edit.
    {
        GestureScope gesture(&history());
        for (int band = 0; band < 20; ++band) {
            app().editing().editor().SetParameter(BandField(kMicPage, band, kFieldGain), 130);
        }
    }
    Writes();
    Howl(2000.0);
    ASSERT_EQ(finder().markers().size(), 1u);
    Click(panel().notchBtn);
    EXPECT_TRUE(Writes().empty());
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_TRUE(messages().shown[0].first.contains(QStringLiteral("MIC A")));
    EXPECT_TRUE(messages().shown[0].first.contains(Pick("没有空闲的频段", "no free band")));

    // While the panel lock holds the window, nothing is written and nothing needs saying.
    history().Undo();
    Writes();
    messages().shown.clear();
    app().windowState().locked = true;
    EXPECT_FALSE(finder().Notch(2000.0));
    app().windowState().locked = false;
    EXPECT_TRUE(Writes().empty());
    EXPECT_TRUE(messages().shown.empty());

    ChooseTab(kTabMusic);
    messages().shown.clear();
    EXPECT_FALSE(finder().Notch(2000.0));
    EXPECT_TRUE(Writes().empty());
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_TRUE(messages().shown[0].first.contains(Pick("麦克A", "MIC A")));
}

// MIC B's notch goes to MIC B's own bands; with no howl marked the button says so.
TEST_F(HowlFinderOnTheGraph, NotchesMicBOnItsOwnPageAndNeedsAHowl) {
    ChooseTab(kTabMicB);
    Click(panel().rightBtn);  // MIC B alone, not both together
    Writes();
    ASSERT_EQ(app().model().selection().micPage, 3);
    Click(panel().notchBtn);
    EXPECT_TRUE(Writes().empty());
    ASSERT_EQ(messages().shown.size(), 1u);
    EXPECT_EQ(messages().shown[0].first, Pick("没有检测到啸叫。", "No howl is marked."));
    Howl(440.0);
    Click(panel().notchBtn);
    const std::vector<ProcessorWrite> writes = Writes();
    ASSERT_EQ(writes.size(), 3u);
    for (const ProcessorWrite& write : writes) EXPECT_EQ(PageOf(write.address), 3) << write;
    EXPECT_EQ(writes[1], (ProcessorWrite{BandField(3, 0, kFieldGain), kNotchFirstGain}));
}

}  // namespace
}  // namespace zt::test
