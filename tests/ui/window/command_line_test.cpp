// The editor's command line: a preset file to open, --help, --version and the mistakes.
#include <gtest/gtest.h>

#include "ui/window/command_line.h"
#include "zt_version.h"

namespace zt {
namespace {

using Action = EditorCommandLine::Action;

TEST(EditorCommandLineTest, ArgumentsGiveTheirAction) {
    struct Case {
        std::vector<std::string> args;
        Action action;
        std::string file;
        bool answeredEarly;
    };
    const Case cases[] = {
        {{}, Action::Run, "", false},
        {{"Venue.Nddt"}, Action::Run, "Venue.Nddt", false},
        {{"/home/me/My Presets/Bar.Nddt"}, Action::Run, "/home/me/My Presets/Bar.Nddt", false},
        {{""}, Action::Run, "", false},  // a launcher's empty %f
        {{"--help"}, Action::Help, "", true},
        {{"-h", "x.Nddt"}, Action::Help, "", true},
        {{"x.Nddt", "--version"}, Action::Version, "", true},
        {{"-v"}, Action::Version, "", true},
        {{"--", "-odd.Nddt"}, Action::Run, "-odd.Nddt", false},
        {{"--", "--help"}, Action::Run, "--help", false},
        {{"--bogus"}, Action::Error, "", false},
        {{"a.Nddt", "b.Nddt"}, Action::Error, "", false},
        {{"-"}, Action::Run, "-", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const EditorCommandLine line = ParseEditorCommandLine(c.args);
        EXPECT_EQ(line.action, c.action);
        if (c.action == Action::Run) {
            EXPECT_EQ(line.presetFile, c.file);
        }
        EXPECT_EQ(line.action == Action::Error, !line.error.empty());
        EXPECT_EQ(AsksForHelpOrVersion(c.args), c.answeredEarly);
    }
}

TEST(EditorCommandLineTest, VersionAndHelpTexts) {
    EXPECT_EQ(EditorVersionText(), std::string("zt461-editor ") + kEditorVersion + "\n");
    EXPECT_NE(std::string(kEditorVersion).find('.'), std::string::npos);
    const std::string help = EditorHelpText();
    for (const char* part : {"Usage: zt461-editor", "FILE.Nddt", "--help", "--version",
                             "zt461-editor.conf", "Load File data"}) {
        EXPECT_NE(help.find(part), std::string::npos) << part;
    }
}

}  // namespace
}  // namespace zt
