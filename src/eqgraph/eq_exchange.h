#pragma once
// EQ settings exchanged with room-measurement tools and system-wide equalisers as text in their
// filter format, one filter a line:
//
//   Filter 1: ON PK Fc 1000 Hz Gain 3.0 dB Q 1.00
//
// Export writes the bands of one channel (peaking as PK, shelves as LSC and HSC, a bypassed
// band as an OFF line) and its crossover filters (HPQ and LPQ sections), each chosen so that
// its cookbook response matches the EQ graph's curve; where it cannot match within 0.5 dB a
// comment line says so. Import reads peaking and shelving filters and snaps every value to the
// processor's tables; what it cannot take is listed with its line and reason.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "eqgraph/exchange_q_table.h"

namespace zt {

// The five raw fields of an EQ band: type (0 "BYPSS", 1 "PEQ", 2 "LSEQ", 3 "HSEQ"), frequency
// index, gain step, Q index, slope index.
struct ExchangeBand {
    int type = 1;
    int frequencyIndex = 0;
    int gainStep = 120;
    int qIndex = 16;
    int slopeIndex = 10;
    bool operator==(const ExchangeBand&) const = default;
};

// A crossover filter: its type 0..12 in the order of the type lists ("Bypass" to
// "36dB Link-Riley") and its frequency index.
struct ExchangeCrossover {
    int filterType = 0;
    int frequencyIndex = 0;
};

struct ExchangeChannel {
    std::string name;  // shown in the file's first comment line
    std::vector<ExchangeBand> bands;
    std::optional<ExchangeCrossover> highPass;
    std::optional<ExchangeCrossover> lowPass;
};

// Differences larger than this make an exported filter no exact counterpart.
inline constexpr double kExchangeToleranceDb = 0.5;

// Export: the file's text, lines ending in "\r\n" as the equalisers' own files do.
std::string FormatEqExchange(const ExchangeChannel& channel, const ExchangeQTable& qTable,
                             const CookbookResponse& cookbook);

// Why a line of an imported file was left out.
enum class LeftOutReason {
    BeyondBands,  // more filters than the channel has bands
    Unsupported,  // a filter type or command the bands cannot take
    OutOfRange,   // a frequency, gain or Q outside the processor's tables
    Malformed,    // not a line of the filter format
};

struct LeftOutLine {
    int line = 0;      // 1-based line number
    std::string text;  // the line as read, trimmed and cut to 60 characters
    LeftOutReason reason = LeftOutReason::Malformed;
    bool operator==(const LeftOutLine&) const = default;
};

struct EqImport {
    // Bands 0..n-1 of the channel after the import: the file's filters in their order, every
    // other band bypassed with its other fields kept.
    std::vector<ExchangeBand> bands;
    int imported = 0;  // filters taken from the file
    std::vector<LeftOutLine> leftOut;
};

// Import into a channel whose bands are now `current`. Files larger than kMaxExchangeFileSize
// are not read at all: nothing imported, one malformed line 0.
inline constexpr size_t kMaxExchangeFileSize = 1 << 20;
EqImport ParseEqExchange(std::string_view text, const std::vector<ExchangeBand>& current,
                         const ExchangeQTable& qTable);

}  // namespace zt
