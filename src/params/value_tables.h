#pragma once
// The processor's value tables: EQ and crossover frequencies, Q, limiter ratio, release and
// attack. Raw values index these tables; the texts are the ones the window shows.

#include <string>
#include <string_view>

namespace zt {

inline constexpr int kFrequencyCount = 362;  // raw 0..361, 19.7 Hz .. 20600 Hz
inline constexpr int kQCount = 101;          // raw 0..100, 0.40 .. 128.00
inline constexpr int kRatioCount = 41;       // raw 0..40
inline constexpr int kReleaseCount = 8;      // raw 0..7
inline constexpr int kAttackCount = 20;      // raw 0..19

// Frequency of table entry `index` in tenths of a hertz (197 is 19.7 Hz). Indices outside the
// table are taken as its nearest end.
int FrequencyTenths(int index);
double FrequencyHz(int index);
// The entry's text without unit: one decimal below 1000 Hz ("19.7", "926.0"), whole hertz
// from 1000 Hz on ("1000", "20600").
std::string FrequencyText(int index);

// Q of table entry `index` in hundredths (40 is 0.40); outside the table, its nearest end.
int QHundredths(int index);
double QValue(int index);
// The entry's text with two decimals ("0.40", "128.00").
std::string QText(int index);

// Texts of the limiter and dynamic-EQ tables; outside a table, its nearest end.
std::string_view RatioText(int index);    // "1.0" .. "100"
std::string_view ReleaseText(int index);  // "Atk x 2" .. "Atk x 32"
// The same in Chinese, in the window's word for the attack time: "启动 x 2" .. "启动 x 32".
std::string_view ReleaseTextChinese(int index);
std::string_view AttackText(int index);  // milliseconds, "0.5" .. "400"

}  // namespace zt
