#pragma once
// What zt461ctl prints: texts in the user's language on standard output, or one JSON document
// with --json; errors on standard error (or in the document). The exit status follows.

#include <QJsonArray>
#include <QJsonObject>
#include <string>
#include <vector>

#include "ctl/fleet.h"
#include "params/bilingual_text.h"

namespace zt::ctl {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;   // a processor failed, or a value did not land
inline constexpr int kExitRefused = 2;  // bad command line or input; nothing was sent

struct Output {
    bool json = false;
    bool chinese = false;

    const std::string& Pick(const BilingualText& text) const {
        return chinese || text.english.empty() ? text.chinese : text.english;
    }
    // Prints a line of text (not with --json).
    void Line(const std::string& text) const;
    void Line(const BilingualText& text) const { Line(Pick(text)); }
    // Prints the document (with --json).
    void Document(const QJsonObject& document) const;
    // A refused command: the message, and kExitRefused.
    int Refuse(const std::string& command, const BilingualText& error) const;
    // The results of a fleet: each processor's lines or its failure, a summary when there were
    // several, and the exit status.
    int Fleet(const std::string& command, const std::vector<ProcessorResult>& results) const;
};

QJsonValue JsonText(const BilingualText& text);
QString Utf8(const std::string& text);

}  // namespace zt::ctl
