#pragma once
// The link's own texts: status line texts and message boxes, in both languages.

#include "link/link_view.h"

namespace zt {

inline const BilingualText kStatusSearch{"设备搜索...", "Search..."};
inline const BilingualText kStatusLinking{"连接中...", "Linking..."};
inline const BilingualText kStatusLoading{"加载中...", "Loading..."};
inline const BilingualText kStatusDownload{"下载数据...", "Download..."};
inline const BilingualText kStatusSaving{"保存中...", "Saving..."};
inline const BilingualText kStatusOnline{"设备已连接", "Online"};
inline const BilingualText kStatusOffLine{"设备未连接", "Off Line"};
inline const BilingualText kStatusChecking{"校验中...", "Checking..."};

inline const BilingualText kMessageCaption{"提示", "Confirm"};
inline const BilingualText kMessageLinkFailed{"连接失败!", "Off Line!"};
inline const BilingualText kMessageLinkLost{"已断开连接!", "Off Line!"};
inline const BilingualText kMessageModeSaved{"保存成功!", "Save Success!"};
inline const BilingualText kMessageUploadFailed{
    "预设文件只有一部分写入了设备, 设备现在的参数不完整. 请重新连接, 然后再次加载该文件.",
    "The preset file reached the processor only in part: the processor now holds some of its "
    "values and some older ones. Link again, then load the file again."};

// Fixed texts of the status dialog.
inline constexpr const char* kStatusDialogCaption = "设备状态";
inline constexpr const char* kStatusDialogWarning = "请稍等,可能需要几秒钟才能完成操作！";
inline constexpr const char* kInitialSearchPort = "COM1";

}  // namespace zt
