// backup and restore: whole images between processors and preset files.

#include <QDate>
#include <filesystem>
#include <fstream>

#include "ctl/commands.h"
#include "presets/image_compare.h"
#include "presets/preset_files.h"
#include "presets/preset_format.h"
#include "presets/preset_path.h"

namespace zt::ctl {
namespace {

// Lines of differences shown when a restore did not land everywhere.
constexpr size_t kShownDifferences = 12;

// A port name as part of a file name: separators and odd characters become "_".
std::string FileNamePart(const std::string& text) {
    std::string part;
    for (char c : text) {
        const bool plain = std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.';
        part += plain ? c : '_';
    }
    while (!part.empty() && part.front() == '.') part.erase(0, 1);
    return part.empty() ? "port" : part;
}

// PORT_DEVICEID_DATE.Nddt in the folder; "-2", "-3" ... when a backup of the day is there.
std::filesystem::path BackupPath(const std::filesystem::path& folder, const std::string& port,
                                 const std::string& deviceId) {
    const std::string stem = FileNamePart(port) + "_" + (deviceId.empty() ? "unknown" : deviceId) +
                             "_" + QDate::currentDate().toString(Qt::ISODate).toStdString();
    std::filesystem::path path = folder / (stem + std::string(kPresetExtension));
    for (int n = 2; std::filesystem::exists(path); ++n) {
        path = folder / (stem + "-" + std::to_string(n) + std::string(kPresetExtension));
    }
    return path;
}

void SaveBackup(ProcessorSession& s, ProcessorResult& r, const std::filesystem::path& folder,
                const ParamNames& names) {
    const std::string id = s.info().deviceId;
    const std::filesystem::path path = BackupPath(folder, r.port, id);
    r.json["deviceId"] = Utf8(id);
    r.json["file"] = Utf8(path.string());
    if (!ReplaceFileContent(path, PresetFileText(s.image()))) {
        r.error = {"无法写入 " + path.string(), "cannot write " + path.string()};
        return;
    }
    // Read back: the file must hold exactly what was downloaded.
    BilingualText unread;
    const std::optional<DeviceImage> back = ReadPresetImage(path, unread);
    if (!back || !CompareImages(*back, s.image(), PresetFileAddresses(), names).empty()) {
        r.error = {"文件读回与下载不符：" + path.string(),
                   "the file does not read back as downloaded: " + path.string()};
        return;
    }
    r.ok = true;
    r.lines.push_back({"已备份到 " + path.string() + "（已读回核对）",
                       "saved " + path.string() + " (read back, equal)"});
}

}  // namespace

int BackupCommand(const Context& c) {
    BilingualText error;
    const auto ports = ChoosePorts(c, c.options.words, error);
    if (!ports) return c.out.Refuse("backup", error);
    const std::filesystem::path folder = c.options.outputFolder;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder)) {
        return c.out.Refuse("backup", {"无法创建文件夹 " + folder.string(),
                                       "cannot make the folder " + folder.string()});
    }
    const auto results = RunFleet(
        *ports,
        [&](ProcessorSession& s, ProcessorResult& r, std::function<void()> finish) {
            s.Link([&s, &r, finish, folder, &names = c.names] {
                s.ReadDeviceId([&s, &r, finish, folder, &names] {
                    SaveBackup(s, r, folder, names);
                    finish();
                });
            });
        },
        !c.out.json);
    return c.out.Fleet("backup", results);
}

int RestoreCommand(const Context& c) {
    if (c.options.words.empty()) {
        return c.out.Refuse("restore", {"请指定预设文件", "name the preset file to restore"});
    }
    const std::string file = c.options.words.front();
    BilingualText error;
    const std::optional<PresetContent> content = ReadPresetPath(file, error);
    if (!content)
        return c.out.Refuse("restore", {file + "：" + error.chinese, file + ": " + error.english});
    const auto ports = ChoosePorts(c, {c.options.words.begin() + 1, c.options.words.end()}, error);
    if (!ports) return c.out.Refuse("restore", error);
    const std::vector<ParamAddress> compared =
        CommonAddresses(PresetFileAddresses(), DownloadedAddresses());
    const auto results = RunFleet(
        *ports,
        [&](ProcessorSession& s, ProcessorResult& r, std::function<void()> finish) {
            s.Link([&, finish] {
                auto expected = std::make_shared<DeviceImage>(s.image());
                ApplyPresetContent(*content, *expected);
                s.Upload(*expected, [&, expected, finish] {
                    s.Relink([&, expected, finish] {
                        const auto differences =
                            CompareImages(*expected, s.image(), compared, c.names);
                        r.json["differences"] = static_cast<int>(differences.size());
                        if (differences.empty()) {
                            r.ok = true;
                            r.lines.push_back({"已恢复，读回的每个值都相同",
                                               "restored; every value read back equal"});
                        } else {
                            const std::string n = std::to_string(differences.size());
                            r.error = {n + " 个值未写入", n + " values did not land"};
                            auto lines = DifferenceLines(differences, c.out.chinese);
                            if (lines.size() > kShownDifferences) lines.resize(kShownDifferences);
                            for (const std::string& line : lines) r.lines.push_back({line, line});
                        }
                        finish();
                    });
                });
            });
        },
        !c.out.json);
    return c.out.Fleet("restore", results);
}

}  // namespace zt::ctl
