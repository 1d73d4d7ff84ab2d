// zt461ctl: the ZT461 processor from a terminal and a script, every room of a venue at once.

#include <QCoreApplication>
#include <cstdio>

#include "ctl/commands.h"
#include "ctl/ctl_options.h"
#include "params/param_names.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zt461ctl"));
    zt::ctl::CtlOptions options;
    std::string error;
    if (!zt::ctl::ParseCtlOptions({argv + 1, argv + argc}, options, error)) {
        std::fprintf(stderr, "zt461ctl: %s\nTry zt461ctl --help.\n", error.c_str());
        return zt::ctl::kExitRefused;
    }
    if (options.help || (options.command.empty() && !options.version)) {
        std::fputs(zt::ctl::CtlHelpText().c_str(), options.help ? stdout : stderr);
        return options.help ? zt::ctl::kExitOk : zt::ctl::kExitRefused;
    }
    if (options.version) {
        std::printf("zt461ctl %s\n", ZT_VERSION);
        return zt::ctl::kExitOk;
    }
    const zt::ParamNames names;
    const zt::ctl::Output out{.json = options.json,
                              .chinese = options.language < 0 ? zt::ctl::ChineseFromEnvironment()
                                                              : options.language == 1};
    return zt::ctl::RunCommand({options, out, names});
}
