// "Compare with file…" on the system setting sheet: the differences between the processor and
// a preset file by name in both languages, and the button that loads the file.
#include <QPushButton>
#include <QTreeWidget>
#include <fstream>

#include "presets/preset_format.h"
#include "system_fixture.h"

namespace zt {
namespace {

class CompareWithFileTest : public SystemFixture {
protected:
    // A file that differs from the processor's memory in two places.
    QString FileWithTwoChanges() {
        DeviceImage image = app().model().image();
        image.Set(0x021B, 105);  // MIC A band 3 gain
        image.Set(0x0005, 204);  // music high-pass frequency
        const QString path = runtime_.path() + "/Changed.Nddt";
        std::ofstream(path.toStdString(), std::ios::binary) << PresetFileText(image);
        return path;
    }
    static QStringList Row(const QTreeWidgetItem* item) {
        QStringList texts;
        for (int c = 0; c < item->columnCount(); ++c) texts << item->text(c);
        return texts;
    }
};

TEST_F(CompareWithFileTest, ListsTheDifferencesByNameAndLoadsTheFile) {
    LinkNow();
    // On the preset file group of the system setting sheet, where the hidden "整机参数" was.
    auto* button = Get<QAbstractButton>("CompareFileBtn");
    EXPECT_FALSE(button->isHidden());
    EXPECT_EQ(button->parentWidget()->objectName(), "FileGroup");
    app().model().image().Set(0x021B, 100);
    app().model().image().Set(0x0005, 100);
    const QString path = FileWithTwoChanges();
    CompareDialog* dialog = system().compareWithFile().Compare(path);
    ASSERT_NE(dialog, nullptr);
    QTreeWidget* list = dialog->list();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(Row(list->topLevelItem(0)).mid(0, 2), (QStringList{"音乐", "Music"}));
    EXPECT_EQ(Row(list->topLevelItem(0)->child(0)),
              (QStringList{"高通频率", "HPF Frequency", "135.0Hz", "1000Hz"}));
    EXPECT_EQ(Row(list->topLevelItem(1)).mid(0, 2), (QStringList{"麦克A", "MIC A"}));
    EXPECT_EQ(Row(list->topLevelItem(1)->child(0)),
              (QStringList{"EQ 3 增益", "EQ 3 Gain", "-4.0dB", "-3.0dB"}));

    // Loading sends the file to the processor, which then holds it.
    dialog->loadButton()->click();
    ASSERT_TRUE(DriveThroughTransfer());
    EXPECT_EQ(sim_.processor().memory().Get(0x021B), 105);
    EXPECT_EQ(sim_.processor().memory().Get(0x0005), 204);
}

TEST_F(CompareWithFileTest, AFileThatCannotBeReadIsReportedAndNothingChanges) {
    const DeviceImage before = app().model().image();
    EXPECT_EQ(system().compareWithFile().Compare(runtime_.path() + "/missing.Nddt"), nullptr);
    ASSERT_FALSE(messages_->shown.empty());
    EXPECT_EQ(messages_->shown.back().first, "File not find!");
    EXPECT_FALSE(system().compareWithFile().Load(runtime_.path() + "/missing.Nddt"));
    EXPECT_TRUE(app().model().image() == before);
}

}  // namespace
}  // namespace zt
