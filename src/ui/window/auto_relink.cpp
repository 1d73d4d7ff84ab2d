#include "ui/window/auto_relink.h"

#include "link/link_texts.h"

namespace zt {

AutoRelink::AutoRelink(LinkEngine& link, ParamModel& model, WindowLinkView& view,
                       WindowMessages& messages, const Language& language, Hooks hooks)
    : link_(link),
      model_(model),
      view_(view),
      messages_(messages),
      language_(language),
      hooks_(std::move(hooks)) {
    retry_.setSingleShot(true);
    retry_.setInterval(kRetryMs);
    QObject::connect(&retry_, &QTimer::timeout, [this] { Attempt(); });
    inStep_ = model_.image();
}

void AutoRelink::MarkInStep() {
    inStep_ = model_.image();
}

void AutoRelink::BeforeSearch() {
    // Changes made since the link was last in step are kept aside: the download that follows
    // a successful search replaces the image.
    if (model_.image() == inStep_) {
        held_.reset();
    } else {
        held_ = model_.image();
    }
}

void AutoRelink::Start() {
    active_ = true;
    view_.ShowLinkStatus(kStatusRelinking);
    // The button reads "Unlink" while the window links again: pressing it stops.
    view_.SetLinkButtonLinked(true);
    retry_.start();
}

void AutoRelink::Stop() {
    active_ = false;
    retry_.stop();
}

void AutoRelink::StopOnLinkButton() {
    Stop();
    view_.SetLinkButtonLinked(false);
    view_.ShowLinkStatus(kStatusOffLine);
}

void AutoRelink::Attempt() {
    if (!active_ || link_.linkOnline()) return;
    if (link_.searchRunning() || link_.transferRunning()) {
        // A search or download is already under way (the user pressed the link button): it is
        // not broken off; its end stops these tries or starts the next.
        retry_.start();
        return;
    }
    BeforeSearch();
    if (hooks_.startSearch) hooks_.startSearch();
}

bool AutoRelink::TakeLinkMessage(const BilingualText& text) {
    if (!active_) return false;
    // A search of the window's own found nothing, or its download broke off: try again later.
    if (text == kMessageLinkFailed) {
        view_.SetLinkButtonLinked(true);
        view_.ShowLinkStatus(kStatusRelinking);
        retry_.start();
    }
    // The advice after a failed search waits until the user links by hand.
    return true;
}

void AutoRelink::AfterLinkMessage(const BilingualText& text) {
    if (text == kMessageLinkLost && !link_.linkOnline() && !link_.searchRunning()) {
        // What was edited while online counts as on the processor; whatever the user changes
        // from now on is asked about when the link is back.
        MarkInStep();
        held_.reset();
        Start();
    }
}

BilingualText AutoRelink::StatusText(const BilingualText& text) {
    // Between tries and while a try searches, the status says that the window links again.
    const bool idleOrSearching = text == kStatusOffLine || text == kStatusSearch;
    return active_ && idleOrSearching ? kStatusRelinking : text;
}

bool AutoRelink::KeepStatusDialogHidden() {
    return active_ && link_.searchRunning();
}

void AutoRelink::AfterTransfer() {
    Stop();
    if (!held_) {
        MarkInStep();
        return;
    }
    // Asked once the link's own step is over, so that the answer can start an upload.
    QTimer::singleShot(0, &retry_, [this] { AskAboutOffLineChanges(); });
}

void AutoRelink::AskAboutOffLineChanges() {
    if (!held_) return;
    const DeviceImage held = *held_;
    held_.reset();
    const bool sendEditors =
        messages_.Ask(language_.Pick(kOffLineChangesQuestion),
                      language_.Pick(kOffLineChangesCaption), AskButtons::YesNo);
    if (sendEditors && link_.linkOnline()) {
        model_.image() = held;
        if (hooks_.showImage) hooks_.showImage();
        link_.StartUpload();
        return;
    }
    MarkInStep();
}

}  // namespace zt
