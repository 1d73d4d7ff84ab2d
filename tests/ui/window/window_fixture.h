#pragma once
// A whole editor window, shown offscreen, with recorders in place of the message boxes and the
// page refresh. The link searches an empty port folder of its own.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <utility>
#include <vector>

#include "params/param_model.h"
#include "ui/app/editor_app.h"
#include "ui/window/messages.h"

namespace zt {

// Notes every message and question; questions take the scripted answers in turn and, once
// those are used up, the declining one.
class RecordingMessages : public WindowMessages {
public:
    struct Question {
        QString text;
        QString caption;
        AskButtons buttons;
        bool operator==(const Question&) const = default;
    };
    void Inform(const QString& text, const QString& caption) override {
        shown.emplace_back(text, caption);
    }
    void Warn(const QString& text, const QString& caption) override {
        shown.emplace_back(text, caption);
        warned.push_back(text);
    }
    bool Ask(const QString& text, const QString& caption, AskButtons buttons) override {
        asked.push_back({text, caption, buttons});
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::pair<QString, QString>> shown;
    std::vector<QString> warned;  // the shown texts that carried a warning sign
    std::vector<Question> asked;
    std::deque<bool> answers;
};

// Notes every page refresh and passes it on to the editor's own.
class RecordingRefresher : public PageRefresher {
public:
    void RefreshPage(int page) override {
        pages.push_back(page);
        if (next) next->RefreshPage(page);
    }
    std::vector<int> pages;
    PageRefresher* next = nullptr;
};

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        savedRuntime_ = qgetenv("XDG_RUNTIME_DIR");
        ASSERT_TRUE(runtime_.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toUtf8());
        BeforeStart();
        auto messages = std::make_unique<RecordingMessages>();
        messages_ = messages.get();
        app_ = std::make_unique<EditorApp>(std::move(messages));
        // Preset files of the run stay in the test's own folder.
        app_->SetPresetBaseFolder(runtime_.path().toStdString());
        refresher_.next = app_->pageRefresher();
        app_->SetPageRefresher(&refresher_);
        app_->Show();
    }

    void TearDown() override {
        app_.reset();
        qputenv("XDG_RUNTIME_DIR", savedRuntime_);
    }

    // Runs before the editor is made, with the runtime folder in place.
    virtual void BeforeStart() {}

    template <typename T>
    T* Get(const char* name) {
        return app_->registry().Get<T>(QString::fromLatin1(name));
    }

    EditorApp& app() { return *app_; }
    TForm1& window() { return app_->window(); }

    QTemporaryDir runtime_;
    QByteArray savedRuntime_;
    RecordingRefresher refresher_;
    RecordingMessages* messages_ = nullptr;
    std::unique_ptr<EditorApp> app_;
};

}  // namespace zt
