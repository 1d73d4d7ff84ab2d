#pragma once
// The link engine as the editing side sees it.

#include "link/link_engine.h"
#include "ui/editing/editing_ports.h"

namespace zt {

class LinkParameters : public ParameterLink {
public:
    explicit LinkParameters(LinkEngine& engine) : engine_(engine) {}

    void WriteParameter(ParamAddress logical, int value) override {
        engine_.WriteParameter(logical, value);
    }
    bool SuppressSend() const override { return engine_.suppressSend(); }
    void SetSuppressSend(bool suppress) override { engine_.SetSuppressSend(suppress); }
    std::vector<std::string> ModeListItems() const override {
        return zt::ModeListItems(engine_.deviceInfo());
    }

private:
    LinkEngine& engine_;
};

}  // namespace zt
