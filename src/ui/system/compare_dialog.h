#pragma once
// The differences between the processor (or the image off line) and a preset file, by the
// names the window shows, in both languages, grouped by channel; a button loads the file.

#include <QDialog>
#include <functional>
#include <vector>

#include "presets/image_compare.h"

class QPushButton;
class QTreeWidget;

namespace zt {

class CompareDialog : public QDialog {
    Q_OBJECT

public:
    // `processorLabel`/`fileLabel`: the column titles of the two values.
    CompareDialog(const std::vector<ImageDifference>& differences, const QString& fileName,
                  bool chinese, std::function<void()> loadFile, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }
    QPushButton* loadButton() const { return load_; }

private:
    QTreeWidget* list_;
    QPushButton* load_;
};

}  // namespace zt
