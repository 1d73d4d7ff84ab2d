#include "ui/system/compare_with_file.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>

#include "presets/preset_path.h"
#include "ui/widgets/swapping.h"

namespace zt {
namespace {

// The place of the hidden "整机参数" button in the header row of the preset file group.
constexpr QRect kButtonPlace{126, 0, 122, 24};

}  // namespace

CompareWithFile::CompareWithFile(Context context, ControlRegistry& registry)
    : context_(std::move(context)) {
    QWidget* group = registry.Find(QStringLiteral("FileGroup"));
    auto* button = new SwappingPushButton(QStringLiteral("与文件比较…"),
                                          QStringLiteral("Compare with file…"), group);
    button->setObjectName(QStringLiteral("CompareFileBtn"));
    button->setGeometry(kButtonPlace);
    registry.Add(button);
    button_ = button;
}

void CompareWithFile::Connect(QObject* context) {
    QObject::connect(button_, &QAbstractButton::clicked, context, [this] { PickAndCompare(); });
}

void CompareWithFile::PickAndCompare() {
    const bool chinese = context_.prompts.language().chinese();
    const QString folder = QString::fromStdString(context_.folders().presetFolder.string());
    const QString path = QFileDialog::getOpenFileName(
        button_->window(), chinese ? QStringLiteral("选择预设文件") : QStringLiteral("Preset file"),
        folder, QStringLiteral("*.Nddt"));
    if (!path.isEmpty()) Compare(path);
}

CompareDialog* CompareWithFile::Compare(const QString& path) {
    BilingualText error;
    const std::optional<DeviceImage> file = ReadPresetImage(path.toStdString(), error);
    if (!file) {
        context_.prompts.InformPlain(error);
        return nullptr;
    }
    if (!names_) names_.emplace();
    const auto differences =
        CompareImages(context_.model.image(), *file,
                      CommonAddresses(PresetFileAddresses(), DownloadedAddresses()), *names_);
    if (dialog_) dialog_->close();
    dialog_ = new CompareDialog(
        differences, QFileInfo(path).fileName(), context_.prompts.language().chinese(),
        [this, path] { Load(path); }, button_->window());
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    dialog_->open();
    return dialog_;
}

bool CompareWithFile::Load(const QString& path) {
    BilingualText error;
    const std::optional<PresetContent> content = ReadPresetPath(path.toStdString(), error);
    if (!content) {
        context_.prompts.InformPlain(error);
        return false;
    }
    ApplyPresetContent(*content, context_.model.image());
    if (context_.link.linkOnline()) {
        context_.link.StartUpload();
    } else if (context_.showReplacedImage) {
        context_.showReplacedImage();
    }
    return true;
}

}  // namespace zt
