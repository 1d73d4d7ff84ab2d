// The EQ exchange on the whole window: the graph's context menu, an export of the channel
// shown, and an import that is one undo step, reaches the processor paced and reports what it
// left out; off line as well.
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include "params/page_table.h"
#include "params/value_tables.h"
#include "tests/ui/undo/linked_window.h"
#include "ui/app/eq_graph_side.h"
#include "ui/editing/editor.h"
#include "ui/exchange/eq_exchange_side.h"

namespace zt {
namespace {

// The file dialogs, answered by the test.
class ScriptedChooser : public ExchangeFileChooser {
public:
    QString SaveFileName(QWidget*, const QString&, const QString& suggested) override {
        suggestedName = suggested;
        return saveAs;
    }
    QString OpenFileName(QWidget*, const QString&) override { return open; }
    QString saveAs, open, suggestedName;
};

// Band fields of a page from the logical store.
ExchangeBand BandOf(const ParamStore& store, int page, int band) {
    const PageLayout& l = PageLayoutOf(page);
    const int s = l.firstBandSlot + band * l.bandStep;
    return {store.Get(page, s), store.Get(page, s + 1), store.Get(page, s + 2),
            store.Get(page, s + 3), store.Get(page, s + 4)};
}

class ExchangeOffLine : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        auto chooser = std::make_unique<ScriptedChooser>();
        chooser_ = chooser.get();
        exchange().SetFileChooser(std::move(chooser));
    }
    EqExchangeSide& exchange() { return app().editingSide().exchange(); }
    int steps() { return app().editingSide().history().stack().count(); }
    void WriteFile(const QString& path, const QByteArray& text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir files_;
    ScriptedChooser* chooser_ = nullptr;
};

TEST_F(ExchangeOffLine, TheGraphsContextMenuOffersExportAndImport) {
    QWidget* image = window().graph().image1;
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(40, 40),
                            image->mapToGlobal(QPoint(40, 40)));
    QApplication::sendEvent(image, &click);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    // Export and import, then the room measurement's entries after a separator.
    ASSERT_EQ(menu->actions().size(), 6);
    for (int i : {0, 1, 3}) EXPECT_TRUE(menu->actions()[i]->isEnabled()) << i;
    EXPECT_TRUE(menu->actions()[2]->isSeparator());
    EXPECT_EQ(menu->actions()[0]->text(),
              app().language().chinese() ? "导出 EQ 到文件..." : "Export EQ...");
    menu->close();

    // The dynamic EQ's bands are no static EQ: nothing to exchange there.
    window().tabStrip().tabs[kTabDynamicEq]->click();
    QMenu* dynamic = exchange().ShowMenu(image->mapToGlobal(QPoint(40, 40)));
    for (int i : {0, 1}) EXPECT_FALSE(dynamic->actions()[i]->isEnabled()) << i;
    dynamic->close();
    // On the output tabs in automatic mode the bands take no edits, but can be exported.
    window().tabStrip().tabs[kTabMain]->click();
    app().channel().manualFlag = 0;
    EXPECT_TRUE(exchange().CanExport());
    EXPECT_FALSE(exchange().CanImport());
}

TEST_F(ExchangeOffLine, ExportWritesTheChannelShownAndImportsBack) {
    window().tabStrip().tabs[kTabMicA]->click();
    const ParamStore& store = app().model().store();
    chooser_->saveAs = files_.filePath("mic.txt");
    ASSERT_TRUE(exchange().Export());
    EXPECT_EQ(chooser_->suggestedName, window().tabStrip().tabs[kTabMicA]->text() + " EQ.txt");
    QFile file(chooser_->saveAs);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    const ExchangeBand first = BandOf(store, 2, 0);
    EXPECT_TRUE(text.contains("Filter 1: ON PK Fc " +
                              QString::fromStdString(FrequencyText(first.frequencyIndex)) +
                              " Hz Gain "));
    EXPECT_TRUE(text.contains("Filter 20: "));

    // Another EQ, then the exported file: every band is back, in one step each.
    std::vector<ExchangeBand> before;
    for (int band = 0; band < 20; ++band) before.push_back(BandOf(store, 2, band));
    exchange().ImportText("Filter 1: ON LSC Fc 100 Hz Gain 6 dB Q 0.7\n");
    EXPECT_EQ(BandOf(store, 2, 0).type, 2);
    EXPECT_EQ(BandOf(store, 2, 1).type, 0);
    chooser_->open = chooser_->saveAs;
    messages_->shown.clear();
    ASSERT_TRUE(exchange().Import());
    for (int band = 0; band < 20; ++band) EXPECT_EQ(BandOf(store, 2, band), before[band]) << band;
    // One summary: what was taken and how close it lies.
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_TRUE(messages_->shown[0].first.contains(
        app().language().chinese() ? "已导入 20 个滤波器" : "20 filters imported"));
    EXPECT_EQ(steps(), 2);
    EXPECT_EQ(Get<QLineEdit>("MicFreEdit1")->text(),
              QString::fromStdString(FrequencyText(first.frequencyIndex)) + "Hz");
}

TEST_F(ExchangeOffLine, FilesThatCannotBeReadOrWrittenAreReported) {
    chooser_->saveAs = files_.filePath("missing/folder/eq.txt");
    EXPECT_FALSE(exchange().Export());
    ASSERT_EQ(messages_->shown.size(), 1u);
    chooser_->open = files_.filePath("absent.txt");
    EXPECT_FALSE(exchange().Import());
    EXPECT_EQ(messages_->shown.size(), 2u);
    // A cancelled dialog does nothing.
    chooser_->saveAs.clear();
    chooser_->open.clear();
    EXPECT_FALSE(exchange().Export());
    EXPECT_FALSE(exchange().Import());
    EXPECT_EQ(messages_->shown.size(), 2u);
    EXPECT_EQ(steps(), 0);
}

TEST_F(ExchangeOffLine, AFileWithoutAFilterToTakeChangesNothing) {
    const DeviceImage image0 = app().model().image();
    const EqImport result = exchange().ImportText("Preamp: -3 dB\nFilter 1: ON PK Fc x Hz\n");
    EXPECT_EQ(result.imported, 0);
    EXPECT_EQ(app().model().image(), image0);
    EXPECT_EQ(steps(), 0);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(messages_->shown[0].first.count('\n'), 2);
}

TEST_F(ExchangeOffLine, ThePreampGoesToTheInputLevelInTheSameStepWhenTheUserSaysSo) {
    window().tabStrip().tabs[kTabMusic]->click();
    const ParamStore& store = app().model().store();
    const std::string file = "Preamp: -6.5 dB\nFilter 1: ON PK Fc 100 Hz Gain 6 dB Q 1\n";
    Editor& editor = app().editingSide().editor();
    editor.SetParameter(MakeAddress(0, 0), 30);
    editor.SetParameter(MakeAddress(0, 1), 20);
    editor.SetParameter(MakeAddress(0, 2), 5);
    const int steps0 = steps();
    const int in1 = 30, in2 = 20, optical = 5;
    // Declined: the bands change, the input levels stay.
    messages_->answers = {false};
    exchange().ImportText(file);
    ASSERT_EQ(messages_->asked.size(), 1u);
    EXPECT_TRUE(messages_->asked[0].text.contains("-6.5 dB"));
    EXPECT_EQ(store.Get(0, 0), in1);
    EXPECT_EQ(steps(), steps0 + 1);
    // Taken: every input of the music channel 13 half-dB steps lower, undone with the bands.
    messages_->answers = {true};
    exchange().ImportText(file);
    EXPECT_EQ(store.Get(0, 0), std::max(0, in1 - 13));
    EXPECT_EQ(store.Get(0, 1), std::max(0, in2 - 13));
    EXPECT_EQ(store.Get(0, 2), std::max(0, optical - 13));
    EXPECT_EQ(steps(), steps0 + 2);
    app().editingSide().history().stack().undo();
    EXPECT_EQ(store.Get(0, 0), in1);
    // A channel without an input level only hears about the preamp.
    window().tabStrip().tabs[kTabMain]->click();
    app().channel().manualFlag = 1;
    messages_->shown.clear();
    exchange().ImportText(file);
    EXPECT_EQ(messages_->asked.size(), 2u);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_TRUE(messages_->shown[0].first.contains("-6.5 dB"));
}

TEST_F(ExchangeOffLine, LeftAndRightSectionsGoToTheMusicSets) {
    window().tabStrip().tabs[kTabMusic]->click();
    const DeviceImage& image = app().model().image();
    exchange().ImportText(
        "Channel: L\nFilter 1: ON PK Fc 100 Hz Gain -4 dB Q 2\nChannel: R\n"
        "Filter 2: ON HSC Fc 5000 Hz Gain 5 dB Q 0.7\n");
    // Band 0 of the left set (slots 10..14) and of the right set (slots 85..89).
    EXPECT_EQ(image.Get(0, 10), 1);
    EXPECT_NEAR(image.Get(0, 11), 85, 3);
    EXPECT_EQ(image.Get(0, 85), 3);
    EXPECT_NEAR(image.Get(0, 86), 289, 6);
    EXPECT_EQ(image.Get(0, 15), 0);
    EXPECT_EQ(image.Get(0, 90), 0);
    // The window shows the left set, and one undo takes both back.
    EXPECT_EQ(app().model().store().Get(0, 10), 1);
    EXPECT_EQ(app().model().store().Get(0, 11), image.Get(0, 11));
    EXPECT_EQ(steps(), 1);
    ASSERT_EQ(messages_->shown.size(), 1u);
    EXPECT_TRUE(messages_->shown[0].first.contains(
        app().language().chinese() ? "右声道已导入右边" : "its right channel to the right set"));
}

// The pictures of the README: the graph before and after an import, written where
// ZT_README_PICTURES names (the test does nothing without it).
TEST_F(ExchangeOffLine, PicturesOfAnImport) {
    const QString folder = qEnvironmentVariable("ZT_README_PICTURES");
    if (folder.isEmpty()) GTEST_SKIP() << "ZT_README_PICTURES is not set";
    window().resize(1210, 640);
    QApplication::processEvents();
    QWidget* graph = window().graph().advPanel1;
    ASSERT_TRUE(graph->grab().save(folder + "/eq-import-before.png"));
    exchange().ImportText(
        "Filter 1: ON LSC Fc 45 Hz Gain 4.5 dB Q 0.7\n"
        "Filter 2: ON PK Fc 63 Hz Gain -7.5 dB Q 4.2\n"
        "Filter 3: ON PK Fc 128 Hz Gain -5 dB Q 6\n"
        "Filter 4: ON PK Fc 240 Hz Gain 2.5 dB Q 1.6\n"
        "Filter 5: ON PK Fc 1900 Hz Gain -3 dB Q 2.5\n"
        "Filter 6: ON HSC Fc 9000 Hz Gain -2.5 dB Q 0.7\n");
    QApplication::processEvents();
    ASSERT_TRUE(graph->grab().save(folder + "/eq-import-after.png"));
}

using ExchangeOnLine = LinkedWindow;

TEST_F(ExchangeOnLine, AnImportIsOneStepPacedToTheProcessorAndReportsWhatItLeftOut) {
    ClickTab(kTabMicA);
    auto& exchange = app().editingSide().exchange();
    const DeviceImage image0 = model().image();
    const ParamStore& store = model().store();
    messages_->shown.clear();
    Mark();
    const EqImport result = exchange.ImportText(
        "Filter 1: ON PK Fc 63 Hz Gain -6.5 dB Q 4.2\n"
        "Filter 2: ON HSC Fc 8000 Hz Gain 3 dB Q 0.7\n"
        "Filter 3: ON LP Fc 16000 Hz\n"
        "Filter 4: ON PK Fc 300 Hz Gain 40 dB Q 1\n"
        "Filter 5: ON AP Fc 1200 Hz Q 2\n");
    Settle();
    ASSERT_EQ(result.imported, 4);
    EXPECT_EQ(BandOf(store, 2, 0).type, 1);
    EXPECT_EQ(BandOf(store, 2, 1).type, 3);
    EXPECT_EQ(BandOf(store, 2, 2).type, 1);
    EXPECT_EQ(BandOf(store, 2, 2).gainStep, 180);  // +40 dB clamped to +12 dB
    for (int band = 3; band < 20; ++band) EXPECT_EQ(BandOf(store, 2, band).type, 0) << band;
    // The low-pass of the file is the microphone's low-pass crossover now.
    EXPECT_GT(store.Get(2, 11), 0);
    EXPECT_NEAR(FrequencyHz(store.Get(2, 12)), 16000, 3000);
    EXPECT_EQ(steps(), 1);

    // Every changed value reached the processor, one acknowledged frame at a time.
    const std::vector<ParamChange> changes = ImageChanges(image0, model().image(), WriteNotes{});
    EXPECT_TRUE(QTest::qWaitFor([&] { return WritesSinceMark().size() >= changes.size(); }, 20000));
    const Writes sent = WritesSinceMark();
    EXPECT_EQ(sent.size(), changes.size());
    for (const ParamChange& c : changes) EXPECT_EQ(processor().Get(c.device), c.after);

    // One summary, once the processor showed the values: the deviation, the clamped gain, the
    // line left out with its reason.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages_->shown.empty(); }, 20000));
    QTest::qWait(200);
    ASSERT_EQ(messages_->shown.size(), 1u);
    const QString report = messages_->shown[0].first;
    const bool chinese = app().language().chinese();
    EXPECT_TRUE(report.contains(chinese ? "最大偏差" : "Largest deviation"))
        << report.toStdString();
    EXPECT_TRUE(report.contains(QString::number(result.shown.deviation.largestDb, 'f', 1) + " dB"));
    EXPECT_TRUE(report.contains((chinese ? "第 4 行" : "Line 4") + QString(": ") +
                                (chinese ? "增益 " : "gain ") + "40.0 dB → 12.0 dB"))
        << report.toStdString();
    EXPECT_TRUE(report.contains(chinese ? "第 5 行" : "Line 5"));
    EXPECT_FALSE(report.contains(chinese ? "第 3 行" : "Line 3"));

    // One undo takes the whole import back, on the processor too.
    Undo(0);
    EXPECT_EQ(model().image(), image0);
    auto restored = [&] {
        return std::all_of(changes.begin(), changes.end(), [&](const ParamChange& c) {
            return processor().Get(c.device) == c.before;
        });
    };
    EXPECT_TRUE(QTest::qWaitFor(restored, 20000));
    for (const ParamChange& c : changes) EXPECT_EQ(processor().Get(c.device), c.before);
}

// The summary waits for the read-back: after the import's writes were acknowledged the processor
// turns out not to hold one of them; the summary shows once the value is mended, or, on a line
// that loses every write from then on, names it, in the language chosen.
TEST_F(ExchangeOnLine, AnImportsSummaryWaitsUntilTheProcessorShowsTheValues) {
    ClickTab(kTabMicA);
    auto& exchange = app().editingSide().exchange();
    constexpr ParamAddress kBandOneGain = MakeAddress(2, 17);
    struct Case {
        const char* name;
        bool linesLosesWrites;
        bool chinese;
    };
    for (const Case& c : {Case{"mended", false, false}, Case{"never lands", true, false},
                          Case{"never lands, in Chinese", true, true}}) {
        SCOPED_TRACE(c.name);
        if (app().language().chinese() != c.chinese) window().tabStrip().languageButton->click();
        messages_->shown.clear();
        // Another gain each time, so that every import writes it.
        const QString gain = QString::number(3 + 2 * c.linesLosesWrites + c.chinese) + ".5";
        exchange.ImportText(("Filter 1: ON PK Fc 250 Hz Gain -" + gain +
                             " dB Q 2\nFilter 2: ON PK Fc 3000 Hz Gain " + gain + " dB Q 1\n")
                                .toStdString());
        ASSERT_TRUE(QTest::qWaitFor([&] { return app().link().settled(); }, 10000));
        SimFaults faults;
        faults.loseWrites = c.linesLosesWrites ? 1.0 : 0.0;
        sim_.processor().SetFaults(faults);
        sim_.processor().memory().Set(kBandOneGain, 0);
        EXPECT_TRUE(messages_->shown.empty()) << "shown before the processor was asked";

        // The link's own "not confirmed" message may come too: the summary is the one with
        // the deviation.
        const QString deviation = c.chinese ? "最大偏差" : "Largest deviation";
        auto summary = [&]() -> QString {
            for (const auto& shown : messages_->shown) {
                if (shown.first.contains(deviation)) return shown.first;
            }
            return {};
        };
        ASSERT_TRUE(QTest::qWaitFor([&] { return !summary().isEmpty(); }, 15000));
        const QString notLanded =
            c.chinese ? "处理器未确认已收到以下导入的数值" : "The processor did not confirm";
        if (!c.linesLosesWrites) {
            EXPECT_FALSE(summary().contains(notLanded)) << summary().toStdString();
            EXPECT_EQ(processor().Get(kBandOneGain), model().image().Get(kBandOneGain));
        } else {
            EXPECT_TRUE(summary().contains(notLanded)) << summary().toStdString();
            EXPECT_TRUE(summary().contains("(0x0211)")) << summary().toStdString();
            EXPECT_NE(processor().Get(kBandOneGain), model().image().Get(kBandOneGain));
        }
        // The next import writes the gain anew: its page is asked for at once again.
        sim_.processor().SetFaults({});
    }
}

}  // namespace
}  // namespace zt
