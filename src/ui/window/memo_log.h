#pragma once
// The diagnostic log shown in the hidden memo Memo2 of the music sheet.

#include <QPlainTextEdit>
#include <string>

#include "params/diagnostic_log.h"

namespace zt {

class MemoLog : public DiagnosticLog {
public:
    // The memo keeps the last kDiagnosticLogLines lines and no undo history of them.
    explicit MemoLog(QPlainTextEdit* memo) : memo_(memo) {
        memo_->setUndoRedoEnabled(false);
        memo_->setMaximumBlockCount(kDiagnosticLogLines);
    }
    void Append(const std::string& line) override {
        memo_->appendPlainText(QString::fromStdString(line));
    }
    void Clear() override { memo_->clear(); }

private:
    QPlainTextEdit* memo_;
};

}  // namespace zt
