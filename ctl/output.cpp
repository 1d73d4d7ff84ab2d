#include "ctl/output.h"

#include <QJsonDocument>
#include <cstdio>

namespace zt::ctl {

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

QJsonValue JsonText(const BilingualText& text) {
    return QJsonObject{{"en", Utf8(text.english)}, {"zh", Utf8(text.chinese)}};
}

void Output::Line(const std::string& text) const {
    if (json) return;
    std::fputs((text + "\n").c_str(), stdout);
}

void Output::Document(const QJsonObject& document) const {
    if (!json) return;
    const QByteArray bytes = QJsonDocument(document).toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

int Output::Refuse(const std::string& command, const BilingualText& error) const {
    if (json) {
        Document({{"command", Utf8(command)}, {"ok", false}, {"error", JsonText(error)}});
    } else {
        std::fputs(("zt461ctl: " + Pick(error) + "\n").c_str(), stderr);
    }
    return kExitRefused;
}

int Output::Fleet(const std::string& command, const std::vector<ProcessorResult>& results) const {
    QJsonArray processors;
    std::vector<const ProcessorResult*> failed;
    for (const ProcessorResult& r : results) {
        QJsonObject entry = r.json;
        entry["port"] = Utf8(r.port);
        entry["ok"] = r.ok;
        if (!r.ok) {
            entry["error"] = JsonText(r.error);
            failed.push_back(&r);
        }
        processors.append(entry);
        for (const BilingualText& line : r.lines) Line(r.port + ": " + Pick(line));
        if (!r.ok) Line(r.port + ": " + Pick({"失败：", "failed: "}) + Pick(r.error));
    }
    if (results.size() > 1 || !failed.empty()) {
        const std::string done =
            std::to_string(results.size() - failed.size()) + "/" + std::to_string(results.size());
        std::string summary = Pick({"完成 " + done, "done " + done});
        for (const ProcessorResult* r : failed) {
            summary += (r == failed.front() ? Pick({"；失败：", "; failed: "}) : "; ") + r->port +
                       " (" + Pick(r->error) + ")";
        }
        Line(summary);
    }
    Document({{"command", Utf8(command)}, {"ok", failed.empty()}, {"processors", processors}});
    return failed.empty() ? kExitOk : kExitFailed;
}

}  // namespace zt::ctl
