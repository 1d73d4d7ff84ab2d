#pragma once
// What the preset files need from the rest of the editor: the window shows messages, the link
// uploads the image to the processor.

#include <string>

#include "params/bilingual_text.h"

namespace zt {

// A plain message box with one OK button; it shows the text of the current language.
class PresetMessages {
public:
    virtual ~PresetMessages() = default;
    virtual void ShowBilingualMessage(const std::string& chinese, const std::string& english) = 0;
    // The same with a warning sign: a file that is damaged.
    virtual void ShowBilingualWarning(const std::string& chinese, const std::string& english) {
        ShowBilingualMessage(chinese, english);
    }
};

// Sends the whole device image to the processor (the link's upload action). The link does this
// only while it is online and ignores the call otherwise.
class ImageUploader {
public:
    virtual ~ImageUploader() = default;
    virtual void UploadImage() = 0;
};

// The texts of the preset file messages, Chinese first.
inline const BilingualText kFileNotFoundText{"文件不存在", "File not find!"};
inline const BilingualText kFileFormatErrorText{"文件格式错误!", "File format error!"};
inline const BilingualText kFileCorruptedText{"数据文件损坏!", "Data file is corrupted!"};
inline const BilingualText kFileNotSavedText{"文件保存失败!", "File save failed!"};
inline const BilingualText kInvalidFileNameText{
    "文件名无效: 不能为空, 不能含有 \\ / : * ? \" < > | 或控制字符, 不能以点或空格结尾!",
    "Invalid file name: it must not be empty, hold \\ / : * ? \" < > | or control characters, "
    "or end with a dot or a blank!"};

}  // namespace zt
