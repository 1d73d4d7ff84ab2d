#include "sim/sim_state_dump.h"

#include <sstream>

namespace zt {
namespace {

// The rest of the line after "key ", or nothing.
std::string RestOf(const std::string& line, size_t keyLength) {
    return line.size() > keyLength + 1 ? line.substr(keyLength + 1) : std::string();
}

bool StartsWith(const std::string& line, const std::string& key) {
    return line.compare(0, key.size(), key) == 0 &&
           (line.size() == key.size() || line[key.size()] == ' ');
}

}  // namespace

std::string DumpSimState(const SimProcessor& processor) {
    std::ostringstream out;
    out << "frames " << processor.framesReceived() << "\n";
    out << "online " << processor.onlineCount() << "\n";
    out << "system-password " << processor.systemPassword() << "\n";
    out << "panel-password " << processor.panelPassword() << "\n";
    for (int mode = 0; mode < kDeviceModeCount; ++mode) {
        out << "mode " << mode << " " << processor.modeName(mode) << "\n";
    }
    for (int page = 0; page < kPageCount; ++page) {
        out << "page " << page;
        for (int slot = 0; slot < kSlotCount; ++slot)
            out << " " << processor.memory().Get(page, slot);
        out << "\n";
    }
    return out.str();
}

bool ParseSimState(const std::string& text, SimState& state) {
    std::istringstream in(text);
    std::string line;
    int pages = 0;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "frames") {
            if (!(words >> state.framesReceived)) return false;
        } else if (key == "online") {
            if (!(words >> state.onlineCount)) return false;
        } else if (StartsWith(line, "system-password")) {
            state.systemPassword = RestOf(line, key.size());
        } else if (StartsWith(line, "panel-password")) {
            state.panelPassword = RestOf(line, key.size());
        } else if (key == "mode") {
            int mode = -1;
            if (!(words >> mode) || mode < 0 || mode >= kDeviceModeCount) return false;
            const std::string head = "mode " + std::to_string(mode);
            state.modeNames[mode] = RestOf(line, head.size());
        } else if (key == "page") {
            int page = -1;
            if (!(words >> page) || page < 0 || page >= kPageCount) return false;
            for (int slot = 0; slot < kSlotCount; ++slot) {
                int32_t value = 0;
                if (!(words >> value)) return false;
                state.memory.Set(page, slot, value);
            }
            ++pages;
        } else {
            return false;
        }
    }
    return pages == kPageCount;
}

}  // namespace zt
