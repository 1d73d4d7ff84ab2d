#include "ui/system/compare_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace zt {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QString Pick(bool chinese, const char* zh, const char* en) {
    return QString::fromUtf8(chinese ? zh : en);
}

}  // namespace

CompareDialog::CompareDialog(const std::vector<ImageDifference>& differences,
                             const QString& fileName, bool chinese, std::function<void()> loadFile,
                             QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("CompareDialog"));
    setWindowTitle(Pick(chinese, "与文件比较", "Compare with file"));
    auto* layout = new QVBoxLayout(this);
    const QString count = QString::number(differences.size());
    auto* summary = new QLabel(
        differences.empty()
            ? Pick(chinese, "设备与文件 %1 相同", "The processor and %1 are the same").arg(fileName)
            : Pick(chinese, "设备与文件 %1 有 %2 处不同",
                   "%2 differences between the processor "
                   "and %1")
                  .arg(fileName, count),
        this);
    summary->setObjectName(QStringLiteral("CompareSummary"));
    layout->addWidget(summary);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("CompareList"));
    list_->setHeaderLabels({QStringLiteral("名称"), QStringLiteral("Name"),
                            Pick(chinese, "设备", "Processor"), Pick(chinese, "文件", "File")});
    // Channels in the order they first appear, each with its parameters.
    std::vector<std::string> channels;
    for (const ImageDifference& d : differences) {
        if (std::find(channels.begin(), channels.end(), d.name->channelKey) == channels.end()) {
            channels.push_back(d.name->channelKey);
        }
    }
    for (const std::string& channel : channels) {
        QTreeWidgetItem* group = nullptr;
        for (const ImageDifference& d : differences) {
            if (d.name->channelKey != channel) continue;
            if (!group) {
                group = new QTreeWidgetItem(
                    list_, {Q(d.name->channel.chinese), Q(d.name->channel.english)});
            }
            new QTreeWidgetItem(group, {Q(d.name->name.chinese), Q(d.name->name.english),
                                        Q(FormatParamValue(*d.name, d.valueA)),
                                        Q(FormatParamValue(*d.name, d.valueB))});
        }
    }
    list_->expandAll();
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(list_);

    auto* buttons = new QDialogButtonBox(this);
    load_ = buttons->addButton(Pick(chinese, "加载文件到设备", "Load the file"),
                               QDialogButtonBox::AcceptRole);
    load_->setObjectName(QStringLiteral("CompareLoadButton"));
    buttons->addButton(Pick(chinese, "关闭", "Close"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, [this, loadFile] {
        accept();
        if (loadFile) loadFile();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(640, 420);
}

}  // namespace zt
