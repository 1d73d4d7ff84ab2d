#pragma once
// Messages the benchmarks' windows show go nowhere: nobody is there to answer them.

#include "ui/window/messages.h"

namespace zt {

class NoMessages : public WindowMessages {
public:
    void Inform(const QString&, const QString&) override {}
};

}  // namespace zt
