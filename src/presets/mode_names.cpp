#include "presets/mode_names.h"

namespace zt {
namespace {

// The processor keeps the bytes 0x1E to 0x7F.
bool ProcessorKeeps(unsigned char byte) {
    return byte >= 0x1E && byte <= 0x7F;
}

// Length of the UTF-8 character that starts at `at`; 1 for a byte that starts no valid one.
size_t CharacterLength(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    }
    if (at + length > text.size()) return 1;
    for (size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) return 1;
    }
    return length;
}

}  // namespace

ModeNameCheck CheckModeName(std::string_view typed) {
    ModeNameCheck check;
    size_t at = 0;
    for (int count = 0; count < kModeNameCharacters && at < typed.size(); ++count) {
        const size_t length = CharacterLength(typed, at);
        const std::string_view character = typed.substr(at, length);
        const bool kept = length == 1 && ProcessorKeeps(static_cast<unsigned char>(character[0]));
        if (!kept && check.refused.empty()) check.refused = std::string(character);
        check.name += character;
        at += length;
    }
    return check;
}

BilingualText ModeNameRefusedText(std::string_view refused) {
    const bool printable =
        refused.size() > 1 || (!refused.empty() && static_cast<unsigned char>(refused[0]) >= 0x20);
    const std::string shown =
        printable ? "\"" + std::string(refused) + "\"" : "a control character";
    const std::string shownChinese = printable ? "\"" + std::string(refused) + "\"" : "控制字符";
    return {"模式名称中的 " + shownChinese +
                " 无法保存到设备! 名称只能使用英文字母, 数字, 空格和常用符号.",
            "The processor cannot keep " + shown +
                " in a mode name! Use English letters, digits, blanks and common symbols only."};
}

std::string ModeSaveText(int index, std::string_view name) {
    std::string text;
    text.push_back(static_cast<char>(index));
    text.push_back('\0');
    text += name;
    return text;
}

std::string ModeNamePart(std::string_view item, int index) {
    // The factory modes' items, from the 17th on, are numbered "MF1-" to "MF6-".
    const size_t numberLength = item.starts_with("MF") ? 4 : index < 9 ? 2 : 3;
    return item.size() >= numberLength ? std::string(item.substr(numberLength)) : std::string();
}

}  // namespace zt
