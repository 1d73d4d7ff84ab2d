// The band strips grow with the window: all bands that fit show, the scroll bar scrolls the rest
// and goes when none are left over; the controls beside a strip move along.
#include <QApplication>
#include <QScrollBar>
#include <algorithm>

#include "tests/ui/window/window_fixture.h"
#include "ui/state/channel_state.h"
#include "ui/widgets/band_scroll_box.h"

namespace zt {
namespace {

using BandStrips = WindowFixture;

TEST_F(BandStrips, AWiderWindowShowsTheBandsThatFit) {
    struct Strip {
        const char* box;
        const char* bar;
        const char* beside;  // a control right of the strip
        int tab;
        int bands;
        int atDesign;
    };
    const Strip strips[] = {
        {"MusScrollBox", "MusPanScrollBar", "MusInputArea", kTabMusic, 15, 9},
        {"MicScrollBox", "MicPanScrollBar", "AdvGroupBox1", kTabMicA, 20, 8},
        {"MainScrollBox", "MainPanScrollBar", "OutLevelGroup", kTabMain, 10, 5},
    };
    struct Size {
        int width;
        int columnsMore;  // what the extra width holds, at most
    };
    for (const Size size : {Size{0, 0}, Size{1604, 6}, Size{2560, 20}}) {
        if (size.width) {
            window().resize(size.width, window().height());
            QApplication::processEvents();
        }
        for (const Strip& s : strips) {
            // A page takes the window's width when it is shown.
            app().pageSwitcher().OnTabClicked(s.tab);
            QApplication::processEvents();
            SCOPED_TRACE(testing::Message() << s.box << " at width " << window().width());
            const auto* box = Get<BandScrollBox>(s.box);
            const auto* bar = Get<QScrollBar>(s.bar);
            const QWidget* beside = Get<QWidget>(s.beside);
            const int columns = std::min(s.bands, s.atDesign + size.columnsMore);
            EXPECT_EQ(box->width(), columns * kBandColumnWidth);
            EXPECT_EQ(bar->maximum(), s.bands - columns);
            EXPECT_EQ(bar->isHidden(), columns == s.bands);
            EXPECT_GE(beside->x(), box->parentWidget()->geometry().right())
                << "the controls beside the strip stay clear of it";
            EXPECT_LE(beside->geometry().right(), beside->parentWidget()->width());
        }
    }
}

}  // namespace
}  // namespace zt
