#include "ui/system/preset_file_flows.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <algorithm>
#include <system_error>

#include "presets/preset_file_names.h"
#include "presets/preset_files.h"

namespace zt {
namespace {

const BilingualText kOverwriteQuestion{"文件已存在,覆盖它吗?",
                                       "File already exists, overwrite it right?"};
const BilingualText kOverwriteCaption{"*系统提示*", "*Confirm*"};

// A file opened from the command line is read while the link is still searching: it is shown,
// not sent.
class NoUpload : public ImageUploader {
public:
    void UploadImage() override {}
};

// The file list is not editable: typed keys neither edit it nor move its current row.
class SwallowTyping : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            return !static_cast<QKeyEvent*>(event)->text().isEmpty();
        }
        return QObject::eventFilter(watched, event);
    }
};

QTableWidgetItem* ReadOnlyItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

}  // namespace

PresetFileFlows::PresetFileFlows(Context context, const ControlRegistry& r)
    : context_(std::move(context)),
      uploader_(context_.link),
      list_(r.Get<QTableWidget>(QStringLiteral("ValueListEditor1"))),
      fileEdit_(r.Get<QLineEdit>(QStringLiteral("FileEdit"))),
      saveButton_(r.Get<QAbstractButton>(QStringLiteral("RzBmpButton120"))),
      loadButton_(r.Get<QAbstractButton>(QStringLiteral("RzBmpButton119"))) {}

void PresetFileFlows::Connect(QObject* context) {
    QObject::connect(list_, &QTableWidget::cellClicked, context,
                     [this](int row) { OnListClick(row); });
    list_->installEventFilter(new SwallowTyping(list_));
    QObject::connect(saveButton_, &QAbstractButton::clicked, context, [this] { SaveToPc(); });
    QObject::connect(loadButton_, &QAbstractButton::clicked, context, [this] { LoadFromPc(); });
}

void PresetFileFlows::ListPresetFiles() {
    const int previous = list_->currentRow();
    names_ = ListPresetNames(context_.folders().presetFolder);
    const int count = static_cast<int>(names_.size());
    list_->clearContents();
    list_->setRowCount(count);
    for (int n = 0; n < count; ++n) {
        list_->setItem(n, 0, ReadOnlyItem(QString::number(n)));
        list_->setItem(n, 1, ReadOnlyItem(QString::fromStdString(names_[n])));
    }
    const int current = previous >= 0 && previous < count ? previous : 0;
    if (count > 0) list_->setCurrentCell(current, 1);
    fileEdit_->setText(count > 0 ? QString::fromStdString(names_[current]) : QString());
}

void PresetFileFlows::ListPresetFiles(const std::string& name) {
    ListPresetFiles();
    const auto found = std::find(names_.begin(), names_.end(), name);
    if (found == names_.end()) return;
    list_->setCurrentCell(static_cast<int>(found - names_.begin()), 1);
    fileEdit_->setText(QString::fromStdString(name));
}

void PresetFileFlows::OnListClick(int row) {
    if (row < 0 || row >= static_cast<int>(names_.size())) return;
    // A name picked from the list means the file of the preset folder, not an opened one.
    opened_.reset();
    fileEdit_->setText(QString::fromStdString(names_[row]));
    if (context_.startUpComplete()) fileEdit_->setFocus(Qt::MouseFocusReason);
}

bool PresetFileFlows::Exists(const std::string& name) const {
    if (std::find(names_.begin(), names_.end(), name) != names_.end()) return true;
    // A file put into the folder since the list was filled is not overwritten unasked either.
    std::error_code error;
    return IsValidPresetName(name) &&
           std::filesystem::exists(context_.folders().PresetFile(name), error);
}

void PresetFileFlows::SaveToPc() {
    const std::string name = fileEdit_->text().toStdString();
    if (name.empty()) return;
    if (Exists(name) &&
        !context_.prompts.Ask(kOverwriteQuestion, kOverwriteCaption, AskButtons::OkCancel)) {
        return;
    }
    PresetFiles files(context_.folders(), context_.model.image(), context_.log, context_.prompts,
                      uploader_);
    files.WritePresetFile(name);
    ListPresetFiles(name);
}

void PresetFileFlows::LoadFromPc() {
    // An empty name is asked about too; reading then says that it names no file.
    const std::string name = fileEdit_->text().toStdString();
    const BilingualText question{"加载模式：" + name + " ?", "Load File Data：" + name + " ?"};
    if (!context_.prompts.Ask(question, kConfirmCaption, AskButtons::YesNo)) return;
    const bool online = context_.link.linkOnline();
    PresetFiles files(context_.folders(), context_.model.image(), context_.log, context_.prompts,
                      uploader_);
    const bool read = opened_ && name == opened_->name ? files.ReadPresetFileAt(opened_->path)
                                                       : files.ReadPresetFile(name);
    // An accepted file is in the image now and, while online, on its way to the processor.
    if (read && !online) context_.showReplacedImage();
}

bool PresetFileFlows::OpenFile(const std::filesystem::path& file) {
    NoUpload noUpload;
    PresetFiles files(context_.folders(), context_.model.image(), context_.log, context_.prompts,
                      noUpload);
    if (!files.ReadPresetFileAt(file)) return false;
    context_.showReplacedImage();
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    opened_ = OpenedFile{file.stem().string(), error ? file : absolute};
    fileEdit_->setText(QString::fromStdString(opened_->name));
    return true;
}

}  // namespace zt
