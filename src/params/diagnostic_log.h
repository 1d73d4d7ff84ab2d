#pragma once
// The diagnostic log: a list of text lines (the hidden memo of the main window) that receives
// checksum mismatches, frame sizes and loaded preset entries. Core code writes to it through
// this interface so that it needs no widget.

#include <string>
#include <vector>

namespace zt {

// Lines the window's log keeps: a link cycle adds about a hundred, reading a preset file about
// two thousand; older lines go, so that hours of linking do not grow the editor.
inline constexpr int kDiagnosticLogLines = 5000;

class DiagnosticLog {
public:
    virtual ~DiagnosticLog() = default;
    virtual void Append(const std::string& line) = 0;  // UTF-8
    virtual void Clear() = 0;
};

// A log that keeps every line in memory, for tests to read.
class MemoryLog : public DiagnosticLog {
public:
    void Append(const std::string& line) override { lines_.push_back(line); }
    void Clear() override { lines_.clear(); }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

}  // namespace zt
