#include "params/param_names.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "params/catalogue_tables.h"
#include "params/selection.h"

namespace zt {
namespace {

using catalogue::Kind;

// Every logical address a visible control of the window is bound to, from the same tables the
// window binds its controls from.
std::vector<ParamAddress> BoundLogicalAddresses() {
    std::vector<ParamAddress> addresses;
    for (const catalogue::PageTable& table : catalogue::PageTables()) {
        for (const catalogue::ParamRow& row : table.rows) {
            if (row.kind != Kind::Example || row.key) {
                addresses.push_back(MakeAddress(table.page, row.slot));
            }
        }
    }
    for (const catalogue::EqBandBlock& block : catalogue::EqBandBlocks()) {
        for (int slot = block.firstSlot; slot < block.firstSlot + 5 * block.bands; ++slot) {
            addresses.push_back(MakeAddress(block.page, slot));
        }
    }
    const catalogue::DeqBandBlock& deq = catalogue::DynamicEqBlock();
    for (int band = 0; band < deq.bands; ++band) {
        for (int field = 1; field <= 6; ++field) {
            addresses.push_back(MakeAddress(deq.page, band * deq.bandStep + field));
        }
        for (const catalogue::ParamRow& row : deq.limiterRows) {
            addresses.push_back(MakeAddress(deq.page, band * deq.bandStep + row.slot));
        }
    }
    return addresses;
}

// Every selection the window can stand in.
std::vector<SelectionState> AllSelections() {
    std::vector<SelectionState> all;
    for (int mic : {2, 3})
        for (int effect : {4, 24, 5})
            for (int output = 6; output <= 23; ++output)
                for (int scene = 0; scene <= 2; ++scene)
                    for (int hidden : {25, 26, 27})
                        for (int set : {0, 2}) {
                            all.push_back({mic, effect, output, hidden, scene, set});
                        }
    return all;
}

TEST(ParamNames, EveryAddressTheWindowBindsHasItsOwnKey) {
    const ParamNames names;
    std::set<ParamAddress> devices;
    const std::vector<ParamAddress> logical = BoundLogicalAddresses();
    for (const SelectionState& selection : AllSelections()) {
        for (ParamAddress a : logical) devices.insert(ToDeviceAddress(selection, a));
    }
    std::set<std::string> keys;
    for (ParamAddress d : devices) {
        const ParamName* n = names.Find(d);
        ASSERT_NE(n, nullptr) << std::hex << d;
        EXPECT_TRUE(n->named) << "no name for 0x" << std::hex << d << " (" << n->key << ")";
        EXPECT_FALSE(n->name.english.empty()) << n->key;
        EXPECT_FALSE(n->name.chinese.empty()) << n->key;
        EXPECT_TRUE(keys.insert(n->key).second) << "key twice: " << n->key;
    }
    // Nothing is named that the window does not show.
    EXPECT_EQ(names.named().size(), devices.size());
}

TEST(ParamNames, KeysAndNamesOfKnownPlaces) {
    const ParamNames names;
    struct Case {
        ParamAddress address;
        const char* key;
        const char* english;
        const char* chinese;
    };
    const Case cases[] = {
        {0x021B, "mic_a.eq3.gain", "MIC A EQ 3 Gain", "麦克A EQ 3 增益"},
        {0x031A, "mic_b.eq3.freq", "MIC B EQ 3 Frequency", "麦克B EQ 3 频率"},
        {0x1D01, "music.volume", "Volume Music Vol", "音量 音乐音量"},
        {0x060A, "main.sing.left.delay", "Main L Sing Delay", "主左 唱歌 延时"},
        {0x0A0A, "main.disco.right.delay", "Main R Disco Delay", "主右 热舞 延时"},
        {0x070C, "main.disco.limiter.level", "Main Disco Limit Level", "主输出 热舞 压限启动电平"},
        {0x0055, "music.right.eq1.type", "Music Right EQ 1 Type", "音乐 右 EQ 1 类型"},
        {0x0005, "music.hp.freq", "Music HPF Frequency", "音乐 高通频率"},
        {0x0117, "dyn_eq.band3.freq", "Dynamic EQ Band 3 Frequency", "动态均衡 频段 3 频率"},
        {0x1E14, "music.input", "System Input", "系统 输入选择"},
        {0x1C05, "p28.s5", "Page 28 Slot 5", "第28页 槽 5"},
    };
    for (const Case& c : cases) {
        const ParamName* n = names.Find(c.address);
        ASSERT_NE(n, nullptr);
        EXPECT_EQ(n->key, c.key);
        EXPECT_EQ(FullName(*n, false), c.english);
        EXPECT_EQ(FullName(*n, true), c.chinese);
        EXPECT_EQ(names.FindKey(c.key), n);
    }
    EXPECT_EQ(names.FindKey("mic_a.eq21.gain"), nullptr);
    EXPECT_EQ(names.FindKey(""), nullptr);
}

// Every value of every named parameter reads back as the text it was shown as, and where the
// texts of two raw values differ, as the same raw value.
TEST(ParamNames, ValuesRoundTripThroughTheirTexts) {
    const ParamNames names;
    // Parameters that read alike are tried once.
    std::set<std::tuple<ValueForm, int, int, int, int, bool>> tried;
    for (const ParamName* n : names.named()) {
        const bool doubled = n->context.outputPage >= 21 && n->context.outputPage <= 23;
        const auto signature = std::make_tuple(n->form, n->kind, static_cast<int>(n->items),
                                               n->range.minimum, n->range.maximum, doubled);
        if (!tried.insert(signature).second) continue;
        for (int raw = n->range.minimum; raw <= n->range.maximum; ++raw) {
            const std::string text = FormatParamValue(*n, raw);
            const ParsedValue parsed = ParseParamValue(*n, text);
            ASSERT_TRUE(parsed.raw) << n->key << " " << text << ": " << parsed.error.english;
            EXPECT_EQ(FormatParamValue(*n, *parsed.raw), text) << n->key;
            const bool sharedText = raw > n->range.minimum && FormatParamValue(*n, raw - 1) == text;
            if (!sharedText) {
                EXPECT_EQ(*parsed.raw, raw) << n->key << " " << text;
            }
        }
    }
}

TEST(ParamNames, TypedValues) {
    const ParamNames names;
    struct Case {
        const char* key;
        const char* text;
        int raw;  // -1: refused
    };
    const Case cases[] = {
        {"mic_a.eq3.gain", "-3dB", 105},
        {"mic_a.eq3.gain", "-3.0 dB", 105},
        {"mic_a.eq3.gain", "+12", 180},
        {"mic_a.eq3.gain", "12.1", 180},  // within half a step of the top
        {"mic_a.eq3.gain", "13", -1},     // out of range
        {"mic_a.eq3.gain", "-3Hz", -1},   // wrong unit
        {"mic_a.eq3.gain", "abc", -1},    // malformed
        {"mic_a.eq3.gain", "1.2.3", -1},
        {"mic_a.eq3.gain", "raw:100", 100},
        {"mic_a.eq3.gain", "raw:181", -1},
        {"mic_a.eq3.freq", "1.00kHz", 204},
        {"mic_a.eq3.freq", "1005", 204},
        {"mic_a.eq3.freq", "1010Hz", 204},  // a tie goes to the lower
        {"mic_a.eq3.freq", "30kHz", -1},
        {"mic_a.eq3.q_shelf", "1.6", 24},
        {"mic_a.eq3.q_shelf", "2.0", -1},
        {"mic_a.eq3.type", "peq", 1},
        {"mic_a.eq3.type", "notch", -1},
        {"mic_a.hp.type", "24dB Butterworth", 8},
        {"echo_a.effect.phase", "on", 1},
        {"echo_a.effect.phase", "maybe", -1},
        {"music.volume", "42", 42},
        {"music.volume", "85", -1},
        {"music.volume", "4.5", -1},
        {"mic_a.limiter.release", "Atk x 8", 3},
        {"reverb.time", "5000ms", 80},
        {"dyn_eq.band1.gain", "-24dB", -1},  // the dynamic EQ stops at -12 dB
        {"sub.sing.music.level", "400%", 200},
    };
    for (const Case& c : cases) {
        const ParamName* n = names.FindKey(c.key);
        ASSERT_NE(n, nullptr) << c.key;
        const ParsedValue parsed = ParseParamValue(*n, c.text);
        if (c.raw < 0) {
            EXPECT_FALSE(parsed.raw) << c.key << "=" << c.text;
            EXPECT_FALSE(parsed.error.english.empty());
            EXPECT_FALSE(parsed.error.chinese.empty());
        } else {
            EXPECT_EQ(parsed.raw, c.raw) << c.key << "=" << c.text << ": " << parsed.error.english;
        }
    }
}

}  // namespace
}  // namespace zt
