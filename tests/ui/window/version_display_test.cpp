// The version on the window: the title strip's tooltip and the foot of the status dialog.
#include <QLabel>

#include "link/qt/status_dialog.h"
#include "ui/window/version_display.h"
#include "ui/window/window_fixture.h"
#include "zt_version.h"

namespace zt {
namespace {

class VersionDisplayTest : public WindowFixture {};

TEST_F(VersionDisplayTest, TheTitleStripAndTheStatusDialogNameTheVersion) {
    const QString line = QStringLiteral("zt461-editor ") + QString::fromLatin1(kEditorVersion);
    EXPECT_EQ(EditorVersionLine(), line);
    EXPECT_EQ(app().registry().Find(QStringLiteral("Image2"))->toolTip(), line);
    auto* label = app().statusDialog().findChild<QLabel*>(QStringLiteral("VersionLabel"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), line);
    // The same in both languages.
    app().languageSwitch().SetLanguage(kChinese);
    EXPECT_EQ(label->text(), line);
}

}  // namespace
}  // namespace zt
