#pragma once
// The commands of zt461ctl, each from its options to its exit status.

#include <optional>
#include <string>
#include <vector>

#include "ctl/ctl_options.h"
#include "ctl/output.h"
#include "link/qt/port_list.h"
#include "params/param_names.h"

namespace zt::ctl {

struct Context {
    const CtlOptions& options;
    Output out;
    const ParamNames& names;
};

// The ports a command works on: the named ones (by their name in the port list, or a device
// path), every port with --all, or the only port there is. nullopt, with the reason, otherwise.
std::optional<std::vector<PortEntry>> ChoosePorts(const Context& c,
                                                  const std::vector<std::string>& named,
                                                  BilingualText& error);

int RunCommand(const Context& c);

int PortsCommand(const Context& c);
int BackupCommand(const Context& c);
int RestoreCommand(const Context& c);
int GetCommand(const Context& c);
int SetCommand(const Context& c);
int ModeCommand(const Context& c);
int VolumeCommand(const Context& c);
int DiffCommand(const Context& c);
int KeysCommand(const Context& c);

}  // namespace zt::ctl
