// Filter files of any content: reading never crashes, and an import into a small channel with
// crossovers ends with table values and finite figures.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "eqgraph/eq_exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const zt::CookbookResponse cookbook;
    static zt::ExchangeFitter fitter;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    zt::ExchangeImportRequest request;
    request.current.bands.assign(3, zt::ExchangeBand{});
    request.current.highPass = zt::ExchangeCrossover{0, 0};
    request.current.lowPass = zt::ExchangeCrossover{0, 361};
    request.otherSet = request.current.bands;
    const zt::EqImport result = zt::ImportEqExchange(text, request, fitter, cookbook);
    for (const zt::ExchangeBand& b : result.shown.settings.bands) {
        if (b.type < 0 || b.type > 3 || b.frequencyIndex < 0 || b.frequencyIndex > 361 ||
            b.gainStep < 0 || b.gainStep > 180 || b.qIndex < 0 || b.qIndex > 100 ||
            b.slopeIndex < 0 || b.slopeIndex > 24) {
            std::abort();
        }
    }
    if (result.changed && !std::isfinite(result.shown.deviation.largestDb)) std::abort();
    return 0;
}
