#include "ui/system/preset_file_flows.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHeaderView>
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

// Saves that do not go beside the program say where they went.
BilingualText SavedToText(const std::filesystem::path& file) {
    return {"文件已保存到: " + Utf8FromPath(file), "File saved to: " + Utf8FromPath(file)};
}

}  // namespace

PresetFileFlows::PresetFileFlows(Context context, const ControlRegistry& r)
    : context_(std::move(context)),
      uploader_(context_.writes),
      list_(r.Get<QTableWidget>(QStringLiteral("ValueListEditor1"))),
      fileEdit_(r.Get<QLineEdit>(QStringLiteral("FileEdit"))),
      saveButton_(r.Get<QAbstractButton>(QStringLiteral("RzBmpButton120"))),
      loadButton_(r.Get<QAbstractButton>(QStringLiteral("RzBmpButton119"))),
      openButton_(r.Get<QAbstractButton>(QStringLiteral("OpenPresetFileBtn"))) {}

void PresetFileFlows::Connect(QObject* context) {
    QObject::connect(list_, &QTableWidget::cellClicked, context,
                     [this](int row) { OnListClick(row); });
    list_->installEventFilter(new SwallowTyping(list_));
    QObject::connect(saveButton_, &QAbstractButton::clicked, context, [this] { SaveToPc(); });
    QObject::connect(loadButton_, &QAbstractButton::clicked, context, [this] { LoadFromPc(); });
    QObject::connect(openButton_, &QAbstractButton::clicked, context, [this] { OpenFile(); });
    watcher_ = new QFileSystemWatcher(context);
    QObject::connect(watcher_, &QFileSystemWatcher::directoryChanged, context,
                     [this] { FollowFolders(); });
}

void PresetFileFlows::WatchFolders() {
    if (!watcher_) return;
    const PresetFolders& folders = context_.folders();
    QStringList wanted;
    for (const std::filesystem::path& folder : {folders.presetFolder, folders.sharedPresetFolder}) {
        if (!folder.empty()) wanted << QString::fromStdString(Utf8FromPath(folder));
    }
    const QStringList watched = watcher_->directories();
    for (const QString& folder : watched) {
        if (!wanted.contains(folder)) watcher_->removePath(folder);
    }
    for (const QString& folder : wanted) {
        if (!watched.contains(folder) && QFileInfo(folder).isDir()) watcher_->addPath(folder);
    }
}

void PresetFileFlows::FollowFolders() {
    const int row = list_->currentRow();
    const std::string chosen = row >= 0 && row < static_cast<int>(names_.size()) ? names_[row] : "";
    const QString typed = fileEdit_->text();
    ListPresetFiles(chosen);
    // What the user typed is theirs: a file appearing never replaces it.
    fileEdit_->setText(typed);
}

void PresetFileFlows::ListPresetFiles() {
    WatchFolders();
    const int previous = list_->currentRow();
    const PresetFolders& folders = context_.folders();
    names_ = ListPresetNames(folders);
    const int count = static_cast<int>(names_.size());
    list_->clearContents();
    list_->setRowCount(count);
    for (int n = 0; n < count; ++n) {
        list_->setItem(n, 0, ReadOnlyItem(QString::number(n)));
        QTableWidgetItem* name = ReadOnlyItem(QString::fromStdString(names_[n]));
        // Where the file lies: presets may come from two folders.
        name->setToolTip(QString::fromStdString(Utf8FromPath(folders.FindPresetFile(names_[n]))));
        list_->setItem(n, 1, name);
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
    // The file a save would replace, listed or put into the folder since the list was filled.
    // A preset of the shared folder beside the program is never replaced: the save goes beside
    // it into the writable folder.
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
    const bool saved = files.WritePresetFile(name);
    ListPresetFiles(name);
    if (saved && context_.folders().SavesElsewhere()) {
        context_.prompts.InformPlain(SavedToText(context_.folders().PresetFile(name)));
    }
}

void PresetFileFlows::LoadFromPc() {
    // An empty name is asked about too; reading then says that it names no file.
    const std::string name = fileEdit_->text().toStdString();
    const BilingualText question{"加载模式：" + name + " ?", "Load File Data：" + name + " ?"};
    if (!context_.prompts.Ask(question, kConfirmCaption, AskButtons::YesNo)) return;
    LoadFile([this, &name](PresetFiles& files) {
        // The file opened from the command line keeps its own path.
        return opened_ && name == opened_->name ? files.ReadPresetFileAt(opened_->path)
                                                : files.ReadPresetFile(name);
    });
}

void PresetFileFlows::OpenFile() {
    if (!context_.choosePresetFile) return;
    const QString folder = QString::fromStdString(Utf8FromPath(context_.folders().presetFolder));
    const QString chosen = context_.choosePresetFile(folder);
    if (chosen.isEmpty()) return;
    const std::filesystem::path file = PathFromUtf8(chosen.toStdString());
    LoadFile([&file](PresetFiles& files) { return files.ReadPresetFileAt(file); });
}

void PresetFileFlows::LoadFile(const std::function<bool(PresetFiles&)>& read) {
    const bool online = context_.link.linkOnline();
    PresetFiles files(context_.folders(), context_.model.image(), context_.log, context_.prompts,
                      uploader_);
    // An accepted file is in the image now and, while online, on its way to the processor.
    if (read(files) && !online) context_.showReplacedImage();
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
