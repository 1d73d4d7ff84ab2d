// get, set and volume: single parameters by key, in the window's units.

#include <memory>

#include "ctl/commands.h"
#include "ctl/device_writes.h"
#include "presets/preset_path.h"

namespace zt::ctl {
namespace {

struct Assignment {
    const ParamName* name = nullptr;
    int raw = 0;
};

BilingualText UnknownKey(const std::string& key) {
    return {"未知参数：" + key + "（见 zt461ctl keys）",
            "unknown key " + key + " (see zt461ctl keys)"};
}

// The system items that have commands of their own or are no values.
bool Writable(const ParamName& name) {
    if (PageOf(name.address) == kSystemPage) {
        const int slot = SlotOf(name.address);
        return slot == 3 || slot == 4 || slot == 20;  // analog gain, panel lock, input
    }
    return LogicalWriteFor(name.address).has_value();
}

// KEY=VALUE words, every one checked before anything is sent.
std::optional<std::vector<Assignment>> ParseAssignments(const Context& c,
                                                        const std::vector<std::string>& words,
                                                        BilingualText& error) {
    std::vector<Assignment> assignments;
    for (const std::string& word : words) {
        const size_t equals = word.find('=');
        if (equals == std::string::npos || equals == 0) {
            error = {"应为 KEY=VALUE：" + word, "expected KEY=VALUE: " + word};
            return std::nullopt;
        }
        const std::string key = word.substr(0, equals);
        const ParamName* name = c.names.FindKey(key);
        if (!name) {
            error = UnknownKey(key);
            return std::nullopt;
        }
        if (!Writable(*name)) {
            error = {key + " 不能用 set 写入（模式用 zt461ctl mode）",
                     key + " cannot be set (modes: zt461ctl mode)"};
            return std::nullopt;
        }
        const ParsedValue value = ParseParamValue(*name, word.substr(equals + 1));
        if (!value.raw) {
            error = {key + "=" + word.substr(equals + 1) + "：" + value.error.chinese,
                     key + "=" + word.substr(equals + 1) + ": " + value.error.english};
            return std::nullopt;
        }
        assignments.push_back({name, *value.raw});
    }
    if (assignments.empty()) error = {"请给出 KEY=VALUE", "give at least one KEY=VALUE"};
    if (assignments.empty()) return std::nullopt;
    return assignments;
}

// A main volume may not lie above its maximum, nor its start volume: the window pulls them
// down; a command refuses them.
std::optional<BilingualText> VolumeLimitProblem(const std::vector<Assignment>& assignments,
                                                const DeviceImage& image, const ParamNames& names) {
    auto valueOf = [&](const ParamName* n) {
        for (const Assignment& a : assignments) {
            if (a.name == n) return a.raw;
        }
        return static_cast<int>(image.Get(n->address));
    };
    for (const char* channel : {"music", "mic", "effect"}) {
        const ParamName* maximum = names.FindKey(std::string(channel) + ".volume.max");
        for (const std::string suffix : {".volume", ".volume.start"}) {
            const ParamName* n = names.FindKey(channel + suffix);
            if (!n || !maximum || valueOf(n) <= valueOf(maximum)) continue;
            const std::string m = std::to_string(valueOf(maximum));
            return BilingualText{n->key + " 超过最大音量 " + m,
                                 n->key + " lies above the maximum volume " + m};
        }
    }
    return std::nullopt;
}

QJsonObject ValueJson(const ParamName& n, int raw) {
    return {{"key", Utf8(n.key)},
            {"name", JsonText({FullName(n, true), FullName(n, false)})},
            {"value", Utf8(FormatParamValue(n, raw))},
            {"raw", raw}};
}

void ShowValues(const std::vector<const ParamName*>& names, const PageMemory& image,
                std::vector<BilingualText>& lines, QJsonArray& json) {
    for (const ParamName* n : names) {
        const int raw = image.Get(n->address);
        const std::string value = FormatParamValue(*n, raw);
        lines.push_back({n->key + " = " + value + "  (" + FullName(*n, true) + ")",
                         n->key + " = " + value + "  (" + FullName(*n, false) + ")"});
        json.append(ValueJson(*n, raw));
    }
}

int WriteValues(const Context& c, const std::string& command,
                const std::vector<Assignment>& assignments, const std::vector<std::string>& ports) {
    BilingualText error;
    const auto chosen = ChoosePorts(c, ports, error);
    if (!chosen) return c.out.Refuse(command, error);
    std::vector<std::pair<ParamAddress, int>> writes;
    for (const Assignment& a : assignments) writes.push_back({a.name->address, a.raw});
    const auto results = RunFleet(
        *chosen,
        [&](ProcessorSession& s, ProcessorResult& r, std::function<void()> finish) {
            s.Link([&, finish] {
                if (auto problem = VolumeLimitProblem(assignments, s.image(), c.names)) {
                    r.error = *problem;
                    finish();
                    return;
                }
                s.Write(writes, [&, finish] {
                    // Acknowledged one by one: every value is in place.
                    std::vector<const ParamName*> written;
                    for (const Assignment& a : assignments) written.push_back(a.name);
                    QJsonArray values;
                    ShowValues(written, s.image(), r.lines, values);
                    r.json["values"] = values;
                    r.ok = true;
                    finish();
                });
            });
        },
        !c.out.json);
    return c.out.Fleet(command, results);
}

}  // namespace

int GetCommand(const Context& c) {
    std::vector<const ParamName*> names;
    for (const std::string& key : c.options.words) {
        const ParamName* n = c.names.FindKey(key);
        if (!n) return c.out.Refuse("get", UnknownKey(key));
        names.push_back(n);
    }
    if (names.empty()) return c.out.Refuse("get", {"请给出参数", "give at least one KEY"});
    if (!c.options.file.empty()) {
        BilingualText error;
        const std::optional<DeviceImage> image = ReadPresetImage(c.options.file, error);
        if (!image) return c.out.Refuse("get", error);
        std::vector<BilingualText> lines;
        QJsonArray values;
        ShowValues(names, *image, lines, values);
        for (const BilingualText& line : lines) c.out.Line(line);
        c.out.Document(
            {{"command", "get"}, {"ok", true}, {"file", Utf8(c.options.file)}, {"values", values}});
        return kExitOk;
    }
    BilingualText error;
    const auto ports = ChoosePorts(c, c.options.ports, error);
    if (!ports) return c.out.Refuse("get", error);
    const auto results = RunFleet(
        *ports,
        [&](ProcessorSession& s, ProcessorResult& r, std::function<void()> finish) {
            s.Link([&, finish] {
                QJsonArray values;
                ShowValues(names, s.image(), r.lines, values);
                r.json["values"] = values;
                r.ok = true;
                finish();
            });
        },
        !c.out.json);
    return c.out.Fleet("get", results);
}

int SetCommand(const Context& c) {
    BilingualText error;
    const auto assignments = ParseAssignments(c, c.options.words, error);
    if (!assignments) return c.out.Refuse("set", error);
    return WriteValues(c, "set", *assignments, c.options.ports);
}

int VolumeCommand(const Context& c) {
    const std::vector<std::string>& w = c.options.words;
    if (w.size() != 2 || (w[0] != "music" && w[0] != "mic" && w[0] != "effect")) {
        return c.out.Refuse("volume", {"用法：volume music|mic|effect VALUE",
                                       "usage: volume music|mic|effect VALUE"});
    }
    BilingualText error;
    const auto assignments = ParseAssignments(c, {w[0] + ".volume=" + w[1]}, error);
    if (!assignments) return c.out.Refuse("volume", error);
    return WriteValues(c, "volume", *assignments, c.options.ports);
}

}  // namespace zt::ctl
