#include "link/ack_ledger.h"

namespace zt {

int AckLedger::Acknowledge() {
    if (waiting_.empty()) return kUnmarked;
    const int mark = waiting_.front().mark;
    waiting_.pop_front();
    return mark;
}

void AckLedger::Expire(int64_t nowMs) {
    while (!waiting_.empty() && nowMs - waiting_.front().sentAt > kAnswerLimitMs) {
        waiting_.pop_front();
    }
}

}  // namespace zt
