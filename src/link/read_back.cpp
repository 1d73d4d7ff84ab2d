#include "link/read_back.h"

#include "params/page_table.h"

namespace zt {

namespace {

bool IsReadablePage(int page) {
    return page >= 0 && page < kTransferPageCount;
}

// The slots a page request is answered with.
int AnsweredSlots(int page) {
    return PageSlotCount(page);
}

}  // namespace

void ReadBack::NoteWrite(ParamAddress device) {
    const int page = PageOf(device);
    const int slot = SlotOf(device);
    if (!IsReadablePage(page) || slot >= AnsweredSlots(page)) return;
    pending_[page].set(slot);
    ++epoch_[page];
    // A new value starts its rounds afresh: the rounds an earlier one took say nothing of it,
    // and its page is asked for at the next quiet second, resting or not.
    rounds_.erase(device);
    rest_[page] = 0;
}

void ReadBack::NoteWholePage(int page) {
    if (!IsReadablePage(page)) return;
    for (int slot = 0; slot < AnsweredSlots(page); ++slot) pending_[page].set(slot);
    ++epoch_[page];
}

void ReadBack::Reset() {
    pending_ = {};
    rest_ = {};
    unanswered_ = {};
    rounds_.clear();
    requested_ = -1;
}

bool ReadBack::HasPendingPages() const {
    for (const SlotSet& slots : pending_) {
        if (slots.any()) return true;
    }
    return false;
}

bool ReadBack::HasPageToRequest() const {
    for (int page = 0; page < kTransferPageCount; ++page) {
        if (pending_[page].any() && rest_[page] == 0) return true;
    }
    return false;
}

void ReadBack::Tick() {
    for (int& rest : rest_) {
        if (rest > 0) --rest;
    }
}

int ReadBack::BeginRequest() {
    for (int i = 0; i < kTransferPageCount; ++i) {
        const int page = (nextPage_ + i) % kTransferPageCount;
        if (pending_[page].none() || rest_[page] > 0) continue;
        requested_ = page;
        requestEpoch_ = epoch_[page];
        answered_.reset();
        nextPage_ = (page + 1) % kTransferPageCount;
        return page;
    }
    return -1;
}

bool ReadBack::TakeAnswer(int page, int slot, std::span<const uint8_t> data) {
    if (requested_ < 0 || page != requested_) return false;
    for (size_t k = 0; k + 1 < data.size(); k += 2) {
        const int at = slot + static_cast<int>(k / 2);
        if (at < 0 || at >= kSlotCount) break;
        answer_[at] = data[k] + 256 * data[k + 1];
        answered_.set(at);
    }
    for (int s = 0; s < AnsweredSlots(page); ++s) {
        if (!answered_.test(s)) return false;
    }
    return true;
}

ReadBack::Outcome ReadBack::Compare(const DeviceImage& image) {
    Outcome outcome;
    const int page = requested_;
    requested_ = -1;
    if (page < 0) return outcome;
    unanswered_[page] = 0;
    if (epoch_[page] != requestEpoch_) {
        // The answer shows the page from before the user's newest write: judge nothing.
        outcome.discarded = true;
        return outcome;
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!pending_[page].test(slot)) continue;
        const ParamAddress address = MakeAddress(page, slot);
        // The processor keeps 16 bits of every value.
        if ((image.Get(page, slot) & 0xFFFF) == answer_[slot]) {
            pending_[page].reset(slot);
            rounds_.erase(address);
            continue;
        }
        outcome.resend.push_back(address);
        CountRound(page, slot, outcome);
    }
    return outcome;
}

ReadBack::Outcome ReadBack::AbandonRequest() {
    Outcome outcome;
    const int page = requested_;
    requested_ = -1;
    if (page < 0) return outcome;
    // A request lost on the line says nothing of the values; a page that goes unanswered round
    // after round is a processor that does not answer, and its values are reported, not
    // waited for.
    if (++unanswered_[page] < kReportRound) return outcome;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!pending_[page].test(slot)) continue;
        int& rounds = rounds_[MakeAddress(page, slot)];
        if (rounds < kReportRound) {
            rounds = kReportRound - 1;
            CountRound(page, slot, outcome);
        }
    }
    rest_[page] = kRestTicks;
    return outcome;
}

void ReadBack::CountRound(int page, int slot, Outcome& outcome) {
    const ParamAddress address = MakeAddress(page, slot);
    const int round = ++rounds_[address];
    if (round == kReportRound) outcome.newlyUnconfirmed.push_back(address);
    // A value the processor keeps refusing is not worth a page answer every second.
    if (round >= kReportRound) rest_[page] = kRestTicks;
}

std::vector<ParamAddress> ReadBack::Unconfirmed() const {
    std::vector<ParamAddress> addresses;
    for (const auto& [address, rounds] : rounds_) {
        if (rounds >= kReportRound) addresses.push_back(address);
    }
    return addresses;
}

std::vector<ParamAddress> ReadBack::PendingAddresses() const {
    std::vector<ParamAddress> addresses;
    for (int page = 0; page < kTransferPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (pending_[page].test(slot)) addresses.push_back(MakeAddress(page, slot));
        }
    }
    return addresses;
}

}  // namespace zt
