// zt461-editor: editor and remote control for the ZT461 audio processor.
#include <QApplication>

#include "ui/window/editor_app.h"
#include "ui/window/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(zt::kApplicationTitle));
    // No display name: Qt would append it to the title of every dialog and message box.
    zt::EditorApp editor;
    editor.Show();
    return app.exec();
}
