#include "ctl/fleet.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "ctl/progress_lines.h"

namespace zt::ctl {
namespace {

const char* PhaseWord(Phase phase) {
    switch (phase) {
        case Phase::Linking:
            return "linking";
        case Phase::Downloading:
            return "downloading";
        case Phase::Uploading:
            return "uploading";
        case Phase::Writing:
            return "writing";
        case Phase::Verifying:
            return "verifying";
        case Phase::Done:
            return "done";
        case Phase::Failed:
            return "failed";
    }
    return "";
}

}  // namespace

std::vector<ProcessorResult> RunFleet(const std::vector<PortEntry>& ports, const ProcessorJob& job,
                                      bool progress) {
    std::vector<ProcessorResult> results(ports.size());
    std::vector<std::unique_ptr<ProcessorSession>> sessions;
    ProgressLines lines(progress);
    QEventLoop loop;
    size_t open = ports.size();
    auto ended = [&](size_t i) {
        sessions[i]->Finish();
        lines.Set(i, ports[i].name + "  " +
                         (results[i].ok ? "done" : "failed: " + results[i].error.english));
        if (--open == 0) loop.quit();
    };
    for (size_t i = 0; i < ports.size(); ++i) {
        results[i].port = ports[i].name;
        sessions.push_back(std::make_unique<ProcessorSession>(ports[i]));
        lines.Set(i, ports[i].name + "  waiting");
    }
    for (size_t i = 0; i < ports.size(); ++i) {
        ProcessorSession& session = *sessions[i];
        auto done = std::make_shared<bool>(false);
        auto finish = [&, i, done] {
            if (*done) return;
            *done = true;
            ended(i);
        };
        session.SetFailureHandler([&, i, finish](const BilingualText& cause) {
            results[i].ok = false;
            results[i].error = cause;
            finish();
        });
        session.SetProgressHandler([&, i](Phase phase, int percent) {
            if (phase == Phase::Done || phase == Phase::Failed) return;
            lines.Set(
                i, ports[i].name + "  " + PhaseWord(phase) + "  " + std::to_string(percent) + "%");
        });
        job(session, results[i], finish);
    }
    if (open > 0) loop.exec();
    lines.Close();
    return results;
}

}  // namespace zt::ctl
