// The real editor program on a private X server keeps its settings across a restart: the
// language it was started in and the place the user dragged its window to come back.
#include <gtest/gtest.h>

#include <QTest>

#include "tests/e2e/xvfb_editor.h"
#include "tests/support/sim_run.h"
#include "tests/support/xvfb_session.h"
#include "ui/window/language.h"
#include "ui/window/settings_store.h"

#ifndef ZT_EDITOR_PROGRAM
#define ZT_EDITOR_PROGRAM ""
#endif

namespace zt::test {
namespace {

constexpr int kWindowWidth = 1206;  // the client area and its 1-pixel border

class SettingsOnXvfb : public ::testing::Test {
protected:
    void SetUp() override {
        const QString missing = XvfbSession::MissingTools();
        if (!missing.isEmpty()) GTEST_SKIP() << "missing " << missing.toStdString();
        ASSERT_TRUE(sim_.Start()) << "zt461-sim did not start";
        runtime_ = qEnvironmentVariable("XDG_RUNTIME_DIR");
        ASSERT_TRUE(session_.StartX(runtime_)) << "Xvfb did not come up";
        settings_ = std::make_unique<SettingsFile>(runtime_ + "/config/zt461/zt461-editor.conf");
    }

    void StartOnline() {
        ASSERT_TRUE(session_.StartEditor(QStringLiteral(ZT_EDITOR_PROGRAM)));
        ASSERT_TRUE(QTest::qWaitFor([&] { return sim_.status() == "online"; }, kOnlineTimeoutMs))
            << "no link; status " << sim_.status().toStdString() << "\n"
            << session_.editor().readAll().toStdString();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return session_.WindowOrigin(QString::fromLatin1(kEditorTitle)).has_value(); },
            5000));
    }

    QPoint Origin() {
        return session_.WindowOrigin(QString::fromLatin1(kEditorTitle)).value_or(QPoint(-1, -1));
    }

    // Closes the editor with its own close button, as a user does.
    void CloseByButton() {
        const QPoint close = Origin() + QPoint(kWindowWidth - 16, 12);
        session_.Pointer(
            {"mousemove", QString::number(close.x()), QString::number(close.y()), "click", "1"});
        ASSERT_TRUE(session_.editor().waitForFinished(15000)) << "the editor did not end";
    }

    // The window list names the status dialog by its caption in the window's language.
    QString StatusDialogCaption() {
        const QString text = session_.WindowTree();
        if (text.contains(QStringLiteral("\"设备状态\""))) return QStringLiteral("设备状态");
        if (text.contains(QStringLiteral("\"Device Staus\"")))
            return QStringLiteral("Device Staus");
        return text;
    }

    SimRun sim_{{}};
    XvfbSession session_;
    QString runtime_;
    std::unique_ptr<SettingsFile> settings_;
};

TEST_F(SettingsOnXvfb, TheLanguageAndTheDraggedPlaceAreKeptAcrossARestart) {
    EditorSettings chinese;
    chinese.language = kChinese;
    ASSERT_TRUE(settings_->Save(chinese));

    StartOnline();
    const QPoint start = Origin();
    // Drag the title strip's bare background.
    const QPoint grab = start + QPoint(500, 12);
    const QPoint delta(-27, 61);
    session_.Pointer({"mousemove", QString::number(grab.x()), QString::number(grab.y())});
    session_.Pointer({"mousedown", "1"});
    for (int step = 1; step <= 8; ++step) {
        const QPoint at = grab + delta * step / 8;
        session_.Pointer({"mousemove", QString::number(at.x()), QString::number(at.y())});
        QTest::qWait(30);
    }
    session_.Pointer({"mouseup", "1"});
    const QPoint moved = start + delta;
    ASSERT_TRUE(QTest::qWaitFor([&] { return Origin() == moved; }, 5000))
        << "the window did not move: " << Origin().x() << "," << Origin().y();
    CloseByButton();
    const EditorSettings stored = settings_->Load();
    EXPECT_EQ(stored.language, kChinese);
    ASSERT_TRUE(stored.windowPlace.has_value());
    EXPECT_EQ(stored.windowPlace->topLeft(), moved);
    EXPECT_EQ(stored.lastPort, QStringLiteral("ZT461-SIM"));

    ASSERT_TRUE(QTest::qWaitFor([&] { return sim_.status() != "online"; }, 10000));
    StartOnline();
    EXPECT_EQ(Origin(), moved);
    EXPECT_EQ(StatusDialogCaption(), QStringLiteral("设备状态"));
}

}  // namespace
}  // namespace zt::test
