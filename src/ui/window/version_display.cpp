#include "ui/window/version_display.h"

#include <QGridLayout>
#include <QLabel>

#include "link/qt/status_dialog.h"
#include "ui/window/main_window.h"
#include "zt_version.h"

namespace zt {

QString EditorVersionLine() {
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(kEditorProgramName),
                                       QString::fromLatin1(kEditorVersion));
}

void ShowVersion(TForm1& window, TForm2& statusDialog) {
    // The version label lets the mouse through to the strip's picture, which shows the tip.
    if (QWidget* strip = window.registry().Find(QStringLiteral("Image2"))) {
        strip->setToolTip(EditorVersionLine());
    }
    auto* grid = qobject_cast<QGridLayout*>(statusDialog.layout());
    if (!grid) return;
    auto* label = new QLabel(EditorVersionLine(), &statusDialog);
    label->setObjectName(QStringLiteral("VersionLabel"));
    label->setStyleSheet(QStringLiteral("color: gray;"));
    grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount(), Qt::AlignRight);
}

}  // namespace zt
