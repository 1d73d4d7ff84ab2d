#pragma once
// One progress line per processor on a terminal, redrawn in place as the processors move on;
// nothing at all when standard error is no terminal (a script or a log).

#include <string>
#include <vector>

namespace zt::ctl {

class ProgressLines {
public:
    explicit ProgressLines(bool wanted);
    // Sets line `index`; redraws at most every tenth of a second, and at once when the line
    // says a processor has ended.
    void Set(size_t index, const std::string& text);
    // Draws the last state and leaves the lines on the screen.
    void Close();

private:
    void Draw();

    bool enabled_ = false;
    std::vector<std::string> lines_;
    size_t drawn_ = 0;  // lines on the screen from the last drawing
    long long lastDraw_ = 0;
};

}  // namespace zt::ctl
