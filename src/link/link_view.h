#pragma once
// What the link shows on the window: the status line, the link button, the status dialog, its
// message boxes, and the window-wide steps that follow a completed download or a saved mode.
// The main window implements it; tests use a recorder. Everything is called on the
// user-interface thread from inside the link engine's ticks, receive events and entry points.

#include <string>
#include <vector>

#include "link/read_back.h"
#include "params/bilingual_text.h"
#include "params/param_address.h"

namespace zt {

// Font colour of the status line LinkLabel.
enum class LinkLabelColour {
    Online,   // RGB (0, 51, 153)
    Linking,  // black
    OffLine,  // RGB (255, 0, 0)
};

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb RgbOf(LinkLabelColour colour) {
    switch (colour) {
        case LinkLabelColour::Online:
            return {0, 51, 153};
        case LinkLabelColour::OffLine:
            return {255, 0, 0};
        case LinkLabelColour::Linking:
            break;
    }
    return {0, 0, 0};
}

// Font colour of the link button in its linked look.
inline constexpr Rgb kLinkedButtonColour{243, 152, 0};

class LinkView {
public:
    virtual ~LinkView() = default;

    // Status line LinkLabel: the caption gets the text of the current language and the hint
    // the other one, so that a language switch can exchange them.
    virtual void ShowLinkStatus(const BilingualText& text) = 0;
    virtual void SetLinkLabelColour(LinkLabelColour colour) = 0;

    // LinkBtn's look. Linked: caption "断开" / "Unlink", font RGB (243, 152, 0) and its picture;
    // unlinked: "联机" / "link", black font and the other picture.
    virtual void SetLinkButtonLinked(bool linked) = 0;

    // Status dialog TForm2 ("设备状态"). Update copies the main status line's caption into the
    // dialog's LinkLabel and sets RzProgressStatus1 to the percentage given.
    virtual void UpdateStatusDialog(int progressPercent) = 0;
    // Makes the dialog visible, on top of all windows, and brings it to the front.
    virtual void ShowStatusDialog() = 0;
    virtual void HideStatusDialog() = 0;
    // The port being tried, shown in the dialog's ComLabel.
    virtual void ShowSearchPort(const std::string& portName) = 0;
    // The port being tried could not be opened: ComLabel names it and says why.
    virtual void ShowSearchPortProblem(const std::string& portName, const BilingualText& problem) {
        ShowSearchPort(portName + ": " + problem.english);
    }

    // A message box of the main window with one OK button, text and caption in the current
    // language ("连接失败!" / "Off Line!", "已断开连接!" / "Off Line!", "保存成功!" / "Save
    // Success!").
    virtual void ShowLinkMessage(const BilingualText& text, const BilingualText& caption) = 0;

    // After a complete download or upload: the page refresh of all pages, then select channel
    // for the current tab and the page refresh of its page. The link has already updated
    // OutputScene and the lock stage, and sets itself online afterwards.
    virtual void RefreshAfterTransfer() = 0;

    // After a mode was saved: refill SysModeBox with these 22 items and keep its selected index.
    virtual void RebuildModeList(const std::vector<std::string>& items) = 0;

    // Raises and activates the main window once the link is online.
    virtual void BringUpMainWindow() = 0;

    // The caption of DeviceIDLabel, when the processor reports its ID.
    virtual void ShowDeviceId(const std::string& id) = 0;

    // Read-back: whether pages are being checked, whether everything matches, and which device
    // addresses the processor still did not show after three rounds. Called on every change.
    virtual void ShowReadBack(const ReadBackStatus& /*status*/) {}
    // These device addresses just stayed unconfirmed for three rounds: name them to the user.
    virtual void ReportUnconfirmed(const std::vector<ParamAddress>& /*addresses*/) {}
    // The transmit queue was full and could not hold this write; read-back sends it later.
    virtual void ShowWriteNotHeld(ParamAddress /*device*/) {}
    // An upload ended before the processor had every page (the link told the user so): these
    // device addresses hold the file's values in the image but not on the processor.
    virtual void MarkNotOnProcessor(const std::vector<ParamAddress>& /*addresses*/) {}
};

}  // namespace zt
