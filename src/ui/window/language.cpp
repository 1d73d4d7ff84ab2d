#include "ui/window/language.h"

#include <QHeaderView>
#include <QTableWidget>

#include "params/value_scales.h"
#include "params/value_tables.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/window/caption_tables.h"

namespace zt {
namespace {

// Selector items that are words rather than names: the crossover filters, the input choice and
// the dynamic EQ triggers. Units, band types and input names read the same in both languages.
constexpr TextPair kItemTexts[] = {
    {"直通", "Bypass"},
    {"6dB 一阶", "6dB 1st "},
    {"12dB 贝塞尔", "12dB Besse"},
    {"12dB 巴特沃斯", "12dB Butterworth"},
    {"12dB 林克维茨-瑞利", "12dB Link-Riley"},
    {"18dB 贝塞尔", "18dB Bessel"},
    {"18dB 巴特沃斯", "18dB Butterworth"},
    {"24dB 贝塞尔", "24dB Bessel"},
    {"24dB 巴特沃斯", "24dB Butterworth"},
    {"24dB 林克维茨-瑞利", "24dB Link-Riley"},
    {"36dB 贝塞尔", "36dB Bessel"},
    {"36dB 巴特沃斯", "36dB Butterworth"},
    {"36dB 林克维茨-瑞利", "36dB Link-Riley"},
    {"自动", "Auto"},
    {"关闭", "Off"},
    {"低启动", "Below"},
    {"高启动", "Above"},
};

// The words a value pane shows, English and Chinese: the release times and the "Off" of a
// frequency that can be switched off.
std::vector<std::pair<QString, QString>> PaneWords() {
    const FormatContext english;
    const FormatContext chinese{.chinese = true};
    std::vector<std::pair<QString, QString>> words;
    const auto add = [&](int kind, int raw) {
        words.emplace_back(QString::fromStdString(FormatValueText(kind, raw, english)),
                           QString::fromStdString(FormatValueText(kind, raw, chinese)));
    };
    for (int raw = 0; raw < kReleaseCount; ++raw) add(kReleaseKind, raw);
    add(kOffOrFrequencyKind, 0);
    return words;
}

void ShowPaneWords(StatusPane* pane, const std::vector<std::pair<QString, QString>>& words,
                   const Language& language) {
    const QString text = pane->caption();
    for (const auto& [english, chinese] : words) {
        if (text != english && text != chinese) continue;
        const QString shown = language.chinese() ? chinese : english;
        if (shown != text) pane->setCaption(shown);
        return;
    }
}

}  // namespace

void ShowWordTexts(const ControlRegistry& registry, const Language& language) {
    const std::vector<std::pair<QString, QString>> paneWords = PaneWords();
    for (QWidget* control : registry.InCreationOrder()) {
        if (auto* pane = qobject_cast<StatusPane*>(control)) {
            ShowPaneWords(pane, paneWords, language);
            continue;
        }
        auto* selector = qobject_cast<Selector*>(control);
        if (!selector) continue;
        for (int i = 0; i < selector->count(); ++i) {
            const QString text = selector->itemText(i);
            for (const TextPair& pair : kItemTexts) {
                if (text != QString::fromUtf8(pair.chinese) &&
                    text != QString::fromUtf8(pair.english)) {
                    continue;
                }
                const QString shown = language.Pick(pair.chinese, pair.english);
                if (shown != text) selector->setItemText(i, shown);
                break;
            }
        }
    }
}

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
    ShowWordTexts(registry_, language_);
    // The preset list's column titles ("NO." and "File Name" in English).
    if (auto* list = registry_.Find(QStringLiteral("ValueListEditor1"))) {
        if (auto* table = qobject_cast<QTableWidget*>(list)) {
            table->setHorizontalHeaderLabels(
                {language_.Pick("序号", "NO."), language_.Pick("文件名", "File Name")});
        }
    }
    if (afterSwitch_) afterSwitch_();
}

}  // namespace zt
