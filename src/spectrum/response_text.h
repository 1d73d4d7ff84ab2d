#pragma once
// Magnitude responses as text, one "frequency dB" point a line: the form room-measurement tools
// export and import as a frequency response. Reading takes what such tools write:
//
//   * Measurement data measured by ...        comment lines start with '*' or '#'
//   Freq(Hz) SPL(dB) Phase(degrees)           header lines before the first point
//   20.000000, 75.312, -12.5                  separators: spaces, tabs or commas; a third
//                                             column (phase) and any further are ignored
//
// A damaged or hostile file gives an error that names its line, never a crash.

#include <string>
#include <string_view>
#include <vector>

#include "spectrum/measured_response.h"

namespace zt {

// Bounds of what a response file may hold.
inline constexpr double kResponseTextHighestHz = 1e6;
inline constexpr double kResponseTextLargestDb = 500.0;
inline constexpr std::size_t kResponseTextMostPoints = 200000;

enum class ResponseTextError {
    None,
    NoPoints,       // the file holds fewer than two points
    BadNumber,      // a point's frequency or level is no number
    MissingLevel,   // a line with a frequency and nothing more
    OutOfRange,     // a frequency not in (0, 1 MHz], a level beyond +-500 dB, or not finite
    NotRising,      // a frequency not above the one before
    TooManyPoints,  // more than kResponseTextMostPoints
};

struct ResponseTextReading {
    MeasuredResponse response;  // empty unless error is None
    ResponseTextError error = ResponseTextError::None;
    int line = 0;  // the line (from 1) the error was found on; 0 for NoPoints
};

ResponseTextReading ReadResponseText(std::string_view text);

// What went wrong, in a sentence for a message box (line number included where there is one).
std::string DescribeResponseTextError(const ResponseTextReading& reading);

// The text of a response: `comments` as '*' lines (line breaks in them become spaces), a column
// header, then every point with its values in the shortest form that reads back exactly.
std::string WriteResponseText(const MeasuredResponse& response,
                              const std::vector<std::string>& comments = {});

}  // namespace zt
