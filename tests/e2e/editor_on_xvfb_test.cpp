// The real editor program on a private X server, linked to the processor simulator: it finds
// the simulated port, downloads the processor's memory and comes online; its window carries
// the program's title at its design size.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

#include "tests/e2e/xvfb_editor.h"
#include "tests/support/xvfb_session.h"

namespace zt::test {
namespace {

QString BuildFile(const QString& relative) {
    return QDir(QCoreApplication::applicationDirPath() + "/..").absoluteFilePath(relative);
}

#ifndef ZT_EDITOR_PROGRAM
#define ZT_EDITOR_PROGRAM ""
#define ZT_SIM_PROGRAM ""
#endif

QString ReadTrimmed(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

// Runs a helper program to its end and returns its standard output.
QString RunTool(const QString& program, const QStringList& args, const QProcessEnvironment& env) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

class EditorOnXvfb : public ::testing::Test {
protected:
    void SetUp() override {
        xvfbPath_ = QStandardPaths::findExecutable("Xvfb");
        if (xvfbPath_.isEmpty()) GTEST_SKIP() << "Xvfb is not installed";
        editorPath_ = QStringLiteral(ZT_EDITOR_PROGRAM);
        simPath_ = QStringLiteral(ZT_SIM_PROGRAM);
        ASSERT_TRUE(QFileInfo(editorPath_).isExecutable()) << editorPath_.toStdString();
        ASSERT_TRUE(QFileInfo(simPath_).isExecutable()) << simPath_.toStdString();
        ASSERT_TRUE(runtime_.isValid());
        QFile::setPermissions(runtime_.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        display_ = FreeXDisplay();
        ASSERT_GT(display_, 0);

        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert("XDG_RUNTIME_DIR", runtime_.path());
        env_.insert("XDG_CONFIG_HOME", runtime_.filePath("config"));  // no stored place
        env_.insert("DISPLAY", QStringLiteral(":%1").arg(display_));
        env_.insert("QT_QPA_PLATFORM", "xcb");  // the tests' own default is offscreen
        env_.remove("WAYLAND_DISPLAY");
    }

    void TearDown() override {
        StopProcess(editor_);
        StopProcess(sim_);
        StopProcess(xvfb_);
    }

    QString xvfbPath_, editorPath_, simPath_;
    QTemporaryDir runtime_;
    int display_ = -1;
    QProcessEnvironment env_;
    QProcess xvfb_, sim_, editor_;
};

TEST_F(EditorOnXvfb, LinksToTheSimulatorAndShowsItsWindow) {
    xvfb_.start(xvfbPath_, {QStringLiteral(":%1").arg(display_), "-screen", "0", "1280x800x24",
                            "-nolisten", "tcp"});
    ASSERT_TRUE(xvfb_.waitForStarted());
    ASSERT_TRUE(WaitUntil(
        [&] { return QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display_)); }, 10000))
        << "Xvfb did not come up";

    const QString status = runtime_.filePath("sim.status");
    sim_.setProcessEnvironment(env_);
    sim_.start(simPath_, {"--status-file=" + status});
    ASSERT_TRUE(sim_.waitForStarted());
    ASSERT_TRUE(WaitUntil([&] { return ReadTrimmed(status) == "waiting"; }, 10000))
        << "the simulator did not start: " << sim_.readAllStandardError().toStdString();

    editor_.setProcessEnvironment(env_);
    editor_.setProcessChannelMode(QProcess::MergedChannels);
    editor_.start(editorPath_, {});
    ASSERT_TRUE(editor_.waitForStarted());
    const bool online = WaitUntil(
        [&] { return ReadTrimmed(status) == "online" || editor_.state() == QProcess::NotRunning; },
        kOnlineTimeoutMs);
    ASSERT_EQ(editor_.state(), QProcess::Running)
        << "the editor ended: " << editor_.readAll().toStdString();
    ASSERT_TRUE(online) << "no link within " << kOnlineTimeoutMs / 1000 << " s; status "
                        << ReadTrimmed(status).toStdString();

    // The top-level windows with their class; Qt's 1 x 1 leader window shares the title but
    // has no class.
    const QString tree =
        RunTool(QStandardPaths::findExecutable("xwininfo"), {"-root", "-tree"}, env_);
    const auto window =
        QRegularExpression(
            QStringLiteral(
                R"("%1": \("[^"]*" "[^"]*"\)\s+(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+))")
                .arg(QRegularExpression::escape(kEditorTitle)))
            .match(tree);
    ASSERT_TRUE(window.hasMatch()) << "no window titled " << kEditorTitle << "\n"
                                   << tree.toStdString();
    // A client area of 1204 x 609 inside the window's own 1-pixel border.
    EXPECT_EQ(window.captured(1).toInt(), 1206);
    EXPECT_EQ(window.captured(2).toInt(), 611);
    // In the middle of the 1280 x 800 screen.
    EXPECT_NEAR(window.captured(3).toInt(), (1280 - 1206) / 2, 1);
    EXPECT_NEAR(window.captured(4).toInt(), (800 - 611) / 2, 1);
    // Dialogs and message boxes carry their own captions, nothing appended.
    EXPECT_TRUE(tree.contains(QStringLiteral("\"Device Staus\": ("))) << tree.toStdString();

    const QString import = QFileInfo::exists("/usr/bin/import")
                               ? QStringLiteral("/usr/bin/import")
                               : QStandardPaths::findExecutable("import");
    if (!import.isEmpty()) {
        const QString shot = BuildFile("tests/e2e-editor.png");
        QFile::remove(shot);
        RunTool(import, {"-window", "root", shot}, env_);
        EXPECT_TRUE(QFileInfo(shot).size() > 0) << "no screenshot at " << shot.toStdString();
        std::printf("screenshot: %s\n", qPrintable(shot));
    }
}

}  // namespace
}  // namespace zt::test
