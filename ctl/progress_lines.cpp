#include "ctl/progress_lines.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace zt::ctl {
namespace {

constexpr long long kRedrawMs = 100;

long long NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

ProgressLines::ProgressLines(bool wanted) : enabled_(wanted && isatty(STDERR_FILENO)) {}

void ProgressLines::Set(size_t index, const std::string& text) {
    if (!enabled_) return;
    if (lines_.size() <= index) lines_.resize(index + 1);
    const bool ended =
        text.find("done") != std::string::npos || text.find("failed") != std::string::npos;
    lines_[index] = text;
    if (ended || NowMs() - lastDraw_ >= kRedrawMs) Draw();
}

void ProgressLines::Draw() {
    lastDraw_ = NowMs();
    std::string out;
    // Back to the first line drawn, then every line cleared and written again.
    if (drawn_ > 0) out += "\x1b[" + std::to_string(drawn_) + "A";
    for (const std::string& line : lines_) out += "\r\x1b[2K" + line + "\n";
    drawn_ = lines_.size();
    std::fputs(out.c_str(), stderr);
    std::fflush(stderr);
}

void ProgressLines::Close() {
    if (enabled_ && !lines_.empty()) Draw();
    enabled_ = false;
}

}  // namespace zt::ctl
