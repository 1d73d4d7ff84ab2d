#pragma once
// Chooses, once at start-up, the folder under which the "Mode" folder of preset files lives:
// the program's own folder when presets can be written there, otherwise (an installed program
// in a system folder) the user's application data folder.

#include <QString>
#include <filesystem>

#include "presets/preset_folders.h"

namespace zt {

// True when the preset folder can be written below the executable folder: the deepest of
// "Mode/KMode", "Mode" and the folder itself that exists is a folder that takes a new file,
// and no part of that road is something other than a folder.
bool CanHoldPresets(const QString& executableFolder);

// The executable folder when it can hold presets, otherwise the application data location
// (made if missing).
std::filesystem::path ChoosePresetBaseFolder(const QString& executableFolder);

// The folders of a run of a program in `executableFolder`: below the base folder chosen above,
// and, when that is not the program's folder, the program's preset folder as the shared one.
PresetFolders PresetFoldersFor(const QString& executableFolder);

// The folders of this run, from the running program's folder.
PresetFolders PresetFoldersAtStartUp();

// A Qt path as a native path.
std::filesystem::path ToFilesystemPath(const QString& path);

}  // namespace zt
