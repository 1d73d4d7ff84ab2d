#pragma once
// Which frame a short acknowledgement answers. The processor answers every frame it receives
// with the same two bytes, in the order received; a frame spoiled on the way in gets no answer.
// The ledger keeps the frames still waiting, oldest first: an acknowledgement answers the
// oldest one, and a frame left unanswered longer than any answer takes is taken as lost. A
// frame can carry a mark (a mode save, the last frame of an uploaded page): whoever waits for
// that frame learns that it was answered, not merely that something was.

#include <cstdint>
#include <deque>

namespace zt {

class AckLedger {
public:
    // An answer takes at most this long; a frame unanswered for longer was lost.
    static constexpr int64_t kAnswerLimitMs = 1000;
    // The mark of a frame nobody waits for in particular.
    static constexpr int kUnmarked = 0;

    // A frame that the processor acknowledges went out at `nowMs`.
    void Sent(int64_t nowMs, int mark = kUnmarked) { waiting_.push_back({nowMs, mark}); }
    // An acknowledgement arrived: it answers the oldest frame waiting. Returns that frame's
    // mark, kUnmarked when nothing was waiting.
    int Acknowledge();
    // Forgets the frames unanswered for longer than an answer takes.
    void Expire(int64_t nowMs);
    void Clear() { waiting_.clear(); }
    int waitingCount() const { return static_cast<int>(waiting_.size()); }

private:
    struct Waiting {
        int64_t sentAt;
        int mark;
    };
    std::deque<Waiting> waiting_;
};

}  // namespace zt
