#pragma once
// The names of the processor's parameters, derived from the catalogue that builds the window:
// for every device address a stable machine key ("mic_a.eq3.gain", "music.volume",
// "main.sing.left.delay"), the channel and the name the window shows it under in both
// languages, and how its value reads and writes in the window's units ("-3.0dB", "1000Hz",
// "PEQ"). Addresses the window has no control for get a plain page and slot name ("p28.s5"),
// so that every value of an image can be named.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "params/bilingual_text.h"
#include "params/catalogue_rows.h"
#include "params/param_address.h"
#include "params/value_scales.h"

namespace zt {

// How a parameter's raw value reads.
enum class ValueForm {
    Scale,   // a value kind of the value scales ("1000Hz", "-3.0dB")
    Choice,  // a selector's item ("PEQ", "24dB Butterworth")
    Switch,  // a toggle button: "off" 0, "on" 1
    Number,  // a plain whole number
};

struct ParamName {
    ParamAddress address = 0;  // the processor's address
    std::string key;
    std::string channelKey;  // the channel part of the key; what a listing groups by
    BilingualText channel;   // "麦克A" / "MIC A"
    BilingualText name;      // within the channel: "EQ 3 增益" / "EQ 3 Gain"
    ValueForm form = ValueForm::Number;
    int kind = 0;  // the value kind of a Scale
    catalogue::Items items = catalogue::Items::None;
    ValueRange range{0, 65535};
    FormatContext context;  // the SUB levels read double
    bool named = false;     // false: a page and slot name, no control of the window
};

class ParamNames {
public:
    // Names every address of the stores from the catalogue tables.
    ParamNames();

    // The name of a device address; nullptr outside the stores.
    const ParamName* Find(ParamAddress device) const;
    // By key; page and slot keys ("p28.s5") name any address of the stores.
    const ParamName* FindKey(std::string_view key) const;
    // Every address the catalogue names, in address order.
    const std::vector<const ParamName*>& named() const { return named_; }

private:
    std::vector<ParamName> names_;  // kPageCount x kSlotCount, by address
    std::unordered_map<std::string, int> byKey_;
    std::vector<const ParamName*> named_;
};

// The value as the window shows it, unit included ("-3.0dB", "PEQ", "on", "42"). A raw value
// outside the parameter's range is shown with it: "12.0dB (raw 250)".
std::string FormatParamValue(const ParamName& name, int raw);

// The full name in one language: "MIC A EQ 3 Gain".
std::string FullName(const ParamName& name, bool chinese);

// A value typed for the parameter: in the window's units ("-3dB", "1.00kHz", "1000", "PEQ",
// "on"), or raw as "raw:N". Gives the raw value, or an error in both languages when the text is
// no value of the parameter or lies outside its range.
struct ParsedValue {
    std::optional<int> raw;
    BilingualText error;
};
ParsedValue ParseParamValue(const ParamName& name, std::string_view text);

// The range as a reader takes it: "-24.0dB .. 12.0dB", "BYPSS, PEQ, LSEQ, HSEQ", "0 .. 84".
std::string DescribeParamRange(const ParamName& name);

}  // namespace zt
