// ports, diff and keys.

#include <filesystem>
#include <memory>

#include "ctl/commands.h"
#include "presets/image_compare.h"
#include "presets/preset_path.h"

namespace zt::ctl {
namespace {

// One side of a diff: a preset file, or a processor downloaded for the comparison.
struct DiffSide {
    std::string label;
    bool file = false;
    PageMemory image;
};

}  // namespace

int PortsCommand(const Context& c) {
    std::vector<PortEntry> ports = c.options.virtualOnly
                                       ? BuildPortList({}, ConsolePortNames(), VirtualPortFolder())
                                       : ListPorts();
    if (ports.empty()) {
        c.out.Line(BilingualText{"没有找到端口", "no ports found"});
        c.out.Document({{"command", "ports"}, {"ok", true}, {"processors", QJsonArray()}});
        return kExitOk;
    }
    const auto results = RunFleet(
        ports,
        [](ProcessorSession& s, ProcessorResult& r, std::function<void()> finish) {
            s.Probe([&s, &r, finish] {
                r.ok = true;
                const std::string id = s.info().deviceId;
                r.json["answers"] = true;
                r.json["deviceId"] = Utf8(id);
                r.lines.push_back({"有应答，设备管理码 " + (id.empty() ? "?" : id),
                                   "answers, device ID " + (id.empty() ? "?" : id)});
                finish();
            });
        },
        !c.out.json);
    // A port without a processor is no failure of the command: it is what `ports` reports.
    QJsonArray list;
    for (size_t i = 0; i < results.size(); ++i) {
        const ProcessorResult& r = results[i];
        QJsonObject entry = r.json;
        entry["port"] = Utf8(r.port);
        entry["path"] = Utf8(ports[i].path);
        if (!r.ok) {
            entry["answers"] = false;
            entry["error"] = JsonText(r.error);
        }
        list.append(entry);
        c.out.Line(r.port + "  " + ports[i].path + "  " +
                   (r.ok ? c.out.Pick(r.lines.front()) : c.out.Pick(r.error)));
    }
    c.out.Document({{"command", "ports"}, {"ok", true}, {"processors", list}});
    return kExitOk;
}

int DiffCommand(const Context& c) {
    const std::vector<std::string>& w = c.options.words;
    if (w.size() != 2) return c.out.Refuse("diff", {"用法：diff A B", "usage: diff A B"});
    std::vector<DiffSide> sides(2);
    std::vector<std::string> portNames;
    for (size_t i = 0; i < 2; ++i) {
        sides[i].label = w[i];
        std::error_code ec;
        if (!std::filesystem::is_regular_file(w[i], ec)) {
            portNames.push_back(w[i]);
            continue;
        }
        BilingualText error;
        const std::optional<DeviceImage> image = ReadPresetImage(w[i], error);
        if (!image) {
            return c.out.Refuse("diff", {w[i] + "：" + error.chinese, w[i] + ": " + error.english});
        }
        sides[i].file = true;
        sides[i].image = *image;
    }
    if (!portNames.empty()) {
        BilingualText error;
        CtlOptions named = c.options;
        named.all = false;
        const auto ports = ChoosePorts({named, c.out, c.names}, portNames, error);
        if (!ports) return c.out.Refuse("diff", error);
        const auto results = RunFleet(
            *ports,
            [&](ProcessorSession& s, ProcessorResult& r, std::function<void()> finish) {
                s.Link([&, finish] {
                    for (DiffSide& side : sides) {
                        if (!side.file && side.label == s.portName()) side.image = s.image();
                    }
                    r.ok = true;
                    finish();
                });
            },
            !c.out.json);
        for (const ProcessorResult& r : results) {
            if (!r.ok) return c.out.Fleet("diff", results);
        }
    }
    // Files and processors hold different parts of the memory: compare what both hold.
    const std::vector<ParamAddress> addresses =
        CommonAddresses(sides[0].file ? PresetFileAddresses() : DownloadedAddresses(),
                        sides[1].file ? PresetFileAddresses() : DownloadedAddresses());
    const auto differences = CompareImages(sides[0].image, sides[1].image, addresses, c.names);
    for (const std::string& line : DifferenceLines(differences, c.out.chinese)) c.out.Line(line);
    if (differences.empty()) c.out.Line(BilingualText{"没有差异", "no differences"});
    QJsonArray list;
    for (const ImageDifference& d : differences) {
        list.append(QJsonObject{{"key", Utf8(d.name->key)},
                                {"channel", JsonText(d.name->channel)},
                                {"name", JsonText(d.name->name)},
                                {"a", Utf8(FormatParamValue(*d.name, d.valueA))},
                                {"b", Utf8(FormatParamValue(*d.name, d.valueB))},
                                {"rawA", d.valueA},
                                {"rawB", d.valueB}});
    }
    c.out.Document({{"command", "diff"},
                    {"ok", true},
                    {"a", Utf8(w[0])},
                    {"b", Utf8(w[1])},
                    {"differences", list}});
    return differences.empty() ? kExitOk : kExitFailed;
}

int KeysCommand(const Context& c) {
    const std::string prefix = c.options.words.empty() ? std::string() : c.options.words[0];
    QJsonArray list;
    for (const ParamName* n : c.names.named()) {
        if (n->key.rfind(prefix, 0) != 0) continue;
        c.out.Line(n->key + "  " + FullName(*n, c.out.chinese) + "  " + DescribeParamRange(*n));
        list.append(QJsonObject{{"key", Utf8(n->key)},
                                {"channel", JsonText(n->channel)},
                                {"name", JsonText(n->name)},
                                {"range", Utf8(DescribeParamRange(*n))}});
    }
    c.out.Document({{"command", "keys"}, {"ok", true}, {"keys", list}});
    return kExitOk;
}

}  // namespace zt::ctl
