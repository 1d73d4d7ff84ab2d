#pragma once
// Reads a filter file of room-measurement tools and system-wide equalisers into what it means:
// its filters as cookbook filters at 48 kHz, its graphic EQ curves, its preamp, the channels
// each applies to, and the lines that cannot be taken.
//
// Read as people's files are written: a decimal comma (with dot grouping, "3.155" in a comma
// file is 3155), plus signs, a byte order mark, CR LF or CR line ends, tabs, header lines of
// the tools (skipped silently, like free text that carries no filter).

#include <string>
#include <string_view>
#include <vector>

#include "eqgraph/cookbook_filter.h"

namespace zt {

// Why a line of an imported file was left out.
enum class LeftOutReason {
    Unsupported,   // a filter type or command the channel cannot take
    OtherChannel,  // a filter for a channel this EQ does not play
    Malformed,     // not a line of the filter format
};

struct LeftOutLine {
    int line = 0;      // 1-based line number; 0 for a file too large to read
    std::string text;  // the line as read, trimmed and cut to 60 characters
    LeftOutReason reason = LeftOutReason::Malformed;
    bool operator==(const LeftOutLine&) const = default;
};

// Channels a line applies to, as bits.
inline constexpr int kChannelLeft = 1;
inline constexpr int kChannelRight = 2;
inline constexpr int kChannelOther = 4;  // centre, surround and the like
inline constexpr int kChannelsAll = kChannelLeft | kChannelRight;

struct FileFilter {
    int line = 0;
    std::string text;  // the line, trimmed and cut as a left-out line shows it
    bool on = true;
    CookbookFilter filter;
    int channels = kChannelsAll;
    bool IsPass() const {
        return filter.type == CookbookType::HighPass || filter.type == CookbookType::LowPass;
    }
};

struct GraphicPoint {
    double hz = 0.0;
    double gainDb = 0.0;
};

struct GraphicCurve {
    int line = 0;
    std::string text;
    std::vector<GraphicPoint> points;  // ascending frequency
    int channels = kChannelsAll;
};

struct ExchangeFile {
    std::vector<FileFilter> filters;
    std::vector<GraphicCurve> graphics;
    bool hasPreamp = false;
    double preampDb = 0.0;         // the sum of the preamp lines for the left (or every) channel
    bool channelSections = false;  // "Channel:" lines name the left and right apart
    std::vector<LeftOutLine> leftOut;
    // Every filter line as read (trimmed), and the raw values the editor's own export notes in
    // a comment: an unchanged export imports to exactly these.
    std::vector<std::string> filterLines;
    std::string editorValues;
};

// The comment line in which an export notes its raw values.
inline constexpr std::string_view kEditorValuesComment = "# ZT461 raw values:";

// Files larger than this are not read at all: one malformed line 0.
inline constexpr size_t kMaxExchangeFileSize = 1 << 20;

ExchangeFile ReadExchangeFile(std::string_view text, double sampleRate = kExchangeSampleRate);

// The cookbook Q of a peaking filter of `octaves` bandwidth at `hz`, with the digital
// definition of the cookbook (the bandwidth between the -3 dB points of the digital filter).
double QOfBandwidth(double octaves, double hz, double sampleRate = kExchangeSampleRate);

// The gain of a graphic EQ curve at `hz`: linear in log frequency between its points, the end
// points held beyond them.
double GraphicGainDb(const GraphicCurve& curve, double hz);

}  // namespace zt
