// BindControls: the addresses bound controls end with, the device image defaults it sets, the
// references it starts the edit state with, and what it does when run twice or on a window
// that lacks a control.
#include <gtest/gtest.h>
#include <QEvent>

#include "bound_window.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/track_bar.h"
#include "ui/widgets/type_label.h"

namespace zt {
namespace {

using catalogue_test::CatalogueWindow;

TEST(BindControlsTest, ControlsEndWithTheAddressVisitedLast) {
    CatalogueWindow w;
    const struct {
        const char* name;
        ParamAddress tag;
    } cases[] = {
        {"MusFreEdit1", 0x000B},
        {"MusQEdit1", 0x000E},  // field 4 is visited after field 3
        {"MusQUpDownBtn1", 0x000D},
        // The last band's field 4 is the page's last slot, which transfers carry too.
        {"MicQEdit20", 0x0272},
        {"EchoQEdit7", 0x0430},
        {"RvbQEdit7", 0x052D},
        {"MainQEdit10", 0x0646},
        {"HintQUpDownBtn1", 0x1905},  // the Hint page's spin buttons sit at field 4
        {"Example", 0x1E05},
        {"MainRdelayBar", 0x0F0A},
        {"MainRdelayPane", 0x0F0A},
        {"MainRmuteBtn", 0x0F0B},
        {"MusBYBtn1", 0x000A},
        {"MusPEQBtn1", 0x000A},
        {"MusLSQBtn1", 0x000A},
        {"MusHSQBtn1", 0x000A},
        {"DEQTYpeBelowBtn2", 1},  // trigger buttons keep their trigger code
        {"DEQTYpeAboveBtn3", 2},
        {"MusGain1UpDown", 0x0000},
        {"SysVolRunBtn2", 0x1D09},  // form tags of the switches stay
        {"SysManagerBtn", 0x1E08},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AddressOf(w.registry.Find(c.name)), c.tag) << c.name;
    }
    const char* typeLabels[] = {"MusBYBtn1", "MusPEQBtn1", "MusLSQBtn1", "MusHSQBtn1"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(w.Get<TypeLabel>(typeLabels[i])->hint(), QString::number(i));
    }
}

TEST(BindControlsTest, LookupsFollowTheSlot) {
    CatalogueWindow w;
    EXPECT_EQ(w.binding.CompanionOf(0x0011, 0), w.Get<TrackBar>("MusEQGainBar2"));
    EXPECT_EQ(w.binding.BoundControlOf(0x0011), w.Get<ValueEdit>("MusGainEdit2"));
    EXPECT_EQ(w.binding.CompanionOf(0x0010, 0), nullptr);
    EXPECT_EQ(w.binding.PaneOf(0x000D), nullptr);
    EXPECT_EQ(w.binding.PaneOf(0x0005), w.Get<StatusPane>("MusHPFREPane"));
    EXPECT_EQ(w.binding.BoundControlOf(0x090A), w.binding.BoundControlOf(0x0F0A));
    // Addresses outside the stores have nothing bound.
    EXPECT_EQ(w.binding.BoundControlOf(-1), nullptr);
    EXPECT_EQ(w.binding.BoundControlOf(MakeAddress(31, 0)), nullptr);
    EXPECT_EQ(w.binding.CompanionOf(0x000A, 4), nullptr);
}

TEST(BindControlsTest, OpensTheLowPassFiltersAndLeavesTheRestOfTheImage) {
    CatalogueWindow w(false);
    w.image.Set(6, 17, 0);
    w.image.Set(0, 100, 77);
    w.Bind();
    for (auto [page, slot] : {std::pair{0, 7},
                              {2, 12},
                              {3, 12},
                              {4, 12},
                              {24, 12},
                              {5, 9},
                              {6, 19},
                              {14, 19},
                              {23, 19}}) {
        EXPECT_EQ(w.image.Get(page, slot), kLowPassDefault) << page << "/" << slot;
    }
    EXPECT_EQ(w.image.Get(6, 17), 0);
    EXPECT_EQ(w.image.Get(0, 5), 0);
    EXPECT_EQ(w.image.Get(0, 100), 77);
    EXPECT_EQ(w.image.Get(25, 12), 0);
}

TEST(BindControlsTest, StartsTheEditReferencesAndClearsTheRefreshFlag) {
    CatalogueWindow w(false);
    auto* label = w.Get<TypeLabel>("MusHSQBtn2");  // on the sheet shown
    // The type labels move while binding runs; record the flag as they do.
    struct MoveWatcher : QObject {
        const EditorState* state = nullptr;
        std::vector<bool> seen;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Move) seen.push_back(state->refreshInProgress);
            return false;
        }
    } watcher;
    watcher.state = &w.state;
    label->installEventFilter(&watcher);
    w.window.show();
    watcher.seen.clear();
    w.Bind();
    EXPECT_EQ(w.state.currentValueEdit, w.Get<ValueEdit>("MusFreEdit1"));
    EXPECT_EQ(w.state.highlightedEdit, w.Get<ValueEdit>("Example"));
    EXPECT_FALSE(w.state.refreshInProgress);
    EXPECT_EQ(watcher.seen, std::vector<bool>{true});
}

TEST(BindControlsTest, GivesBarsThePicturesOfTheirModels) {
    CatalogueWindow w(false);
    auto* model = w.Get<TrackBar>("MusEQGainBar1");
    model->setFixedWidth(40);  // whatever MusEQGainBar1 looks like, the gain bars follow
    w.Get<TrackBar>("MicHPFreBar")->setFillOrigin(3);
    w.Bind();
    EXPECT_EQ(w.Get<TrackBar>("MainEQGainBar7")->width(), 40);
    EXPECT_EQ(w.Get<TrackBar>("DEQGainBar2")->width(), 30);
    EXPECT_EQ(w.Get<TrackBar>("EchoTimeBar")->fillOrigin(), 3);
    EXPECT_EQ(w.Get<TrackBar>("MainRdelayBar")->fillOrigin(), 3);
    EXPECT_EQ(w.Get<TrackBar>("SysMusMaxVolBar")->fillOrigin(), 0);
    EXPECT_EQ(w.Get<TrackBar>("SysMusMaxVolBar")->look(), TrackBar::Look::Volume);
}

TEST(BindControlsTest, RunningTwiceChangesNothing) {
    CatalogueWindow w;
    std::vector<std::tuple<QString, int, QString, QRect>> before;
    for (QWidget* control : w.registry.InCreationOrder()) {
        const ControlProps* props = PropsOf(control);
        before.emplace_back(control->objectName(), props ? props->tag() : -1,
                            props ? props->hint() : QString(), control->geometry());
    }
    const DeviceImage image = w.image;
    w.Bind();
    std::size_t i = 0;
    for (QWidget* control : w.registry.InCreationOrder()) {
        const ControlProps* props = PropsOf(control);
        EXPECT_EQ(before[i],
                  std::make_tuple(control->objectName(), props ? props->tag() : -1,
                                  props ? props->hint() : QString(), control->geometry()));
        ++i;
    }
    EXPECT_EQ(w.image, image);
}

TEST(BindControlsTest, AMissingControlStopsStartUp) {
    CatalogueWindow w(false);
    ControlRegistry partial;  // no tab buttons, no sheets
    EXPECT_THROW(BindControls(partial, w.image, w.state, w.binding), std::logic_error);
    EXPECT_FALSE(w.state.refreshInProgress);
}

}  // namespace
}  // namespace zt
