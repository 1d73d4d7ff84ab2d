#include "eqgraph/exchange_channel.h"

#include "params/page_table.h"

namespace zt {
namespace {

std::optional<ExchangeCrossover> CrossoverAt(const PageMemory& memory, int page,
                                             const CrossoverSlots& at) {
    if (!at.exists()) return std::nullopt;
    return ExchangeCrossover{memory.Get(page, at.typeSlot), memory.Get(page, at.frequencySlot)};
}

}  // namespace

std::vector<ExchangeBand> ExchangeBandsAt(const PageMemory& memory, int page, int firstSlot) {
    const PageLayout& layout = PageLayoutOf(page);
    std::vector<ExchangeBand> bands;
    for (int band = 0; band < layout.bandCount; ++band) {
        const int slot = firstSlot + band * layout.bandStep;
        bands.push_back({memory.Get(page, slot + kFieldType),
                         memory.Get(page, slot + kFieldFrequency),
                         memory.Get(page, slot + kFieldGain), memory.Get(page, slot + kFieldQ),
                         memory.Get(page, slot + kFieldShelfQ)});
    }
    return bands;
}

ExchangeChannel ExchangeChannelAt(const PageMemory& memory, int page) {
    const PageLayout& layout = PageLayoutOf(page);
    ExchangeChannel channel;
    channel.bands = ExchangeBandsAt(memory, page, layout.firstBandSlot);
    channel.highPass = CrossoverAt(memory, page, layout.highPass);
    channel.lowPass = CrossoverAt(memory, page, layout.lowPass);
    return channel;
}

}  // namespace zt
