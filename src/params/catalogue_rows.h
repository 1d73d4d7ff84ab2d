#pragma once
// The shapes of the parameter catalogue: which control shows which slot of a logical page, with
// its raw range, value kind, value pane and companions, where on the window it is built, and the
// name the parameter goes by. The same rows create the controls, bind them and name the
// parameters, so a parameter is one row. Plain data: the window and the command line share it.

#include <span>
#include <string>
#include <vector>

namespace zt::catalogue {

// A text in both languages; an empty English text means the control shows nothing in English.
struct Text {
    const char* chinese = "";
    const char* english = "";
};

// The class of a slot's bound control.
enum class Kind {
    TrackBar,
    ValueEdit,
    Selector,
    Toggle,   // bitmap toggle button
    Example,  // the hidden edit that holds slots without a visible control
};

// The item lists of selectors; the item index is the raw value.
enum class Items {
    None,
    Crossover,    // the 13 high-pass / low-pass filter types
    BandType,     // "BYPSS", "PEQ", "LSEQ", "HSEQ"
    DeqTrigger,   // "Off", "Below", "Above"
    DeqBandType,  // "BYpass", "PEQ", "LSEQ", "HSEQ"
    InputSelect,  // "Auto", "IN1", "IN2", "OPTI"
    InputLevel,   // "0dB", "3dB", "6dB"
    ModeList,     // "1-" .. "22-" until the processor's mode names arrive
    UserModes,    // "5" .. "16", the user modes without a button of their own
};

// The item texts of a selector list, in raw value order.
std::vector<std::string> SelectorItemTexts(Items items);

// A fixed place inside the container, for controls that other code moves to known positions.
struct Place {
    int x = -1;  // -1: the control flows on its line
    int y = 0;
    int width = 0;
    int height = 0;
    bool fixed() const { return x >= 0; }
};

// One bound slot of a logical page.
struct ParamRow {
    int slot = 0;
    Kind kind = Kind::Example;
    const char* name = "Example";  // objectName of the bound control
    int maximum = 0;               // raw maximum (track bar maximum, last selector item)
    const char* hint = "";         // value kind, or the role of a system volume bar
    const char* pane = nullptr;    // the status pane that shows a track bar's value
    const char* paneHint = "";     // the pane's value kind, or a volume bar's previous position
    const char* spin = nullptr;    // spin buttons acting on the slot (companion entry 0)
    Items items = Items::None;
    // Placement: the container the builder puts the control in (nullptr: the control is built
    // by another row and only bound here) and its line there. Caption is the label beside the
    // control, named captionName (default: the control's name followed by "Caption"); a toggle
    // button carries it as its own caption instead. A control at the line's end sits after the
    // value pane (the phase buttons beside their level bars).
    const char* container = nullptr;
    int line = 0;
    Text caption;
    const char* captionName = nullptr;
    bool atLineEnd = false;
    Place place;
    // The parameter's machine key within its channel ("hp.freq", "limiter.ratio"), or on the
    // pages without channels the whole key ("music.volume"); nullptr: the slot is not named.
    const char* key = nullptr;
    // The parameter's name where the caption beside the control does not say it (a crossover
    // bar under its group's title, a phase button that shows a picture); empty: the caption.
    Text label;
};

struct PageTable {
    int page = 0;
    std::span<const ParamRow> rows;
};

// The EQ band block of a logical page: band n (from 1) holds the five slots
// firstSlot + 5 (n - 1) + field, shown in one 65-pixel column of the page's band box.
struct EqBandBlock {
    int page = 0;
    const char* prefix = "";       // "Mus": MusModeBox1, MusFreEdit1, MusEQGainBar1, ...
    const char* spinPrefix = "";   // spin buttons of the Q edit, e.g. "MIcQUpDownBtn"
    const char* labelPrefix = "";  // band number labels, e.g. "EffEQPointLabel"
    int firstSlot = 0;
    int bands = 0;
    int spinField = 3;           // the Q field whose companion the spin buttons are
    int labelRow = 0;            // row of the band label table (the page's EQ family)
    int visibleBands = 0;        // columns shown at once
    const char* container = "";  // the frame holding legend, band box and scroll bar
    const char* scrollBox = "";
    const char* scrollBar = nullptr;  // nullptr: all bands fit, nothing scrolls
};

// The dynamic-EQ band block: band n (from 1) starts at base = bandStep (n - 1); its trigger,
// type, frequency, gain and Q fields sit at base + 1 .. base + 6 and its limiter rows at the
// slots they name relative to base. Names and containers of the limiter rows get the band
// number appended.
struct DeqBandBlock {
    int page = 1;
    int bands = 3;
    int bandStep = 10;
    std::span<const ParamRow> limiterRows;
};

}  // namespace zt::catalogue
