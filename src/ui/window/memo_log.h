#pragma once
// The diagnostic log shown in the hidden memo Memo2 of the music sheet.

#include <QPlainTextEdit>
#include <string>

#include "params/diagnostic_log.h"

namespace zt {

class MemoLog : public DiagnosticLog {
public:
    explicit MemoLog(QPlainTextEdit* memo) : memo_(memo) {}
    void Append(const std::string& line) override {
        memo_->appendPlainText(QString::fromStdString(line));
    }
    void Clear() override { memo_->clear(); }

private:
    QPlainTextEdit* memo_;
};

}  // namespace zt
