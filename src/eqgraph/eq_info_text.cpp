#include "eqgraph/eq_info_text.h"

#include <cmath>
#include <cstdio>

namespace zt {

std::string FixedDecimals(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    // The values are floats of short decimals (0.2 dB steps, table entries); a nudge far below
    // their resolution keeps a float's binary error from deciding a half.
    const double scaled = value * scale;
    double rounded = std::round(scaled + (scaled >= 0 ? 1e-7 : -1e-7));
    if (rounded == 0.0) rounded = 0.0;  // no "-0.0"
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, rounded / scale);
    return text;
}

std::string EqInfoText(const EqPoint& point, EqItemRole role) {
    const std::string hz = FixedDecimals(point.frequency, 2) + "Hz";
    switch (role) {
        case EqItemRole::HighPass:
            return "HPF:" + hz;
        case EqItemRole::LowPass:
            return "LPF:" + hz;
        case EqItemRole::Band:
            break;
    }
    return FixedDecimals(point.gain, 1) + "dB\nQ:" + FixedDecimals(point.q, 2) + "\n" + hz;
}

}  // namespace zt
