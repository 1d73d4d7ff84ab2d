// zt461ctl against a venue of simulators: many processors at once, some of them faulty.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <fstream>
#include <map>

#include "ctl_rig.h"
#include "presets/image_compare.h"
#include "presets/preset_files.h"
#include "presets/preset_format.h"

namespace zt::test {
namespace {

// The values a download and a preset file both hold.
std::vector<ParamAddress> Compared() {
    return CommonAddresses(PresetFileAddresses(), DownloadedAddresses());
}

// The failed processors of a fleet document and their causes (English).
std::map<QString, QString> Failures(const QJsonObject& document) {
    std::map<QString, QString> failed;
    for (const QJsonValue& p : document["processors"].toArray()) {
        const QJsonObject o = p.toObject();
        if (!o["ok"].toBool()) failed[o["port"].toString()] = o["error"]["en"].toString();
    }
    return failed;
}

struct NoMessages : PresetMessages {
    void ShowBilingualMessage(const std::string&, const std::string& english) override {
        shown = english;
    }
    std::string shown;
};
struct NoUpload : ImageUploader {
    void UploadImage() override {}
};

// Reads a backup as the window reads a preset file: by its name in the preset folder.
bool ReadAsTheWindowDoes(const QString& path, DeviceImage& image) {
    const QFileInfo info(path);
    PresetFolders folders;
    folders.presetFolder = info.absolutePath().toStdString();
    MemoryLog log;
    NoMessages messages;
    NoUpload upload;
    PresetFiles files(folders, image, log, messages, upload);
    return files.ReadPresetFile(info.completeBaseName().toStdString());
}

// An image unlike the simulator's factory settings in every slot a file holds.
DeviceImage VenuePreset() {
    DeviceImage image;
    for (ParamAddress a : PresetFileAddresses()) image.Set(a, (a * 7 + 3) % 181);
    return image;
}

TEST(CtlFleet, BackupAndRestoreAllWithTwoFaultyProcessors) {
    CtlVenue venue;
    for (int i = 1; i <= 6; ++i) ASSERT_TRUE(venue.StartSim(QString("ROOM-%1").arg(i)));
    // One pulled out in the middle of its download, one held by another program.
    ASSERT_TRUE(venue.StartSim("ROOM-7", {"--vanish-after=25"}));
    ASSERT_TRUE(venue.StartSim("ROOM-8"));
    ASSERT_TRUE(venue.HoldPort("ROOM-8"));

    const QString folder = venue.folder("backups");
    const CtlRun backup = venue.Ctl({"backup", "--all", "-o", folder, "--json"});
    EXPECT_EQ(backup.exitCode, 1) << backup.err.toStdString();
    const std::map<QString, QString> failed = Failures(backup.json());
    ASSERT_EQ(failed.size(), 2u) << backup.out.toStdString();
    // Its pseudo-terminal ends with it: either the port is reported gone or the download
    // times out, whichever the line shows first.
    const QString pulled = failed.at("ROOM-7");
    EXPECT_TRUE(pulled.contains("went away") || pulled.contains("stopped answering during the "
                                                                "download"))
        << pulled.toStdString();
    EXPECT_TRUE(failed.at("ROOM-8").contains("cannot be opened"))
        << failed.at("ROOM-8").toStdString();
    EXPECT_TRUE(failed.at("ROOM-8").contains("busy")) << failed.at("ROOM-8").toStdString();

    // Six files, each read by the window's own reader and equal to what its processor holds.
    for (const QJsonValue& p : backup.json()["processors"].toArray()) {
        const QJsonObject o = p.toObject();
        if (!o["ok"].toBool()) continue;
        const QString port = o["port"].toString();
        EXPECT_EQ(o["deviceId"].toString(), "34612017");
        DeviceImage image;
        ASSERT_TRUE(ReadAsTheWindowDoes(o["file"].toString(), image)) << port.toStdString();
        SimState held;
        ASSERT_TRUE(venue.Dump(port, held));
        for (ParamAddress a : Compared()) {
            ASSERT_EQ(image.Get(a), held.memory.Get(a)) << port.toStdString() << std::hex << a;
        }
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 6);

    // The tuned preset goes to the six rooms; every value lands.
    const QString preset = folder + "/Tuned.Nddt";
    const DeviceImage tuned = VenuePreset();
    {
        std::ofstream out(preset.toStdString(), std::ios::binary);
        out << PresetFileText(tuned);
    }
    QStringList restore{"restore", preset, "--json"};
    for (int i = 1; i <= 6; ++i) restore << QString("ROOM-%1").arg(i);
    const CtlRun restored = venue.Ctl(restore);
    EXPECT_EQ(restored.exitCode, 0) << restored.out.toStdString() << restored.err.toStdString();
    EXPECT_TRUE(Failures(restored.json()).empty());
    for (int i = 1; i <= 6; ++i) {
        SimState held;
        ASSERT_TRUE(venue.Dump(QString("ROOM-%1").arg(i), held));
        for (ParamAddress a : Compared()) {
            ASSERT_EQ(held.memory.Get(a), tuned.Get(a)) << "ROOM-" << i << " " << std::hex << a;
        }
    }
}

TEST(CtlFleet, SilentAndDeafProcessorsEndInTheSummaryWithTheirCauses) {
    CtlVenue venue;
    ASSERT_TRUE(venue.StartSim("HALL"));
    ASSERT_TRUE(venue.StartSim("BAR", {"--silent-after=12"}));
    ASSERT_TRUE(venue.StartSim("VIP", {"--drop-replies=1"}));
    ASSERT_TRUE(venue.StartSim("LOBBY", {"--silent-after=0"}));
    const CtlRun run = venue.Ctl({"backup", "--all", "-o", venue.folder("b")});
    EXPECT_EQ(run.exitCode, 1);
    // The text output: one summary line naming exactly the three, with their causes.
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(lines.isEmpty());
    const QString summary = lines.last();
    EXPECT_TRUE(summary.startsWith("done 1/4; failed: ")) << summary.toStdString();
    EXPECT_TRUE(summary.contains("BAR (stopped answering during the download"))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains("VIP (")) << summary.toStdString();
    EXPECT_TRUE(summary.contains("LOBBY (no answer)")) << summary.toStdString();
    EXPECT_FALSE(summary.contains("HALL")) << summary.toStdString();
    EXPECT_TRUE(run.out.contains("HALL: saved ")) << run.out.toStdString();
    // Piped: no progress lines.
    EXPECT_FALSE(run.err.contains("downloading")) << run.err.toStdString();
}

}  // namespace
}  // namespace zt::test
