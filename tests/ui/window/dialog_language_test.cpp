// Every message box and dialog in the language chosen: the window's own texts and Qt's (the
// standard buttons, the file dialog), read off the rendered boxes.
#include <QAbstractButton>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>

#include "link/link_texts.h"
#include "link/port_problems.h"
#include "ui/system/prompts.h"
#include "ui/widgets/plain_edit.h"
#include "ui/window/auto_relink.h"
#include "window_fixture.h"

namespace zt {
namespace {

// Chinese characters; full-width punctuation alone is no Chinese ("Load File Data：" keeps its
// colon).
bool HasChinese(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF) return true;
    }
    return false;
}

// English words in a Chinese text: runs of two or more Latin letters, leaving out mnemonics
// ("是(&Y)"), file names, the application's name and the technical names that have no Chinese.
QString EnglishIn(QString text) {
    text.remove(QString::fromLatin1(kApplicationTitle));
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
    text.remove(QRegularExpression(QStringLiteral("\\S*[/.]\\S*")));
    for (const char* name : {"EQ", "USB", "ttyUSB0", "ttyACM0", "ZT461"}) {
        text.remove(QString::fromLatin1(name));
    }
    const QRegularExpressionMatch word =
        QRegularExpression(QStringLiteral("[A-Za-z]{2,}")).match(text);
    return word.hasMatch() ? word.captured() : QString();
}

// Every text a box or dialog shows: its title, its labels and its buttons.
std::vector<QString> RenderedTexts(QWidget* dialog) {
    std::vector<QString> texts{dialog->windowTitle()};
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->isVisibleTo(dialog) && !label->text().isEmpty()) texts.push_back(label->text());
    }
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(dialog) && !button->text().isEmpty()) {
            texts.push_back(button->text());
        }
    }
    return texts;
}

void ExpectInLanguage(const std::vector<QString>& texts, int language, const QString& what) {
    for (const QString& text : texts) {
        if (language == kEnglish) {
            EXPECT_FALSE(HasChinese(text)) << what.toStdString() << ": " << text.toStdString();
        } else {
            EXPECT_EQ(EnglishIn(text), QString())
                << what.toStdString() << ": " << text.toStdString();
        }
    }
}

class DialogLanguages : public WindowFixture {
protected:
    // Runs the flows that show messages and asks questions, as the user would meet them.
    void MeetTheMessages() {
        messages_->answers = {false, false, false};
        Get<PlainEdit>("SysPassEdit")->setText("1");
        Get<QAbstractButton>("RzBmpButton118")->click();  // wrong password
        Get<QLineEdit>("FileEdit")->setText("404");       // no file; digits read the same in both
        Get<QAbstractButton>("RzBmpButton119")->click();  // load question
        messages_->answers = {true};
        Get<QAbstractButton>("RzBmpButton119")->click();  // load question, then not found
        Get<QLineEdit>("FileEdit")->setText("2024");
        Get<QAbstractButton>("RzBmpButton120")->click();
        Get<QAbstractButton>("RzBmpButton120")->click();  // overwrite question
        app().linkView().ShowLinkMessage(kMessageLinkFailed, kMessageCaption);
        app().linkView().ShowLinkMessage(NoAnswerAdvice({}), kMessageCaption);
        app().linkView().ShowLinkMessage(kMessageLinkLost, kMessageCaption);
        app().relink().StopOnLinkButton();
    }
};

TEST_F(DialogLanguages, EveryMessageBoxIsInTheLanguageChosen) {
    for (const int language : {kChinese, kEnglish}) {
        SCOPED_TRACE(language == kChinese ? "Chinese" : "English");
        app().languageSwitch().SetLanguage(language);
        messages_->shown.clear();
        messages_->asked.clear();
        MeetTheMessages();
        ASSERT_GE(messages_->shown.size(), 5u);
        ASSERT_GE(messages_->asked.size(), 3u);
        for (const auto& [text, caption] : messages_->shown) {
            QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok);
            ExpectInLanguage(RenderedTexts(&box), language, text);
        }
        for (const RecordingMessages::Question& q : messages_->asked) {
            const bool yesNo = q.buttons == AskButtons::YesNo;
            QMessageBox box(
                QMessageBox::Question, q.caption, q.text,
                yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok | QMessageBox::Cancel);
            const std::vector<QString> texts = RenderedTexts(&box);
            ExpectInLanguage(texts, language, q.text);
            EXPECT_GE(texts.size(), 4u) << "title, text and two buttons";
        }
        // The question after linking again.
        QMessageBox offLine(QMessageBox::Question, app().language().Pick(kOffLineChangesCaption),
                            app().language().Pick(kOffLineChangesQuestion),
                            QMessageBox::Yes | QMessageBox::No);
        ExpectInLanguage(RenderedTexts(&offLine), language, "off-line changes");
    }
}

TEST_F(DialogLanguages, QtsOwnButtonsAndTheFileDialogFollowTheLanguageButton) {
    ASSERT_TRUE(QFile::exists(QtTranslations::Folder() + "/qtbase_zh_CN.qm"))
        << "Qt's translations are missing: scripts/setup.sh installs qt6-translations-l10n";
    for (const int language : {kChinese, kEnglish, kChinese}) {
        app().languageSwitch().SetLanguage(language);
        QMessageBox box(QMessageBox::Question, "t", "t", QMessageBox::Ok | QMessageBox::Cancel);
        const QString ok = box.button(QMessageBox::Ok)->text();
        EXPECT_EQ(ok == QStringLiteral("OK") || ok == QStringLiteral("&OK"), language == kEnglish)
            << ok.toStdString();

        QFileDialog dialog(&window(), app().language().Pick("打开预设文件", "Open preset file"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        const std::vector<QString> texts = RenderedTexts(&dialog);
        EXPECT_GE(texts.size(), 4u);
        ExpectInLanguage(texts, language, "file dialog");
    }
}

}  // namespace
}  // namespace zt
