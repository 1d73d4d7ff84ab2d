#pragma once
// The message boxes of the right column's flows, in the current language: plain messages with
// the application title as caption, messages and questions with captions of their own. The
// preset files report through the same boxes.

#include <QString>

#include "params/bilingual_text.h"
#include "presets/preset_messages.h"
#include "ui/window/language.h"
#include "ui/window/messages.h"

namespace zt {

// Caption of the questions and of some messages.
inline const BilingualText kConfirmCaption{"确认", "Confirm"};

class Prompts : public PresetMessages {
public:
    Prompts(WindowMessages& messages, const Language& language)
        : messages_(messages), language_(language) {}

    // A plain message: one OK button, the application title as caption.
    void InformPlain(const BilingualText& text);
    void Inform(const BilingualText& text, const BilingualText& caption);
    bool Ask(const BilingualText& text, const BilingualText& caption, AskButtons buttons);

    // PresetMessages: the preset file messages are plain messages.
    void ShowBilingualMessage(const std::string& chinese, const std::string& english) override;
    void ShowBilingualWarning(const std::string& chinese, const std::string& english) override;

    const Language& language() const { return language_; }

private:
    WindowMessages& messages_;
    const Language& language_;
};

// The same text in both languages (messages that exist in Chinese only).
inline BilingualText ChineseOnly(const std::string& text) {
    return {text, text};
}

}  // namespace zt
