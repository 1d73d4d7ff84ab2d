#include "params/catalogue_rows.h"

namespace zt::catalogue {

std::vector<std::string> SelectorItemTexts(Items items) {
    switch (items) {
        case Items::None:
            return {};
        case Items::Crossover:
            return {"Bypass",           "6dB 1st ",        "12dB Besse",       "12dB Butterworth",
                    "12dB Link-Riley",  "18dB Bessel",     "18dB Butterworth", "24dB Bessel",
                    "24dB Butterworth", "24dB Link-Riley", "36dB Bessel",      "36dB Butterworth",
                    "36dB Link-Riley"};
        case Items::BandType:
            return {"BYPSS", "PEQ", "LSEQ", "HSEQ"};
        case Items::DeqTrigger:
            return {"Off", "Below", "Above"};
        case Items::DeqBandType:
            return {"BYpass", "PEQ", "LSEQ", "HSEQ"};
        case Items::InputSelect:
            return {"Auto", "IN1", "IN2", "OPTI"};
        case Items::InputLevel:
            return {"0dB", "3dB", "6dB"};
        case Items::ModeList: {
            std::vector<std::string> list;
            for (int i = 1; i <= 22; ++i) list.push_back(std::to_string(i) + "-");
            return list;
        }
        case Items::UserModes: {
            std::vector<std::string> list;
            for (int i = 5; i <= 16; ++i) list.push_back(std::to_string(i));
            return list;
        }
    }
    return {};
}

}  // namespace zt::catalogue
