#include "spectrum/howl_feed.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zt {

HowlFeed::HowlFeed(HowlSettings settings) : detector_(settings) {}

void HowlFeed::SetOn(bool on) {
    if (on && !this->on()) restart_.store(true, std::memory_order_release);
    on_.store(on, std::memory_order_release);
    if (!on) {
        std::lock_guard guard(lock_);
        keptCount_ = 0;
        frames_ = 0;
    }
}

void HowlFeed::Offer(std::span<const std::uint8_t> bytes) {
    if (!on()) return;
    if (restart_.exchange(false, std::memory_order_acq_rel)) {
        detector_.Reset();
        analysed_ = 0;
        std::lock_guard guard(lock_);
        keptCount_ = 0;
        frames_ = 0;
    }
    // Through a small aligned block: the bytes carry no promise of a 16-bit alignment.
    constexpr std::size_t kChunk = 256;
    std::array<std::int16_t, kChunk> samples;
    const std::size_t count = bytes.size() / 2;
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(kChunk, count - done);
        std::memcpy(samples.data(), bytes.data() + 2 * done, 2 * n);
        detector_.Process(std::span<const std::int16_t>(samples.data(), n));
        done += n;
        if (detector_.Frames() != analysed_) {
            analysed_ = detector_.Frames();
            Keep();
        }
    }
}

void HowlFeed::Keep() {
    std::lock_guard guard(lock_);
    frames_ = analysed_;
    for (std::size_t k = 0; k < keptCount_; ++k) kept_[k].mark.current = false;
    for (const Howl& howl : detector_.Howls()) {
        auto same = std::find_if(kept_.begin(), kept_.begin() + keptCount_, [&](const Kept& k) {
            return std::abs(std::log2(k.mark.hz / howl.hz)) <= kSameHowlOctaves;
        });
        if (same == kept_.begin() + keptCount_) {
            if (keptCount_ == kept_.size()) continue;
            ++keptCount_;
        }
        *same = {{howl.hz, howl.levelDb, true}, analysed_};
    }
    // Howls not flagged for a while are forgotten.
    const auto end = std::remove_if(kept_.begin(), kept_.begin() + keptCount_, [&](const Kept& k) {
        return analysed_ - k.lastFrame > kHoldFrames;
    });
    keptCount_ = static_cast<std::size_t>(end - kept_.begin());
}

std::vector<HowlMark> HowlFeed::Marks() const {
    std::vector<HowlMark> marks;
    if (!on()) return marks;
    {
        std::lock_guard guard(lock_);
        for (std::size_t k = 0; k < keptCount_; ++k) marks.push_back(kept_[k].mark);
    }
    std::sort(marks.begin(), marks.end(),
              [](const HowlMark& a, const HowlMark& b) { return a.levelDb > b.levelDb; });
    return marks;
}

std::uint64_t HowlFeed::Frames() const {
    std::lock_guard guard(lock_);
    return frames_;
}

}  // namespace zt
