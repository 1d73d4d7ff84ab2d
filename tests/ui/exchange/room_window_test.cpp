// The room measurement on the whole window: a measurement file loaded into the dialog shows its
// curves behind the EQ curve (each switched off and on in the graph's context menu), saves back
// equal, and fits into the channel shown as one undo step that reaches the processor; a bad file
// is reported and changes nothing.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "eqgraph/cookbook_filter.h"
#include "eqgraph/graph_mapping.h"
#include "spectrum/response_text.h"
#include "tests/ui/undo/linked_window.h"
#include "ui/app/eq_graph_side.h"
#include "ui/exchange/eq_exchange_side.h"
#include "ui/exchange/room_side.h"
#include "ui/state/window_state.h"

namespace zt {
namespace {

class RoomScriptedChooser : public ExchangeFileChooser {
public:
    QString SaveFileName(QWidget*, const QString&, const QString&) override { return saveAs; }
    QString OpenFileName(QWidget*, const QString&) override { return open; }
    QString saveAs, open;
};

// A room with a boom at 110 Hz and a dip at 2.5 kHz, 75 dB loud, as a measuring tool writes it:
// a comment, a header, comma-separated points with a phase column, 24 an octave.
QByteArray RoomFileText() {
    const CookbookResponse cookbook;
    CurveArray room{};
    cookbook.AddTo({CookbookType::Peaking, 110, 8, 3.0}, room);
    cookbook.AddTo({CookbookType::Peaking, 2500, -5, 1.5}, room);
    QByteArray text = "* Measurement data measured by a test\nFreq(Hz), SPL(dB), Phase(degrees)\n";
    for (double hz = 20.0; hz <= 20000.0; hz *= std::pow(2.0, 1.0 / 24)) {
        const double index = ResponseGrid::IndexOfFrequency(hz);
        const int below = static_cast<int>(index);
        const double share = index - below;
        const double db = 75.0 + room[below] * (1 - share) + room[below + 1] * share;
        text += QByteArray::number(hz, 'f', 3) + ", " + QByteArray::number(db, 'f', 3) + ", 0\n";
    }
    return text;
}

class RoomWindow : public LinkedWindow {
protected:
    void SetUp() override {
        LinkedWindow::SetUp();
        auto chooser = std::make_unique<RoomScriptedChooser>();
        chooser_ = chooser.get();
        room().SetFileChooser(std::move(chooser));
    }
    RoomSide& room() { return app().room(); }
    const RoomState& state() { return app().windowState().room; }
    QString WriteRoomFile(const QString& name, const QByteArray& text) {
        const QString path = files_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }
    bool LoadRoomFile(const QString& name, const QByteArray& text) {
        chooser_->open = WriteRoomFile(name, text);
        return room().Load();
    }
    // Whether Image1's picture has a pixel near `colour` in the column of `hz`.
    bool ColumnHolds(double hz, const QColor& colour) {
        const QImage& bitmap = window().graph().image1->bitmap();
        const GraphMapping& mapping = app().eqGraph().graph().mapping();
        const int x =
            static_cast<int>(std::lround(mapping.XOfFrequency(hz) * bitmap.devicePixelRatio()));
        for (int y = 0; y < bitmap.height(); ++y) {
            const QColor c = bitmap.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) <
                40) {
                return true;
            }
        }
        return false;
    }
    QAction* MenuEntry(const char* chinese, const char* english) {
        QMenu* menu = app().editingSide().exchange().ShowMenu(QPoint(100, 100));
        const QString text = app().language().Pick(chinese, english);
        for (QAction* action : menu->actions()) {
            if (action->text() == text) return action;
        }
        ADD_FAILURE() << text.toStdString();
        return nullptr;
    }

    QTemporaryDir files_;
    RoomScriptedChooser* chooser_ = nullptr;
};

TEST_F(RoomWindow, ALoadedMeasurementShowsItsCurvesWhichTheMenuHidesAndSavesBackEqual) {
    ClickTab(kTabMicA);
    ASSERT_TRUE(LoadRoomFile("room.txt", RoomFileText()));
    ASSERT_FALSE(state().measured.empty());
    EXPECT_NEAR(state().measured.front().hz, 20.0, 1e-9);
    // The curves sit at the room's level: the boom stands about 8 dB above it.
    const RoomCurves& curves = room().curves();
    EXPECT_NEAR(curves.measured()[std::lround(ResponseGrid::IndexOfFrequency(110))], 8.0, 0.5);
    EXPECT_NEAR(curves.level(), 75.0, 0.5);
    EXPECT_TRUE(ColumnHolds(110, RoomCurves::kMeasuredColour));
    EXPECT_TRUE(ColumnHolds(110, RoomCurves::kPredictedColour));

    // Each curve is switched off and on again in the graph's context menu.
    QAction* measured = MenuEntry("显示测量曲线", "Show measured curve");
    ASSERT_TRUE(measured && measured->isEnabled() && measured->isChecked());
    measured->trigger();
    EXPECT_FALSE(state().showMeasured);
    EXPECT_FALSE(ColumnHolds(110, RoomCurves::kMeasuredColour));
    EXPECT_TRUE(ColumnHolds(110, RoomCurves::kPredictedColour));
    QAction* predicted = MenuEntry("显示预测曲线", "Show predicted curve");
    ASSERT_TRUE(predicted && predicted->isChecked());
    predicted->trigger();
    EXPECT_FALSE(ColumnHolds(110, RoomCurves::kPredictedColour));
    MenuEntry("显示测量曲线", "Show measured curve")->trigger();
    MenuEntry("显示预测曲线", "Show predicted curve")->trigger();
    EXPECT_TRUE(ColumnHolds(110, RoomCurves::kMeasuredColour));
    EXPECT_TRUE(ColumnHolds(110, RoomCurves::kPredictedColour));

    // Saved and loaded again: the same measurement.
    const MeasuredResponse loaded = state().measured;
    chooser_->saveAs = files_.filePath("saved.txt");
    ASSERT_TRUE(room().Save());
    chooser_->open = chooser_->saveAs;
    ASSERT_TRUE(room().Load());
    EXPECT_EQ(state().measured, loaded);
    EXPECT_TRUE(messages_->shown.empty());
}

TEST_F(RoomWindow, TheFitReachesTheProcessorAsOneStepThatUndoTakesBack) {
    ClickTab(kTabMicA);
    ASSERT_TRUE(LoadRoomFile("room.txt", RoomFileText()));
    RoomDialog& dialog = room().ShowDialog();
    EXPECT_TRUE(dialog.fit->isEnabled());
    const DeviceImage image0 = model().image();
    const int steps0 = steps();
    const CurveArray predicted0 = room().curves().predicted();
    const double level0 = room().curves().level();
    Mark();
    const std::optional<RoomFitSummary> summary = room().Fit();
    Settle();
    ASSERT_TRUE(summary);
    EXPECT_EQ(steps(), steps0 + 1);
    EXPECT_TRUE(messages_->shown.empty());
    EXPECT_LE(summary->largestDb, 1.5);
    EXPECT_TRUE(dialog.summary->text().contains(app().language().Pick("均方根", "RMS")))
        << dialog.summary->text().toStdString();
    EXPECT_TRUE(dialog.summary->text().contains(QString::number(summary->largestDb, 'f', 1)));

    // The predicted curve, the room with the fitted EQ, lies on the flat target as the summary
    // says: its largest deviation over the fitting range is the summary's.
    const RoomCurves& curves = room().curves();
    double largest = 0.0;
    for (int k = static_cast<int>(std::ceil(ResponseGrid::IndexOfFrequency(60)));
         k <= ResponseGrid::IndexOfFrequency(12000); ++k) {
        largest = std::max(largest, std::abs(curves.predicted()[k]));
    }
    EXPECT_NEAR(largest, summary->largestDb, 0.06);

    // Every fitted value reached the processor; one undo takes them back there too.
    const std::vector<ParamChange> changes = ImageChanges(image0, model().image(), WriteNotes{});
    ASSERT_FALSE(changes.empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return WritesSinceMark().size() >= changes.size(); }, 20000));
    for (const ParamChange& c : changes) EXPECT_EQ(processor().Get(c.device), c.after);
    Undo(2);
    EXPECT_EQ(model().image(), image0);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return std::all_of(changes.begin(), changes.end(), [&](const ParamChange& c) {
                return processor().Get(c.device) == c.before;
            });
        },
        20000));
    // The predicted curve follows the channel back to what it was before the fit (the curves
    // stay at the fit's level).
    const double shift = level0 - curves.level();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const int boom = std::lround(ResponseGrid::IndexOfFrequency(110));
            return std::abs(curves.predicted()[boom] - predicted0[boom] - shift) < 0.01;
        },
        5000));
}

TEST_F(RoomWindow, ABadFileIsReportedByItsLineAndChangesNothing) {
    ClickTab(kTabMicA);
    ASSERT_TRUE(LoadRoomFile("room.txt", RoomFileText()));
    const MeasuredResponse measured = state().measured;
    const DeviceImage image0 = model().image();
    const int steps0 = steps();
    struct BadFile {
        const char* text;
        const char* line;  // the line named in the message; empty for none
    };
    const BadFile files[] = {
        {"* nothing measured\n", ""}, {"Freq SPL\n100 70\n200 x\n", "3"}, {"100 70\n90 71\n", "2"},
        {"100 70\n200\n", "2"},       {"100 70\n200 9e9\n", "2"},
    };
    for (const BadFile& bad : files) {
        messages_->shown.clear();
        EXPECT_FALSE(LoadRoomFile("bad.txt", bad.text)) << bad.text;
        ASSERT_EQ(messages_->shown.size(), 1u) << bad.text;
        const QString& message = messages_->shown[0].first;
        EXPECT_TRUE(message.contains("bad.txt")) << message.toStdString();
        if (*bad.line) {
            EXPECT_TRUE(message.contains(bad.line)) << message.toStdString();
        }
        EXPECT_EQ(state().measured, measured);
    }
    // A file that cannot be read at all.
    messages_->shown.clear();
    chooser_->open = files_.filePath("absent.txt");
    EXPECT_FALSE(room().Load());
    EXPECT_EQ(messages_->shown.size(), 1u);
    EXPECT_EQ(state().measured, measured);
    EXPECT_EQ(model().image(), image0);
    EXPECT_EQ(steps(), steps0);
}

// A measurement from the dialog through the room of the test's sound server (two parametric
// EQs: -6 dB at 200 Hz, +5 dB at 3 kHz). It runs where ZT_ROOM_MEASUREMENT is set, with
// PULSE_SERVER on that server (the test_ui_room test); the other sound server has no room.
class RoomSoundWindow : public WindowFixture {
protected:
    // Messages of the measurement (the window off line says so on its own).
    int RoomMessages() {
        const QString caption = app().language().Pick("测量房间", "Measure room");
        return static_cast<int>(std::count_if(messages_->shown.begin(), messages_->shown.end(),
                                              [&](const auto& m) { return m.second == caption; }));
    }
};

TEST_F(RoomSoundWindow, TheDialogMeasuresTheRoomAndEscapeCancelsASweep) {
    if (qEnvironmentVariableIsEmpty("ZT_ROOM_MEASUREMENT")) {
        GTEST_SKIP() << "ZT_ROOM_MEASUREMENT is not set";
    }
    RoomSide& room = app().room();
    RoomDialog& dialog = room.ShowDialog();
    dialog.measure->click();
    ASSERT_TRUE(room.sweep() && room.sweep()->Running()) << dialog.status->text().toStdString();
    EXPECT_FALSE(dialog.measure->isEnabled());
    int largestProgress = 0;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            largestProgress = std::max(largestProgress, dialog.progress->value());
            return !room.sweep()->Running();
        },
        60000));
    const RoomState& state = app().windowState().room;
    ASSERT_FALSE(state.measured.empty()) << dialog.status->text().toStdString();
    EXPECT_EQ(largestProgress, 100);
    EXPECT_TRUE(dialog.status->text().startsWith(app().language().Pick("测量完成", "Measured")))
        << dialog.status->text().toStdString();
    EXPECT_TRUE(dialog.fit->isEnabled());
    EXPECT_EQ(RoomMessages(), 0);
    const auto at = [&](double hz) {
        return room.curves().measured()[std::lround(ResponseGrid::IndexOfFrequency(hz))];
    };
    EXPECT_NEAR(at(200) - at(1000), -6.0, 1.0);
    EXPECT_NEAR(at(3000) - at(1000), 5.0, 1.0);

    // Another smoothing measures the same recording again.
    const MeasuredResponse sixth = state.measured;
    dialog.smoothing->setCurrentIndex(SmoothingRow(Smoothing::Third));
    EXPECT_EQ(state.smoothing, Smoothing::Third);
    EXPECT_NE(state.measured, sixth);
    EXPECT_NEAR(at(3000) - at(1000), 5.0, 1.5);

    // Escape ends a running sweep and keeps the dialog and the measurement.
    const MeasuredResponse measured = state.measured;
    dialog.measure->click();
    ASSERT_TRUE(room.sweep()->Running());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(room.sweep()->Running());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.measure->isEnabled());
    EXPECT_EQ(state.measured, measured);
    EXPECT_EQ(RoomMessages(), 0);
    // With no sweep running, Escape closes the dialog.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

// The README's picture: a measurement, its fitted EQ and the predicted result on the graph, with
// the dialog beside it, written where ZT_README_PICTURES names (nothing without it); in the
// window's other language too, as room-fit-other.png, to look at.
TEST_F(RoomWindow, PictureOfAFit) {
    const QString folder = qEnvironmentVariable("ZT_README_PICTURES");
    if (folder.isEmpty()) GTEST_SKIP() << "ZT_README_PICTURES is not set";
    ClickTab(kTabMicA);
    ASSERT_TRUE(LoadRoomFile("room.txt", RoomFileText()));
    RoomDialog& dialog = room().ShowDialog();
    dialog.fit->click();
    Settle();
    for (const char* name : {"/room-fit.png", "/room-fit-other.png"}) {
        room().ShowDialog();
        QTest::qWait(100);
        const QPixmap graph = window().graph().advPanel1->grab();
        const QPixmap form = dialog.grab();
        QPixmap picture(graph.width() + form.width() + 8, std::max(graph.height(), form.height()));
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.drawPixmap(0, 0, graph);
        painter.drawPixmap(graph.width() + 8, 0, form);
        painter.end();
        ASSERT_TRUE(picture.save(folder + name));
        app().OnLanguageButton();
        dialog.fit->click();
        Settle();
    }
}

}  // namespace
}  // namespace zt
