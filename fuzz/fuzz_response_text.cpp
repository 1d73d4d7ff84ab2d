// Reads any bytes as a frequency response text; whatever reads must write and read back equal.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "spectrum/response_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const zt::ResponseTextReading reading =
        zt::ReadResponseText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (reading.error != zt::ResponseTextError::None) {
        if (!reading.response.empty() || zt::DescribeResponseTextError(reading).empty()) abort();
        return 0;
    }
    const zt::ResponseTextReading back =
        zt::ReadResponseText(zt::WriteResponseText(reading.response, {"fuzz"}));
    if (back.error != zt::ResponseTextError::None || back.response != reading.response) abort();
    return 0;
}
