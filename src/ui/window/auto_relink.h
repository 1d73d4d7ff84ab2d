#pragma once
// Linking again after a lost link. When the link to the processor is lost, the window keeps
// searching by itself, every few seconds, with the status line saying so, until a processor
// answers or the user presses the link button ("Unlink"). The searches it starts stay quiet:
// no status dialog while they search, no "Off Line!" box when they find nothing.
//
// Before a download from a new link replaces values the user changed while off line (edits, a
// loaded preset file), the user is asked whether the processor takes the editor's values or
// the editor takes the processor's.

#include <QTimer>
#include <functional>
#include <optional>

#include "link/link_engine.h"
#include "params/param_model.h"
#include "ui/window/language.h"
#include "ui/window/messages.h"
#include "ui/window/window_link_view.h"

namespace zt {

// Short enough for the status line beside the link button.
inline const BilingualText kStatusRelinking{"重连中...", "Relinking..."};
inline const BilingualText kOffLineChangesQuestion{
    "编辑器中有脱机时所做的修改(编辑或调入的文件)。\n"
    "是: 把编辑器的数值发送到处理器。\n否: 放弃这些修改, 采用处理器的数值。",
    "The editor holds changes made while off line (edits or a loaded file).\n"
    "Yes: send the editor's values to the processor.\n"
    "No: drop them and take the processor's values."};
inline const BilingualText kOffLineChangesCaption{"脱机修改", "Changes made off line"};

class AutoRelink : public LinkViewFilter {
public:
    struct Hooks {
        // Reads the port list again and starts a search, as the link button does.
        std::function<void()> startSearch;
        // Shows the whole image anew on every page.
        std::function<void()> showImage;
    };
    static constexpr int kRetryMs = 3000;

    AutoRelink(LinkEngine& link, ParamModel& model, WindowLinkView& view, WindowMessages& messages,
               const Language& language, Hooks hooks);

    // A search the user starts: the window's values from now on are the ones to keep or drop.
    void BeforeSearch();
    // The link button ("Unlink") while linking again: stops it. A search or download of its own
    // that is running is for the caller to end.
    void StopOnLinkButton();
    // The values of the window match the processor's (start-up, after a transfer).
    void MarkInStep();

    bool active() const { return active_; }

    // LinkViewFilter.
    bool TakeLinkMessage(const BilingualText& text) override;
    void AfterLinkMessage(const BilingualText& text) override;
    BilingualText StatusText(const BilingualText& text) override;
    bool KeepStatusDialogHidden() override;
    void AfterTransfer() override;

private:
    void Start();
    void Stop();
    void Attempt();
    void AskAboutOffLineChanges();

    LinkEngine& link_;
    ParamModel& model_;
    WindowLinkView& view_;
    WindowMessages& messages_;
    const Language& language_;
    Hooks hooks_;
    QTimer retry_;
    bool active_ = false;
    // The image as it matched the processor when the link was last in step.
    DeviceImage inStep_;
    // The window's values when a search started, kept while they differ from `inStep_`.
    std::optional<DeviceImage> held_;
};

}  // namespace zt
