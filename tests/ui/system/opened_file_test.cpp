// A preset file named on the editor's command line: shown on every page off line after its
// checks, reported and left out when damaged, and sent to the processor by "Load File data"
// once the link is online.
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "params/diagnostic_log.h"
#include "presets/preset_format.h"
#include "system_fixture.h"
#include "ui/widgets/track_bar.h"

namespace zt {
namespace {

// The file as the reader sees it.
DeviceImage ImageOfFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    MemoryLog log;
    const PresetContent content = ReadPresetContent(in, log);
    EXPECT_EQ(content.check, PresetCheck::kAccepted);
    DeviceImage image;
    ApplyPresetContent(content, image);
    return image;
}

class OpenedFileTest : public SystemFixture {
protected:
    // Every page and sub-page a user can bring up, each by its own gesture.
    std::vector<std::function<void()>> Views() {
        std::vector<std::function<void()>> views;
        for (int tab = 0; tab < kTabCount; ++tab) {
            if (tab == kTabEffect) {
                for (const char* button : {"EchoAToolButton", "EchoBToolButton", "RvbToolButton"}) {
                    views.push_back([this, button] {
                        app().pageSwitcher().OnTabClicked(kTabEffect);
                        Click(button);
                    });
                }
                continue;
            }
            views.push_back([this, tab] { app().pageSwitcher().OnTabClicked(tab); });
        }
        return views;
    }

    // Calls `visit(bar, device address)` for every value bar the current view shows.
    template <typename Visit>
    void ForEachShownBar(Visit visit) {
        for (int page = 0; page <= 30; ++page) {
            for (int slot = 0; slot < 165; ++slot) {
                const ParamAddress logical = MakeAddress(page, slot);
                auto* bar = app().binding().BoundControlAs<TrackBar>(logical);
                // A bar bound to two pages stands for the one its tag names now.
                if (!bar || !bar->isVisibleTo(&window()) || AddressOf(bar) != logical) continue;
                visit(bar, app().model().ToDeviceAddress(logical));
            }
        }
    }

    // A preset file whose every value shown on a bar differs from the editor's own and lies
    // within the range of each bar that shows it.
    std::filesystem::path WriteDistinctFile(const QString& folder) {
        std::map<ParamAddress, std::pair<int, int>> ranges;
        for (const auto& view : Views()) {
            view();
            ForEachShownBar([&](TrackBar* bar, ParamAddress device) {
                auto [it, added] = ranges.try_emplace(device, bar->minimum(), bar->maximum());
                it->second.first = std::max(it->second.first, bar->minimum());
                it->second.second = std::min(it->second.second, bar->maximum());
            });
        }
        DeviceImage image = app().model().image();
        for (const auto& [device, range] : ranges) {
            const auto [low, high] = range;
            if (high <= low) continue;
            const unsigned spread = static_cast<unsigned>(device) * 2654435761u >> 7;
            int value = low + static_cast<int>(spread % static_cast<unsigned>(high - low + 1));
            if (value == image.Get(device / 256, device % 256))
                value = value == high ? low : value + 1;
            image.Set(device / 256, device % 256, value);
        }
        const std::filesystem::path file = (folder + "/Venue.Nddt").toStdString();
        std::ofstream(file, std::ios::binary) << PresetFileText(image);
        return file;
    }

    void ExpectEveryPageShows(const DeviceImage& expected) {
        int checked = 0;
        for (const auto& view : Views()) {
            view();
            ForEachShownBar([&](TrackBar* bar, ParamAddress device) {
                ++checked;
                EXPECT_EQ(bar->value(), expected.Get(device / 256, device % 256))
                    << bar->objectName().toStdString() << " at device address " << std::hex
                    << device << " on tab " << std::dec << app().channel().currentTab;
            });
        }
        EXPECT_GT(checked, 100);
    }

    QTemporaryDir outside_;
};

TEST_F(OpenedFileTest, EveryPageShowsTheFileOffLineAndNothingIsSent) {
    const std::filesystem::path file = WriteDistinctFile(outside_.path());
    app().pageSwitcher().OnTabClicked(kTabMusic);
    const size_t framesBefore = sim_.processor().log().size();

    ASSERT_TRUE(system().presetFiles().OpenFile(file));

    EXPECT_TRUE(messages_->shown.empty());
    EXPECT_FALSE(app().link().linkOnline());
    EXPECT_EQ(sim_.processor().log().size(), framesBefore);
    EXPECT_EQ(Get<QLineEdit>("FileEdit")->text(), "Venue");
    ExpectEveryPageShows(ImageOfFile(file));
}

TEST_F(OpenedFileTest, ADamagedFileIsReportedAndLoadsNothing) {
    const std::filesystem::path good = WriteDistinctFile(outside_.path());
    std::ifstream in(good, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    struct Case {
        const char* name;
        std::string bytes;
        QString message;
    };
    std::string badChecksum = text;
    // One hexadecimal digit of an entry line changed: the checksum no longer matches.
    const size_t entry = badChecksum.find("\r\n", badChecksum.find("\r\n") + 2) + 2;
    badChecksum[entry + 1] = badChecksum[entry + 1] == '0' ? '1' : '0';
    const Case cases[] = {
        {"Checksum", badChecksum, "Data file is corrupted!"},
        {"Cut", text.substr(0, text.size() / 2), "Data file is corrupted!"},
        {"Empty", "", "File format error!"},
        {"Missing", "-", "File not find!"},
    };
    const DeviceImage before = app().model().image();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path file = (outside_.path() + "/" + c.name + ".Nddt").toStdString();
        if (c.bytes != "-") std::ofstream(file, std::ios::binary) << c.bytes;
        messages_->shown.clear();
        EXPECT_FALSE(system().presetFiles().OpenFile(file));
        ASSERT_EQ(messages_->shown.size(), 1u);
        // The message, then the file it is about on a line of its own.
        EXPECT_EQ(messages_->shown[0].first.section('\n', 0, 0), c.message);
        EXPECT_TRUE(app().model().image() == before);
        EXPECT_NE(Get<QLineEdit>("FileEdit")->text(), QString::fromLatin1(c.name));
    }
}

TEST_F(OpenedFileTest, OnlineLoadFileDataSendsTheOpenedFile) {
    const std::filesystem::path file = WriteDistinctFile(outside_.path());
    ASSERT_TRUE(system().presetFiles().OpenFile(file));
    LinkNow();  // the download shows the processor's own settings again
    const DeviceImage expected = ImageOfFile(file);
    EXPECT_FALSE(app().model().image() == expected);

    messages_->answers = {true};
    ASSERT_EQ(Get<QLineEdit>("FileEdit")->text(), "Venue");
    Click("RzBmpButton119");
    ASSERT_TRUE(DriveOnline());
    ASSERT_TRUE(WaitFor([&] { return app().link().settled(); }, 3000));
    EXPECT_TRUE(messages_->shown.empty());
    // The file holds the pages 0 to 24.
    for (int page = 0; page < 25; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            ASSERT_EQ(sim_.processor().memory().Get(page, slot), expected.Get(page, slot))
                << page << "/" << slot;
        }
    }
}

}  // namespace
}  // namespace zt
