#pragma once
// The current language of the editor's texts and the switch between Chinese and English.
// A swapping control holds the current language's text as its caption and the other one in its
// hint, so a switch exchanges the two; bitmap buttons, whose hint holds a state, take their
// captions from a fixed table instead.

#include <QString>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "link/link_view.h"
#include "ui/widgets/control_registry.h"
#include "ui/window/caption_tables.h"

namespace zt {

class BitmapButton;

enum LanguageCode { kEnglish = 0, kChinese = 1 };

// The current language: Chinese at process start, not kept between runs.
class Language {
public:
    int current() const { return current_; }
    void set(int language) { current_ = language; }
    bool chinese() const { return current_ == kChinese; }

    // Pick text: the text of the current language.
    QString Pick(const char* chinese, const char* english) const;
    QString Pick(const BilingualText& text) const;
    // The other language's text, for a hint field.
    QString Other(const char* chinese, const char* english) const;
    QString Other(const BilingualText& text) const;

private:
    int current_ = kChinese;
};

// Selector items and value panes that are words ("Bypass", "Auto", "Off", "Atk x 8") in the
// language shown.
void ShowWordTexts(const ControlRegistry& registry, const Language& language);

class LanguageSwitch {
public:
    // `afterSwitch` runs the steps of a switch that belong to the link's view: the link button's
    // caption for its phase and the status dialog's texts.
    LanguageSwitch(Language& language, const ControlRegistry& registry,
                   std::function<void()> afterSwitch);

    // Set language: switches every text of the window and the status dialog to `language`.
    // Setting the language already shown changes nothing.
    void SetLanguage(int language);

private:
    Language& language_;
    const ControlRegistry& registry_;
    std::function<void()> afterSwitch_;
    // The fixed table, resolved once.
    std::vector<std::pair<BitmapButton*, const CaptionPair*>> fixedButtons_;
};

}  // namespace zt
