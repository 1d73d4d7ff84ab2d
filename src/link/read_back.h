#pragma once
// Read-back: the editor checks that the processor holds what it was sent. Ordinary writes are
// sent without waiting for their acknowledgement, so a frame spoiled on the way in is gone with
// no sign. This keeps, for every parameter page, the slots written since the processor last
// showed them, compares a page's answer to a page request with the device image, and says
// which values to send again. It holds no timer and sends nothing: the link engine asks it for
// the next page when the line is quiet and feeds it the answers.

#include <array>
#include <bitset>
#include <cstdint>
#include <map>
#include <span>
#include <vector>

#include "link/protocol.h"
#include "params/param_address.h"

namespace zt {

// What the window shows of the read-back.
struct ReadBackStatus {
    bool enabled = true;
    // Pages wait to be compared, or a page's answer is on its way.
    bool checking = false;
    // Device addresses whose value the processor still did not show after three rounds.
    std::vector<ParamAddress> unconfirmed;

    bool allMatch() const { return !checking && unconfirmed.empty(); }
    bool operator==(const ReadBackStatus&) const = default;
};

class ReadBack {
public:
    // A value still differing after this many rounds is reported.
    static constexpr int kReportRound = 3;
    // A page holding a reported value is asked for again only after this many request ticks.
    static constexpr int kRestTicks = 100;

    // The editor wrote this device address (pages 0..29; the system page cannot be read back).
    void NoteWrite(ParamAddress device);
    // Every slot a transfer carries of this page was sent (an upload).
    void NoteWholePage(int page);
    // Nothing to check: the image is what the processor holds (after a download), or the link
    // ended.
    void Reset();

    bool HasPendingPages() const;
    // A page waits that is not resting after a reported value.
    bool HasPageToRequest() const;
    bool requestOut() const { return requested_ >= 0; }
    int requestedPage() const { return requested_; }

    // One request tick has passed (resting pages come back).
    void Tick();
    // Picks the next page to ask for and remembers it as the one on its way; -1 when none.
    int BeginRequest();
    struct Outcome {
        // Slots that differ: their image values go out again.
        std::vector<ParamAddress> resend;
        // Addresses that just reached the report round.
        std::vector<ParamAddress> newlyUnconfirmed;
        // A write came in while the answer was on its way: nothing was judged.
        bool discarded = false;
    };

    // The answer did not come in whole: the page stays pending; once it went unanswered three
    // requests in a row, every value still to be confirmed on it is reported (a processor that
    // never answers ends up reported, not waited for).
    Outcome AbandonRequest();

    // Values of a received frame, low byte first, for consecutive slots from `slot`. True once
    // the requested page's answer is complete.
    bool TakeAnswer(int page, int slot, std::span<const uint8_t> data);

    // Compares the complete answer with the image and ends the request.
    Outcome Compare(const DeviceImage& image);

    std::vector<ParamAddress> Unconfirmed() const;
    // The slots still to be confirmed, for tests and the window.
    std::vector<ParamAddress> PendingAddresses() const;

private:
    using SlotSet = std::bitset<kSlotCount>;

    // One more round without confirmation; a page with a reported value rests.
    void CountRound(int page, int slot, Outcome& outcome);

    std::array<SlotSet, kTransferPageCount> pending_{};
    std::array<uint32_t, kTransferPageCount> epoch_{};
    std::array<int, kTransferPageCount> rest_{};
    std::array<int, kTransferPageCount> unanswered_{};  // requests in a row without an answer
    std::map<ParamAddress, int> rounds_;                // mismatches seen per address

    int requested_ = -1;
    uint32_t requestEpoch_ = 0;
    int nextPage_ = 0;  // where the round-robin search starts
    std::array<int32_t, kSlotCount> answer_{};
    SlotSet answered_;
};

}  // namespace zt
