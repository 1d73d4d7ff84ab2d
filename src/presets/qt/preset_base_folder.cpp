#include "presets/qt/preset_base_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace zt {
namespace {

// Creating (and at once removing) a file is the only reliable test: permission bits do not
// tell about read-only mounts, access control lists or an administrator's rights.
bool FolderTakesNewFile(const QString& folder) {
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("zt461-probe-XXXXXX")));
    return probe.open();
}

}  // namespace

std::filesystem::path ToFilesystemPath(const QString& path) {
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

bool CanHoldPresets(const QString& executableFolder) {
    const QDir base(executableFolder);
    const QString road[] = {base.filePath(QStringLiteral("Mode/KMode")),
                            base.filePath(QStringLiteral("Mode")), base.absolutePath()};
    for (const QString& folder : road) {
        const QFileInfo info(folder);
        if (!info.exists()) continue;
        return info.isDir() && FolderTakesNewFile(folder);
    }
    return false;
}

std::filesystem::path ChoosePresetBaseFolder(const QString& executableFolder) {
    if (CanHoldPresets(executableFolder)) return ToFilesystemPath(executableFolder);
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataFolder);
    return ToFilesystemPath(dataFolder);
}

PresetFolders PresetFoldersFor(const QString& executableFolder) {
    const PresetFolders beside = MakePresetFolders(ToFilesystemPath(executableFolder));
    PresetFolders folders = MakePresetFolders(ChoosePresetBaseFolder(executableFolder));
    // An installed program may carry presets in a folder it cannot write: they stay in reach.
    if (folders.applicationFolder != beside.applicationFolder) {
        folders.sharedPresetFolder = beside.presetFolder;
    }
    return folders;
}

PresetFolders PresetFoldersAtStartUp() {
    return PresetFoldersFor(QCoreApplication::applicationDirPath());
}

}  // namespace zt
