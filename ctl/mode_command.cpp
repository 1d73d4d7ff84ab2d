// mode list | load N | save N NAME: the processor's 22 modes.

#include <QJsonArray>

#include "ctl/commands.h"
#include "link/device_info.h"
#include "link/protocol.h"
#include "presets/mode_names.h"

namespace zt::ctl {
namespace {

// "1".."16" are user modes 0..15, "MF1".."MF6" factory modes 16..21.
std::optional<int> ModeIndex(const std::string& text) {
    std::string digits = text;
    int offset = -1;
    if (text.size() > 2 && (text[0] == 'M' || text[0] == 'm') &&
        (text[1] == 'F' || text[1] == 'f')) {
        digits = text.substr(2);
        offset = kUserModeCount - 1;
    }
    if (digits.empty() || digits.size() > 2 ||
        digits.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const int number = std::stoi(digits);
    const int count = offset < 0 ? kUserModeCount : kDeviceModeCount - kUserModeCount;
    if (number < 1 || number > count) return std::nullopt;
    return number + offset;
}

std::string ModeNumber(int index) {
    return index < kUserModeCount ? std::to_string(index + 1)
                                  : "MF" + std::to_string(index - kUserModeCount + 1);
}

void ListModes(ProcessorSession& s, ProcessorResult& r) {
    const int current = s.image().Get(kAddrLoadMode);
    QJsonArray modes;
    for (int i = 0; i < kDeviceModeCount; ++i) {
        const std::string& name = s.info().modeNames[i];
        const std::string mark = i == current ? " *" : "";
        r.lines.push_back({ModeListText(i, name) + mark, ModeListText(i, name) + mark});
        modes.append(QJsonObject{
            {"mode", Utf8(ModeNumber(i))}, {"name", Utf8(name)}, {"current", i == current}});
    }
    r.json["modes"] = modes;
    r.json["current"] = Utf8(ModeNumber(current));
    r.ok = true;
}

int ModeOnFleet(const Context& c, const ProcessorJob& job) {
    BilingualText error;
    const auto ports = ChoosePorts(c, c.options.ports, error);
    if (!ports) return c.out.Refuse("mode", error);
    return c.out.Fleet("mode", RunFleet(*ports, job, !c.out.json));
}

int LoadMode(const Context& c, int index) {
    return ModeOnFleet(
        c, [index](ProcessorSession& s, ProcessorResult& r, std::function<void()> finish) {
            s.Link([&s, &r, index, finish] {
                s.LoadMode(index, [&s, &r, index, finish] {
                    // The link downloaded the mode's settings; the processor names its mode.
                    const int now = s.image().Get(kAddrLoadMode);
                    r.json["current"] = Utf8(ModeNumber(now));
                    r.ok = now == index;
                    if (r.ok) {
                        r.lines.push_back({"已调用模式 " + ModeNumber(index),
                                           "loaded mode " + ModeNumber(index)});
                    } else {
                        r.error = {"设备报告当前模式为 " + ModeNumber(now),
                                   "the processor reports mode " + ModeNumber(now)};
                    }
                    finish();
                });
            });
        });
}

int SaveMode(const Context& c, int index, const std::string& typed) {
    const ModeNameCheck check = CheckModeName(typed);
    if (!check.accepted()) return c.out.Refuse("mode", ModeNameRefusedText(check.refused));
    const std::string name = check.name;
    const std::string password = c.options.password;
    return ModeOnFleet(c,
                       [index, name, password](ProcessorSession& s, ProcessorResult& r,
                                               std::function<void()> finish) {
                           s.Link([&s, &r, index, name, password, finish] {
                               // Saving is the manager's: the processor in manager mode, or its
                               // system password.
                               const bool manager = s.image().Get(kAddrManagerFlag) == 1;
                               if (!manager &&
                                   (password.empty() || password != s.info().systemPassword)) {
                                   r.error = password.empty()
                              ? BilingualText{"用户模式无法执行保存操作（需 --password）",
                                              "the processor is in user mode: give its system "
                                              "password (--password)"}
                              : BilingualText{"系统密码错误", "wrong system password"};
                                   finish();
                                   return;
                               }
                               s.SaveMode(index, name, [&r, index, name, finish] {
                                   r.ok = true;
                                   r.lines.push_back(
                                       {"已保存为模式 " + ModeNumber(index) + "-" + name,
                                        "saved as mode " + ModeNumber(index) + "-" + name});
                                   finish();
                               });
                           });
                       });
}

}  // namespace

int ModeCommand(const Context& c) {
    const std::vector<std::string>& w = c.options.words;
    const std::string verb = w.empty() ? std::string() : w[0];
    if (verb == "list" && w.size() == 1) {
        return ModeOnFleet(
            c, [](ProcessorSession& s, ProcessorResult& r, std::function<void()> finish) {
                s.Link([&s, &r, finish] {
                    ListModes(s, r);
                    finish();
                });
            });
    }
    if (verb == "load" && w.size() == 2) {
        const std::optional<int> index = ModeIndex(w[1]);
        if (!index) {
            return c.out.Refuse("mode", {"模式应为 1..16 或 MF1..MF6：" + w[1],
                                         "a mode is 1..16 or MF1..MF6: " + w[1]});
        }
        return LoadMode(c, *index);
    }
    if (verb == "save" && w.size() == 3) {
        const std::optional<int> index = ModeIndex(w[1]);
        if (!index || *index >= kUserModeCount) {
            return c.out.Refuse("mode", {"只能保存用户模式 1..16：" + w[1],
                                         "only user modes 1..16 can be saved: " + w[1]});
        }
        return SaveMode(c, *index, w[2]);
    }
    return c.out.Refuse("mode", {"用法：mode list | mode load N | mode save N NAME",
                                 "usage: mode list | mode load N | mode save N NAME"});
}

}  // namespace zt::ctl
