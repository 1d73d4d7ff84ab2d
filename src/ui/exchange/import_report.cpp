#include "ui/exchange/import_report.h"

#include <cmath>

#include "link/read_back_texts.h"
#include "ui/window/language.h"

namespace zt {
namespace {

// More left-out lines than this are summed up in one last line.
constexpr int kListedLines = 15;

QString ReasonText(LeftOutReason reason, const Language& language) {
    switch (reason) {
        case LeftOutReason::Unsupported:
            return language.Pick("本通道不支持", "not supported by this channel");
        case LeftOutReason::OtherChannel:
            return language.Pick("属于其他声道", "for another channel");
        case LeftOutReason::Malformed:
            return language.Pick("无法识别", "not readable");
    }
    return {};
}

QString Db(double db) {
    return QString::number(db, 'f', 1) + " dB";
}

QString Hz(double hz) {
    return hz >= 1000.0 ? QString::number(hz / 1000.0, 'f', hz >= 10000.0 ? 1 : 2) + " kHz"
                        : QString::number(hz, 'f', hz >= 100.0 ? 0 : 1) + " Hz";
}

QString DeviationText(const ImportedSet& set, const Language& language) {
    return language.Pick("%1（%2 处）", "%1 at %2")
        .arg(Db(set.deviation.largestDb), Hz(set.deviation.atHz()));
}

void AddTaken(const EqImport& r, const ReportContext& context, const Language& language,
              QStringList& lines) {
    lines << language.Pick("已导入 %1 个滤波器。", "%1 filters imported.").arg(r.imported);
    if (r.graphic) {
        lines << language.Pick("图形均衡曲线已拟合到各 EQ 段。",
                               "The graphic EQ curve was fitted into the bands.");
    }
    if (r.beyondBands > 0) {
        lines << language
                     .Pick("其中 %1 个滤波器超出本通道的 EQ 段数，已一并拟合到各段中。",
                           "%1 filters more than the channel's bands were fitted into their sum.")
                     .arg(r.beyondBands);
    }
    if (r.passIntoBands > 0) {
        lines << language
                     .Pick("本通道没有分频滤波器：%1 个高通/低通滤波器已拟合到各 EQ 段中。",
                           "The channel has no crossover filters: %1 pass filters were fitted "
                           "into the bands.")
                     .arg(r.passIntoBands);
    }
    if (r.shown.settings.highPass || r.shown.settings.lowPass) {
        lines << language.Pick("文件中的高通/低通滤波器已设到本通道的分频滤波器上。",
                               "The file's pass filters were set on the channel's crossovers.");
    }
    if (r.channels == ChannelUse::BothSets) {
        lines << language.Pick("文件的左声道已导入左边的 EQ，右声道已导入右边的 EQ。",
                               "The file's left channel went to the left set, its right channel "
                               "to the right set.");
    } else if (r.channels == ChannelUse::LeftTaken) {
        lines << (context.musicSets
                      ? language.Pick("文件分左右声道：已导入左声道。",
                                      "The file has left and right channels: the left was taken.")
                      : language.Pick("本通道只有一套 EQ：已导入文件的左声道，右声道的行未导入。",
                                      "This channel has one EQ: the file's left channel was "
                                      "taken, its right channel's lines are left out."));
    }
}

void AddDeviation(const EqImport& r, const Language& language, QStringList& lines) {
    if (r.other) {
        lines << language
                     .Pick("与文件曲线的最大偏差（20 Hz 至 20 kHz）：当前 EQ %1，另一套 %2。",
                           "Largest deviation from the file's curve (20 Hz to 20 kHz): %1 "
                           "in the set shown, %2 in the other set.")
                     .arg(DeviationText(r.shown, language), DeviationText(*r.other, language));
        return;
    }
    lines << language
                 .Pick("与文件曲线的最大偏差（20 Hz 至 20 kHz）：%1。",
                       "Largest deviation from the file's curve (20 Hz to 20 kHz): %1.")
                 .arg(DeviationText(r.shown, language));
}

void AddClamped(const EqImport& r, const Language& language, QStringList& lines) {
    if (r.clamped.empty()) return;
    lines << language.Pick("超出处理器范围的数值已取最接近的可用值：",
                           "Values beyond the processor's range, taken as the nearest it can do:");
    for (const ClampedValue& c : r.clamped) {
        const bool hz = c.what == ClampedValue::Frequency;
        lines << language.Pick("第 %1 行", "Line %1").arg(c.line) + ": " +
                     (hz ? language.Pick("频率 ", "frequency ") + Hz(c.from) + " → " + Hz(c.to)
                         : language.Pick("增益 ", "gain ") + Db(c.from) + " → " + Db(c.to));
    }
}

void AddLeftOut(const EqImport& r, const Language& language, QStringList& lines) {
    if (r.leftOut.empty()) return;
    lines << language.Pick("未导入：", "Left out:");
    int listed = 0;
    for (const LeftOutLine& line : r.leftOut) {
        if (listed++ == kListedLines) {
            lines << language.Pick("……另有 %1 行", "... and %1 more lines")
                         .arg(r.leftOut.size() - kListedLines);
            break;
        }
        if (line.line == 0) {
            lines << language.Pick("文件太大，不是 EQ 滤波器文件",
                                   "The file is too large for EQ filter settings");
            continue;
        }
        lines << language.Pick("第 %1 行", "Line %1").arg(line.line) + ": " +
                     QString::fromUtf8(line.text.data(), static_cast<int>(line.text.size())) +
                     " (" + ReasonText(line.reason, language) + ")";
    }
}

void AddPreamp(const EqImport& r, const ReportContext& context, const Language& language,
               QStringList& lines) {
    if (!r.hasPreamp) return;
    lines << language
                 .Pick("文件的前级增益（Preamp）为 %1；导入的 EQ 最多提升 %2。",
                       "The file's preamp is %1; the imported EQ boosts by up to %2.")
                 .arg(Db(r.preampDb), Db(std::max(0.0, r.shown.boostDb)));
    if (!context.inputLevel) {
        lines << language.Pick("本通道没有输入电平可以承接它。",
                               "This channel has no input level to take it.");
    }
}

}  // namespace

QString ImportReport(const EqImport& result, const ReportContext& context,
                     const Language& language) {
    QStringList lines;
    if (!result.changed) {
        lines << language.Pick("文件中没有可导入的滤波器，EQ 未改变。",
                               "The file has no filter to import; the EQ is unchanged.");
    } else {
        AddTaken(result, context, language, lines);
        AddDeviation(result, language, lines);
        AddClamped(result, language, lines);
    }
    AddLeftOut(result, language, lines);
    if (result.changed) AddPreamp(result, context, language, lines);
    return lines.join('\n');
}

QString NotLandedReport(const std::vector<ParamAddress>& devices, const Language& language) {
    if (devices.empty()) return {};
    QStringList lines;
    lines << language.Pick("处理器未确认已收到以下导入的数值：",
                           "The processor did not confirm these imported values:");
    for (size_t i = 0; i < devices.size(); ++i) {
        if (i == kListedLines) {
            lines << language.Pick("……另有 %1 个", "... and %1 more").arg(devices.size() - i);
            break;
        }
        lines << language.Pick(DeviceParamName(devices[i]));
    }
    lines << language.Pick("请检查连接线，然后再次导入该文件。",
                           "Check the cable, then import the file again.");
    return lines.join('\n');
}

QString PreampQuestion(double preampDb, const Language& language) {
    return language
        .Pick("是否把前级增益 %1 加到本通道的输入电平上？",
              "Apply the preamp of %1 to the channel's input level?")
        .arg(Db(preampDb));
}

}  // namespace zt
