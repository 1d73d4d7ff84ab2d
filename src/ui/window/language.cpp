#include "ui/window/language.h"

#include <QHeaderView>
#include <QTableWidget>

#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/selector.h"
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

}  // namespace

void ShowSelectorItems(const ControlRegistry& registry, const Language& language) {
    for (QWidget* control : registry.InCreationOrder()) {
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
    ShowSelectorItems(registry_, language_);
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
