#include "ui/window/window_link_view.h"

#include "link/link_texts.h"
#include "link/qt/status_dialog.h"
#include "ui/widgets/swapping.h"
#include "ui/window/caption_tables.h"
#include "ui/window/main_window.h"
#include "ui/window/mode_list.h"
#include "ui/window/window_chrome.h"

namespace zt {

WindowLinkView::WindowLinkView(const Parts& parts, const Language& language,
                               WindowMessages& messages, Navigator& navigator,
                               PageRefresher& refresher)
    : parts_(parts),
      linkLabel_(parts.window->tabStrip().linkLabel),
      linkBtn_(parts.window->tabStrip().linkBtn),
      language_(language),
      messages_(messages),
      navigator_(navigator),
      refresher_(refresher) {}

void WindowLinkView::ShowLinkStatus(const BilingualText& link) {
    // Nothing is on the processor to check while the link searches, links or is off line.
    holdsImage_ = link != kStatusSearch && link != kStatusLinking && link != kStatusOffLine;
    const BilingualText text = filter_ ? filter_->StatusText(link) : link;
    linkLabel_->setCaption(language_.Pick(text));
    linkLabel_->setHint(language_.Other(text));
    if (readBackLabel_) ShowReadBackState();
}

void WindowLinkView::SetLinkLabelColour(LinkLabelColour colour) {
    const Rgb rgb = RgbOf(colour);
    QPalette palette = linkLabel_->palette();
    palette.setColor(QPalette::WindowText, QColor(rgb.r, rgb.g, rgb.b));
    linkLabel_->setPalette(palette);
}

void WindowLinkView::SetLinkButtonLinked(bool linked) {
    linked_ = linked;
    linkBtn_->setLinkedLook(linked);
    CaptionLinkButton();
    if (readBackLabel_) ShowReadBackState();
}

void WindowLinkView::CaptionLinkButton() {
    const TextPair& pair = linked_ ? kLinkedCaption : kUnlinkedCaption;
    linkBtn_->setCaption(language_.Pick(pair.chinese, pair.english));
}

void WindowLinkView::UpdateStatusDialog(int progressPercent) {
    parts_.statusDialog->SetLinkText(linkLabel_->caption());
    parts_.statusDialog->SetProgress(progressPercent, 100);
}

void WindowLinkView::ShowStatusDialog() {
    if (filter_ && filter_->KeepStatusDialogHidden()) return;
    parts_.statusDialog->ShowOnTop();
}

void WindowLinkView::HideStatusDialog() {
    parts_.statusDialog->hide();
}

void WindowLinkView::ShowSearchPort(const std::string& portName) {
    parts_.statusDialog->SetPortName(QString::fromStdString(portName));
}

void WindowLinkView::ShowSearchPortProblem(const std::string& portName,
                                           const BilingualText& problem) {
    parts_.statusDialog->SetPortName(QString::fromStdString(portName) + QStringLiteral(": ") +
                                     language_.Pick(problem));
}

void WindowLinkView::ShowLinkMessage(const BilingualText& text, const BilingualText& caption) {
    if (filter_ && filter_->TakeLinkMessage(text)) return;
    messages_.Inform(language_.Pick(text), language_.Pick(caption));
    if (filter_) filter_->AfterLinkMessage(text);
}

void WindowLinkView::RefreshAfterTransfer() {
    // A completed transfer leaves the window equal to the processor.
    notOnProcessor_.clear();
    ShowImage();
    if (filter_) filter_->AfterTransfer();
}

void WindowLinkView::ShowImage() {
    refresher_.RefreshPage(kAllPages);
    navigator_.Reselect();
    refresher_.RefreshPage(navigator_.channel().selectedPage);
    MarkFields();
}

void WindowLinkView::RebuildModeList(const std::vector<std::string>& items) {
    ShowModeItems(parts_.sysModeBox, items);
}

void WindowLinkView::BringUpMainWindow() {
    TForm1* window = parts_.window;
    if (window->isMinimized()) window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}

void WindowLinkView::ShowDeviceId(const std::string& id) {
    parts_.deviceIdLabel->setText(QString::fromStdString(id));
}

void WindowLinkView::ApplyLanguage() {
    CaptionLinkButton();
    ShowReadBackState();
    parts_.statusDialog->SetLanguage(language_.current());
    parts_.statusDialog->SetLinkText(linkLabel_->caption());
}

}  // namespace zt
