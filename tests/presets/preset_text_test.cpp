#include "presets/preset_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace zt {
namespace {

TEST(PresetText, SplitFields) {
    struct Case {
        std::string text;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"2 -3", {"2", "-3"}},
        {"Intoal: 1881", {"Intoal:", "1881"}},
        {"a  b", {"a", "", "b"}},
        {"abc", {"abc"}},
        {"", {""}},
        {" x ", {"", "x", ""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitFields(c.text, ' '), c.fields) << c.text;
        // One field without the copies: the same cut, nothing past the last field.
        for (std::size_t i = 0; i < c.fields.size(); ++i) {
            EXPECT_EQ(FieldOf(c.text, ' ', static_cast<int>(i)), c.fields[i]) << c.text;
        }
        EXPECT_EQ(FieldOf(c.text, ' ', static_cast<int>(c.fields.size())), std::nullopt);
    }
    EXPECT_EQ(SplitFields("1,2", ','), (std::vector<std::string>{"1", "2"}));
}

TEST(PresetText, StripExtension) {
    struct Case {
        std::string name;
        std::string stripped;
    };
    const Case cases[] = {
        {"Studio.Nddt", "Studio"},
        {"a.b.Nddt", "a.b"},
        {"x.Nddt", "x"},
        {"abc", "abc"},
        {".Nddt", ""},
        {"Nddt", "Nddt"},
        {"ab.Nd", "ab.Nd"},  // the dot must stand five characters before the end
        {"abc.txt", "abc.txt"},
        {"a.bcdef", "a.bcdef"},
        {"", ""},
        {"\xE5\xBD\x95\xE9\x9F\xB3.Nddt", "\xE5\xBD\x95\xE9\x9F\xB3"},  // Chinese name
        {"x.\xE9\x9F\xB3\xE9\x9F\xB3\xE9\x9F\xB3\xE9\x9F\xB3", "x"},    // four Chinese characters
    };
    for (const Case& c : cases) EXPECT_EQ(StripExtension(c.name), c.stripped) << c.name;
}

TEST(PresetText, ParseDecimal) {
    struct Case {
        std::string text;
        std::optional<int32_t> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"233", 233},
        {"-3", -3},
        {"007", 7},
        {"2147483647", std::numeric_limits<int32_t>::max()},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"-0", 0},
        {"--1", std::nullopt},
        {"00000000000000000012", 12},
        {"99999999999999999999", std::nullopt},
        {"+5", std::nullopt},
        {" 5", std::nullopt},
        {"5 ", std::nullopt},
        {"5x", std::nullopt},
        {"0x10", std::nullopt},
        {"1.5", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseDecimal(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
}  // namespace zt
