#include "ui/system/prompts.h"

#include "ui/window/main_window.h"

namespace zt {

void Prompts::InformPlain(const BilingualText& text) {
    messages_.Inform(language_.Pick(text), QString::fromLatin1(kApplicationTitle));
}

void Prompts::Inform(const BilingualText& text, const BilingualText& caption) {
    messages_.Inform(language_.Pick(text), language_.Pick(caption));
}

bool Prompts::Ask(const BilingualText& text, const BilingualText& caption, AskButtons buttons) {
    return messages_.Ask(language_.Pick(text), language_.Pick(caption), buttons);
}

void Prompts::ShowBilingualMessage(const std::string& chinese, const std::string& english) {
    InformPlain({chinese, english});
}

void Prompts::ShowBilingualWarning(const std::string& chinese, const std::string& english) {
    messages_.Warn(language_.Pick(BilingualText{chinese, english}),
                   QString::fromLatin1(kApplicationTitle));
}

}  // namespace zt
