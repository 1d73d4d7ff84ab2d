#include "ui/window/language.h"

#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/swapping.h"
#include "ui/window/caption_tables.h"

namespace zt {

QString Language::Pick(const char* chinese, const char* english) const {
    return QString::fromUtf8(current_ == kChinese ? chinese : english);
}

QString Language::Pick(const BilingualText& text) const {
    return Pick(text.chinese.c_str(), text.english.c_str());
}

QString Language::Other(const char* chinese, const char* english) const {
    return QString::fromUtf8(current_ == kChinese ? english : chinese);
}

QString Language::Other(const BilingualText& text) const {
    return Other(text.chinese.c_str(), text.english.c_str());
}

LanguageSwitch::LanguageSwitch(Language& language, const ControlRegistry& registry,
                               std::function<void()> afterSwitch)
    : language_(language), registry_(registry), afterSwitch_(std::move(afterSwitch)) {
    for (const CaptionPair& pair : FixedButtonCaptions()) {
        fixedButtons_.emplace_back(registry.Get<BitmapButton>(pair.control), &pair);
    }
}

void LanguageSwitch::SetLanguage(int language) {
    if (language == language_.current()) return;
    language_.set(language);
    for (QWidget* control : registry_.InCreationOrder()) SwapCaptionAndHint(control);
    for (const auto& [button, pair] : fixedButtons_) {
        button->setCaption(language_.Pick(pair->chinese, pair->english));
    }
    if (afterSwitch_) afterSwitch_();
}

}  // namespace zt
