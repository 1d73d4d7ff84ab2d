#pragma once
// The link engine as the editing side sees it: the mode list the processor reported.

#include "link/link_engine.h"
#include "ui/editing/editing_ports.h"

namespace zt {

class LinkParameters : public ModeListSource {
public:
    explicit LinkParameters(const LinkEngine& engine) : engine_(engine) {}

    std::vector<std::string> ModeListItems() const override {
        return zt::ModeListItems(engine_.deviceInfo());
    }

private:
    const LinkEngine& engine_;
};

}  // namespace zt
