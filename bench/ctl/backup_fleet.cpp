// bench_ctl_fleet: the wall time of `zt461ctl backup --all` over 1, 8 and 32 zt461-sim programs,
// as a ratio to the protocol's download floor of 6.0 s (60 transfer ticks of 100 ms). One link
// per port runs at once, so the ratio should stay near 1 however many processors there are.
//
// Usage: bench_ctl_fleet [COUNT...] [--runs N]   (default counts 1 8 32, one run each)
// Prints one line per count: the mean and longest wall time and their ratios to 6.0 s.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr double kDownloadFloorSeconds = 6.0;

QProcessEnvironment Environment(const QString& runtime) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    return env;
}

// Starts `count` simulators in the runtime folder; false when one does not come up.
bool StartSims(const QString& runtime, int count, std::vector<std::unique_ptr<QProcess>>& sims) {
    for (int i = 0; i < count; ++i) {
        auto sim = std::make_unique<QProcess>();
        sim->setProcessEnvironment(Environment(runtime));
        sim->setStandardOutputFile(QProcess::nullDevice());
        sim->start(QStringLiteral(ZT_SIM_PROGRAM),
                   {QString("--name=ROOM-%1").arg(i + 1, 2, 10, QChar('0'))});
        if (!sim->waitForStarted(5000)) return false;
        sims.push_back(std::move(sim));
    }
    auto listed = [&] {
        const QDir ports(runtime + "/zt461/ports");
        return static_cast<int>(
            ports.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size());
    };
    return QTest::qWaitFor([&] { return listed() >= count; }, 20000);
}

// One backup of every simulator; the wall time in seconds, or a negative time on failure.
double BackupAll(const QString& runtime, const QString& folder) {
    QProcess ctl;
    ctl.setProcessEnvironment(Environment(runtime));
    QElapsedTimer clock;
    clock.start();
    ctl.start(QStringLiteral(ZT_CTL_PROGRAM),
              {"backup", "--all", "--virtual-only", "-o", folder, "--json"});
    if (!ctl.waitForFinished(300000) || ctl.exitCode() != 0) {
        std::fprintf(stderr, "%s\n", ctl.readAllStandardOutput().constData());
        return -1;
    }
    return static_cast<double>(clock.elapsed()) / 1000.0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<int> counts;
    int runs = 1;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            counts.push_back(std::atoi(argv[i]));
        }
    }
    if (counts.empty()) counts = {1, 8, 32};
    std::printf("%-10s %10s %10s %12s %12s\n", "processors", "mean s", "max s", "mean/6.0s",
                "max/6.0s");
    int status = 0;
    for (int count : counts) {
        QTemporaryDir runtime;
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        std::vector<std::unique_ptr<QProcess>> sims;
        if (!StartSims(runtime.path(), count, sims)) {
            std::fprintf(stderr, "the simulators did not start\n");
            return 1;
        }
        double sum = 0, longest = 0;
        bool ok = true;
        for (int run = 0; run < runs && ok; ++run) {
            const QString folder = runtime.path() + QString("/backup-%1").arg(run);
            const double seconds = BackupAll(runtime.path(), folder);
            ok = seconds >= 0;
            sum += seconds;
            longest = std::max(longest, seconds);
        }
        for (auto& sim : sims) {
            sim->terminate();
            sim->waitForFinished(3000);
        }
        if (!ok) {
            std::printf("%-10d failed\n", count);
            status = 1;
            continue;
        }
        const double mean = sum / runs;
        std::printf("%-10d %10.2f %10.2f %12.2f %12.2f\n", count, mean, longest,
                    mean / kDownloadFloorSeconds, longest / kDownloadFloorSeconds);
        std::fflush(stdout);
    }
    return status;
}
