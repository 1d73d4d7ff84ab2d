// zt461ctl diff and keys: preset files compared by name in both languages.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <fstream>
#include <set>

#include "ctl_rig.h"
#include "presets/preset_format.h"

namespace zt::test {
namespace {

void WriteFile(const QString& path, const DeviceImage& image) {
    std::ofstream out(path.toStdString(), std::ios::binary);
    out << PresetFileText(image);
}

TEST(CtlDiff, TwoFilesListExactlyTheDifferingPlacesByName) {
    CtlVenue venue;
    DeviceImage a;
    for (int slot = 0; slot <= 114; ++slot) a.Set(2, slot, 100);
    DeviceImage b = a;
    b.Set(0x021B, 105);  // MIC A band 3 gain
    b.Set(0x060A, 125);  // main left delay, sing
    b.Set(0x0055, 3);    // music right EQ band 1 type
    b.Set(0x1800, 7);    // echo B effect level
    const QString fileA = venue.folder("f") + "/A.Nddt";
    const QString fileB = venue.folder("f") + "/B.Nddt";
    WriteFile(fileA, a);
    WriteFile(fileB, b);

    const CtlRun json = venue.Ctl({"diff", fileA, fileB, "--json"});
    EXPECT_EQ(json.exitCode, 1);
    std::set<QString> keys;
    for (const QJsonValue& d : json.json()["differences"].toArray())
        keys.insert(d["key"].toString());
    EXPECT_EQ(keys, (std::set<QString>{"mic_a.eq3.gain", "main.sing.left.delay",
                                       "music.right.eq1.type", "echo_b.effect.level"}));

    const CtlRun english = venue.Ctl({"diff", fileA, fileB, "--lang", "en"});
    EXPECT_EQ(english.out.split('\n', Qt::SkipEmptyParts),
              (QStringList{"Music", "  Right EQ 1 Type: BYPSS -> HSEQ", "MIC A",
                           "  EQ 3 Gain: -4.0dB -> -3.0dB", "Main L Sing",
                           "  Delay: 0.0ms -> 12.5ms", "Echo B", "  Echo Effect Vol: 0% -> 7%"}));
    const CtlRun chinese = venue.Ctl({"diff", fileA, fileB, "--lang", "zh"});
    EXPECT_EQ(chinese.out.split('\n', Qt::SkipEmptyParts),
              (QStringList{"音乐", "  右 EQ 1 类型: BYPSS -> HSEQ", "麦克A",
                           "  EQ 3 增益: -4.0dB -> -3.0dB", "主左 唱歌", "  延时: 0.0ms -> 12.5ms",
                           "回声B", "  回声音量: 0% -> 7%"}));

    // A file's values read by key, as the window shows them.
    const CtlRun get =
        venue.Ctl({"get", "mic_a.eq3.gain", "echo_b.effect.level", "-f", fileB, "--json"});
    EXPECT_EQ(get.exitCode, 0);
    const QJsonArray values = get.json()["values"].toArray();
    ASSERT_EQ(values.size(), 2);
    EXPECT_EQ(values[0]["value"].toString(), "-3.0dB");
    EXPECT_EQ(values[1]["value"].toString(), "7%");

    const CtlRun same = venue.Ctl({"diff", fileA, fileA});
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_TRUE(same.out.contains("no differences"));
    const CtlRun missing = venue.Ctl({"diff", fileA, venue.runtime() + "/none.Nddt"});
    EXPECT_EQ(missing.exitCode, 2);
}

TEST(CtlDiff, HelpAndKeys) {
    CtlVenue venue;
    const CtlRun help = venue.Ctl({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command :
         {"ports", "backup", "restore", "get", "set", "mode", "volume", "diff"}) {
        EXPECT_TRUE(help.out.contains(QString("  ") + command)) << command;
    }
    EXPECT_EQ(venue.Ctl({"--bogus"}).exitCode, 2);
    const CtlRun keys = venue.Ctl({"keys", "mic_a.eq3."});
    EXPECT_EQ(keys.exitCode, 0);
    EXPECT_EQ(keys.out.split('\n', Qt::SkipEmptyParts).size(), 5);
    EXPECT_TRUE(keys.out.contains("mic_a.eq3.gain  MIC A EQ 3 Gain  -24.0dB .. 12.0dB"));
}

}  // namespace
}  // namespace zt::test
