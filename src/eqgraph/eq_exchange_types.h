#pragma once
// The raw values of a channel's EQ as the EQ exchange reads and writes them.

#include <optional>
#include <string>
#include <vector>

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
    bool operator==(const ExchangeCrossover&) const = default;
};

struct ExchangeChannel {
    std::string name;  // shown in the file's first comment line
    std::vector<ExchangeBand> bands;
    std::optional<ExchangeCrossover> highPass;
    std::optional<ExchangeCrossover> lowPass;
};

}  // namespace zt
