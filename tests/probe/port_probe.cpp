// zt-port-probe: the editor's window, offscreen, started as whatever user runs it. It lets the
// start-up search run and prints what the user would read, one line each: every text of the
// status dialog's port line ("port: ...") and every message box ("message: ..."). It ends once
// the search has failed (and its messages are out) or the link is online, or after 20 s.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "link/qt/status_dialog.h"
#include "ui/app/editor_app.h"

namespace {

class PrintedMessages : public zt::WindowMessages {
public:
    void Inform(const QString& text, const QString&) override {
        std::printf("message: %s\n", text.toUtf8().constData());
        std::fflush(stdout);
        ++count;
    }
    int count = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    auto messages = std::make_unique<PrintedMessages>();
    PrintedMessages* printed = messages.get();
    zt::EditorApp editor(std::move(messages));
    editor.Show();

    QString portLine;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const QString text = editor.statusDialog().comLabel()->text();
        if (text != portLine) {
            portLine = text;
            std::printf("port: %s\n", text.toUtf8().constData());
            std::fflush(stdout);
        }
        if (printed->count > 0 || editor.link().linkOnline()) {
            std::printf("online: %d\n", editor.link().linkOnline() ? 1 : 0);
            application.quit();
        }
    });
    watch.start();
    QTimer::singleShot(20000, &application, &QApplication::quit);
    return application.exec();
}
