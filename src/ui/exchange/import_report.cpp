#include "ui/exchange/import_report.h"

#include "ui/window/language.h"

namespace zt {
namespace {

// More lines than this are summed up in one last line.
constexpr int kListedLines = 15;

QString ReasonText(LeftOutReason reason, const Language& language) {
    switch (reason) {
        case LeftOutReason::BeyondBands:
            return language.Pick("超出本通道的 EQ 段数", "more filters than the channel has bands");
        case LeftOutReason::Unsupported:
            return language.Pick("不支持的类型", "type not supported");
        case LeftOutReason::OutOfRange:
            return language.Pick("数值超出范围", "value out of range");
        case LeftOutReason::Malformed:
            return language.Pick("无法识别", "not readable");
    }
    return {};
}

}  // namespace

QString ImportReport(const EqImport& result, const Language& language) {
    if (result.leftOut.empty() && result.imported > 0) return {};
    QString text =
        result.imported > 0
            ? language.Pick("已导入 %1 个滤波器。未导入：", "%1 filters imported. Left out:")
                  .arg(result.imported)
            : language.Pick("文件中没有可导入的滤波器，EQ 未改变。",
                            "The file has no filter to import; the EQ is unchanged.");
    int listed = 0;
    for (const LeftOutLine& line : result.leftOut) {
        if (listed++ == kListedLines) {
            text += "\n" + language.Pick("……另有 %1 行", "... and %1 more lines")
                               .arg(result.leftOut.size() - kListedLines);
            break;
        }
        if (line.line == 0) {
            text += "\n" + language.Pick("文件太大，不是 EQ 滤波器文件",
                                         "The file is too large "
                                         "for EQ filter settings");
            continue;
        }
        text += "\n" + language.Pick("第 %1 行", "Line %1").arg(line.line) + ": " +
                QString::fromUtf8(line.text.data(), static_cast<int>(line.text.size())) + " (" +
                ReasonText(line.reason, language) + ")";
    }
    return text;
}

}  // namespace zt
