#pragma once
// A private X server for a test that runs the real editor program: Xvfb on a free display,
// the editor on it, screenshots of the screen and pointer gestures through xdotool.

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>
#include <functional>
#include <optional>

namespace zt::test {

inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QThread::msleep(50);
    }
    return true;
}

// A display number that no other X server holds; spread by process so that tests starting side
// by side rarely try the same one.
inline int FreeXDisplay() {
    for (int n = 140 + getpid() % 250; n < 450; ++n) {
        if (!QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)) &&
            !QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) {
            return n;
        }
    }
    return -1;
}

// Asks a program to end, and ends it if it does not within five seconds.
inline void StopProcess(QProcess& process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(2000);
    }
}

class XvfbSession {
public:
    XvfbSession() { env_ = QProcessEnvironment::systemEnvironment(); }
    ~XvfbSession() {
        StopProcess(editor_);
        StopProcess(xvfb_);
    }

    // Empty when every tool is there, else what is missing.
    static QString MissingTools() {
        QStringList missing;
        for (const char* tool : {"Xvfb", "xdotool", "import", "xwininfo"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
                missing << QString::fromLatin1(tool);
            }
        }
        return missing.join(QLatin1Char(' '));
    }

    bool StartX(const QString& runtimeDir) {
        display_ = FreeXDisplay();
        if (display_ < 0) return false;
        env_.insert("XDG_RUNTIME_DIR", runtimeDir);
        // Each editor keeps its settings in its own run: none carries a place into another.
        env_.insert("XDG_CONFIG_HOME", runtimeDir + "/config");
        env_.insert("DISPLAY", QStringLiteral(":%1").arg(display_));
        env_.insert("QT_QPA_PLATFORM", "xcb");
        env_.remove("WAYLAND_DISPLAY");
        xvfb_.start(QStandardPaths::findExecutable("Xvfb"),
                    {QStringLiteral(":%1").arg(display_), "-screen", "0", "1280x800x24",
                     "-nolisten", "tcp"});
        if (!xvfb_.waitForStarted()) return false;
        return WaitUntil(
            [&] { return QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display_)); },
            10000);
    }

    bool StartEditor(const QString& program) {
        editor_.setProcessEnvironment(env_);
        editor_.setProcessChannelMode(QProcess::MergedChannels);
        editor_.start(program, {});
        return editor_.waitForStarted();
    }
    QProcess& editor() { return editor_; }

    // The top-left corner on the screen of the top-level window titled `title`; none until it
    // is mapped. Qt's 1 x 1 leader window shares the title but has no class.
    std::optional<QPoint> WindowOrigin(const QString& title) {
        const QString tree = Run("xwininfo", {"-root", "-tree"});
        const auto match =
            QRegularExpression(
                QStringLiteral(
                    R"("%1": \("[^"]*" "[^"]*"\)\s+\d+x\d+\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+))")
                    .arg(QRegularExpression::escape(title)))
                .match(tree);
        if (!match.hasMatch()) return std::nullopt;
        return QPoint(match.captured(1).toInt(), match.captured(2).toInt());
    }

    // How many top-level windows titled `title` are mapped (a message box shares the main
    // window's title).
    int WindowCount(const QString& title) {
        const QString tree = Run("xwininfo", {"-root", "-tree"});
        return static_cast<int>(
            tree.count(QRegularExpression(QStringLiteral(R"("%1": \("[^"]*" "[^"]*"\))")
                                              .arg(QRegularExpression::escape(title)))));
    }

    QImage Screenshot(const QString& path) {
        QFile::remove(path);
        Run("import", {"-window", "root", path});
        return QImage(path).convertToFormat(QImage::Format_RGB32);
    }

    // Every window of the screen with its name, as xwininfo lists them.
    QString WindowTree() { return Run("xwininfo", {"-root", "-tree"}); }

    // xdotool with its arguments, e.g. {"mousemove", "10", "20", "click", "1"}.
    void Pointer(const QStringList& args) { Run("xdotool", args); }

private:
    QString Run(const char* tool, const QStringList& args) {
        QProcess process;
        process.setProcessEnvironment(env_);
        process.start(QStandardPaths::findExecutable(QString::fromLatin1(tool)), args);
        if (!process.waitForFinished(10000)) {
            process.kill();
            process.waitForFinished();
            return {};
        }
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    int display_ = -1;
    QProcessEnvironment env_;
    QProcess xvfb_;
    QProcess editor_;
};

}  // namespace zt::test
