#pragma once
// The link engine as the editing side sees it: its writes through the window's one door.

#include "link/link_engine.h"
#include "ui/editing/editing_ports.h"
#include "ui/state/window_writes.h"

namespace zt {

class LinkParameters : public ParameterLink {
public:
    LinkParameters(WindowWrites& writes, LinkEngine& engine) : writes_(writes), engine_(engine) {}

    bool TakesWrites() const override { return writes_.Admits(); }
    bool WriteParameter(ParamAddress logical, int value) override {
        return writes_.WriteParameter(logical, value);
    }
    bool SuppressSend() const override { return engine_.suppressSend(); }
    void SetSuppressSend(bool suppress) override { engine_.SetSuppressSend(suppress); }
    std::vector<std::string> ModeListItems() const override {
        return zt::ModeListItems(engine_.deviceInfo());
    }

private:
    WindowWrites& writes_;
    LinkEngine& engine_;
};

}  // namespace zt
