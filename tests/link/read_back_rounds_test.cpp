// The read-back's count of rounds, on the class alone: which rounds count against a value, and
// when it is named as not confirmed.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "link/read_back.h"
#include "params/page_table.h"

namespace zt::test {
namespace {

constexpr int kPage = 2;
constexpr ParamAddress kGain = MakeAddress(kPage, 17);

// Plays a script on one written value: 'A' a request whose answer never comes, 'M' an answer
// showing another value than the image's, 'C' an answer confirming it, 'W' the user writes a
// new value. Returns the addresses named as not confirmed.
std::vector<ParamAddress> Play(const std::string& script) {
    ReadBack readBack;
    DeviceImage image;
    image.Set(kPage, 17, 150);
    readBack.NoteWrite(kGain);
    std::vector<ParamAddress> named;
    for (char step : script) {
        if (step == 'W') {
            image.Set(kPage, 17, image.Get(kPage, 17) + 1);
            readBack.NoteWrite(kGain);
            continue;
        }
        for (int tick = 0; tick < ReadBack::kRestTicks; ++tick) readBack.Tick();
        EXPECT_EQ(readBack.BeginRequest(), kPage) << script;
        ReadBack::Outcome outcome;
        if (step == 'A') {
            outcome = readBack.AbandonRequest();
        } else {
            std::vector<uint8_t> data(2 * PageSlotCount(kPage), 0);
            const int shown = step == 'C' ? image.Get(kPage, 17) : 7;
            data[2 * 17] = static_cast<uint8_t>(shown);
            EXPECT_TRUE(readBack.TakeAnswer(kPage, 0, data)) << script;
            outcome = readBack.Compare(image);
        }
        named.insert(named.end(), outcome.newlyUnconfirmed.begin(), outcome.newlyUnconfirmed.end());
    }
    return named;
}

TEST(ReadBackRoundsTest, AValueIsNamedAfterThreeRoundsOfItsOwnNotAfterLostRequests) {
    const std::vector<ParamAddress> none, gain{kGain};
    struct Case {
        const char* script;
        std::vector<ParamAddress> named;
    };
    for (const Case& c : {
             Case{"MMM", gain},     // the processor keeps another value
             Case{"AAA", gain},     // the processor does not answer page requests
             Case{"MAAM", none},    // two requests lost on the line judge nothing
             Case{"AMAM", none},    // nor do lost requests between answers
             Case{"MMWM", none},    // the user's new value starts its rounds afresh
             Case{"MMWMMM", gain},  // ... and is named after three of its own
             Case{"MMCWMM", none},  // a confirmation ends the count
         }) {
        EXPECT_EQ(Play(c.script), c.named) << c.script;
    }
}

}  // namespace
}  // namespace zt::test
