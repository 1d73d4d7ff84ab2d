#pragma once
// "Compare with file…" on the system setting sheet: picks a preset file, lists what differs
// from the processor (or the image off line) by name, and loads the file when asked, as
// "Load File data" does.

#include <QPointer>
#include <QString>
#include <functional>
#include <optional>

#include "link/link_engine.h"
#include "params/param_model.h"
#include "params/param_names.h"
#include "presets/preset_folders.h"
#include "ui/system/compare_dialog.h"
#include "ui/system/prompts.h"
#include "ui/widgets/control_registry.h"

class QAbstractButton;

namespace zt {

class CompareWithFile {
public:
    struct Context {
        LinkEngine& link;
        ParamModel& model;
        Prompts& prompts;
        std::function<const PresetFolders&()> folders;
        // A file replaced the image while off line: show it on every page.
        std::function<void()> showReplacedImage;
    };

    // Builds the button on the preset file group of the system setting sheet.
    CompareWithFile(Context context, ControlRegistry& registry);

    void Connect(QObject* context);

    // Reads the file and shows the differences; a file that cannot be read is reported and
    // gives nullptr.
    CompareDialog* Compare(const QString& path);
    // Loads the file into the image and, online, the processor.
    bool Load(const QString& path);

    QAbstractButton* button() const { return button_; }

private:
    void PickAndCompare();

    Context context_;
    // The names of every address, made at the first comparison: making them is a tenth of the
    // window's start-up, and few sessions compare.
    std::optional<ParamNames> names_;
    QAbstractButton* button_ = nullptr;
    QPointer<CompareDialog> dialog_;
};

}  // namespace zt
