#pragma once
// What the link shows on the window: the status line LinkLabel, the link button, the status
// dialog TForm2, the link's message boxes, and the window-wide steps after a transfer or a saved
// mode.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <functional>
#include <set>

#include "link/link_view.h"
#include "params/param_model.h"
#include "ui/binding/control_binding.h"
#include "ui/state/navigator.h"
#include "ui/window/language.h"
#include "ui/window/messages.h"

namespace zt {

class LinkLookButton;
class SwappingLabel;
class TForm1;
class TForm2;

// Lets another part of the window take over some of what the link shows: the window linking
// again by itself keeps its searches quiet and says so in the status line.
class LinkViewFilter {
public:
    virtual ~LinkViewFilter() = default;
    // True when the message must not be shown.
    virtual bool TakeLinkMessage(const BilingualText& text) = 0;
    // After a message was shown (and closed).
    virtual void AfterLinkMessage(const BilingualText& text) = 0;
    // The status text to show for the link's `text`.
    virtual BilingualText StatusText(const BilingualText& text) = 0;
    virtual bool KeepStatusDialogHidden() = 0;
    // After the window showed the outcome of a transfer.
    virtual void AfterTransfer() = 0;
};

class WindowLinkView : public LinkView {
public:
    struct Parts {
        TForm1* window = nullptr;
        TForm2* statusDialog = nullptr;
        QComboBox* sysModeBox = nullptr;
        QLabel* deviceIdLabel = nullptr;
        // For the marks on values the processor did not confirm.
        const ControlBinding* binding = nullptr;
        const ParamModel* model = nullptr;
    };

    WindowLinkView(const Parts& parts, const Language& language, WindowMessages& messages,
                   Navigator& navigator, PageRefresher& refresher);

    void ShowLinkStatus(const BilingualText& text) override;
    void SetLinkLabelColour(LinkLabelColour colour) override;
    void SetLinkButtonLinked(bool linked) override;
    void UpdateStatusDialog(int progressPercent) override;
    void ShowStatusDialog() override;
    void HideStatusDialog() override;
    void ShowSearchPort(const std::string& portName) override;
    void ShowSearchPortProblem(const std::string& portName, const BilingualText& problem) override;
    void ShowLinkMessage(const BilingualText& text, const BilingualText& caption) override;
    void RefreshAfterTransfer() override;
    // Every page and the current channel show the image anew (as after a transfer).
    void ShowImage();
    void RebuildModeList(const std::vector<std::string>& items) override;
    void BringUpMainWindow() override;
    void ShowDeviceId(const std::string& id) override;
    void ShowReadBack(const ReadBackStatus& status) override;
    void ReportUnconfirmed(const std::vector<ParamAddress>& addresses) override;
    void MarkNotOnProcessor(const std::vector<ParamAddress>& addresses) override;

    // Marks the fields of the values not on the processor (unconfirmed by the read-back, or
    // left out by a failed upload) under the current selection; done again whenever the
    // read-back state changes and after a transfer.
    void MarkFields();

    // The read-back switch: a check item in the menu of the link's status line and of the
    // read-back state beside it. `onSwitch` gets the user's choice; the link's next state shows
    // it.
    void OfferReadBackSwitch(std::function<void(bool)> onSwitch);
    // The menu's switch item as it stands now (made by the first menu, or by this call).
    QAction* readBackSwitch();

    // The language switch's part on the link: the link button's caption for the link's phase,
    // and the status dialog's texts with a copy of the status line.
    void ApplyLanguage();

    bool linkButtonLinked() const { return linked_; }

    // The status dialog is made after the link's window, which needs this view first.
    void SetStatusDialog(TForm2* dialog) { parts_.statusDialog = dialog; }
    void SetFilter(LinkViewFilter* filter) { filter_ = filter; }

private:
    void CaptionLinkButton();
    void ShowReadBackState();
    void PlaceReadBackState();
    void ShowReadBackMenu(QWidget* over, QPoint at);

    Parts parts_;
    SwappingLabel* linkLabel_;
    LinkLookButton* linkBtn_;
    const Language& language_;
    WindowMessages& messages_;
    Navigator& navigator_;
    PageRefresher& refresher_;
    bool linked_ = false;
    // The status line says the link holds the processor's image (online, or moving pages).
    bool holdsImage_ = false;

    // Read-back: the state's mark left of the status line's text, and the device addresses whose
    // fields are marked.
    QPointer<QLabel> readBackLabel_;
    std::function<void(bool)> onReadBackSwitch_;
    QPointer<QAction> readBackSwitch_;
    ReadBackStatus readBack_;
    std::set<ParamAddress> notOnProcessor_;
    std::vector<QPointer<QWidget>> marked_;
    LinkViewFilter* filter_ = nullptr;
};

}  // namespace zt
