#include "params/param_names.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "params/catalogue_tables.h"
#include "params/page_table.h"
#include "params/typed_value.h"

namespace zt {
namespace {

using catalogue::Items;
using catalogue::Kind;
using catalogue::ParamRow;
using catalogue::Text;

constexpr int kMusicPage = 0;
constexpr int kDynamicEqPage = 1;
constexpr int kMicPage = 2;
constexpr int kEchoPage = 4;
constexpr int kReverbPage = 5;
constexpr int kFirstOutputPage = 6;
constexpr int kLastOutputPage = 23;
constexpr int kEchoBPage = 24;
constexpr int kHintPage = 25;
constexpr int kVolumePage = 29;

// Where a page's names go: the key prefix, the channel the window shows them under and an
// optional word before every name (the side of the music EQ).
struct Home {
    std::string keyPrefix;  // empty: the rows carry whole keys
    std::string channelKey;
    BilingualText channel;
    BilingualText namePrefix;
};

BilingualText TextOf(const Text& text) {
    return {text.chinese, *text.english ? text.english : text.chinese};
}

// A caption as one line: the window breaks and pads some of them.
std::string OneLine(std::string_view text) {
    std::string line;
    bool space = false;
    for (char c : text) {
        if (c == ' ' || c == '\n' || c == '\t') {
            space = !line.empty();
            continue;
        }
        if (space) line += ' ';
        space = false;
        line += c;
    }
    return line;
}

BilingualText RowName(const ParamRow& row) {
    const BilingualText text = TextOf(*row.label.chinese ? row.label : row.caption);
    return {OneLine(text.chinese), OneLine(text.english)};
}

BilingualText Joined(const BilingualText& a, const BilingualText& b) {
    if (a.english.empty()) return b;
    return {a.chinese + " " + b.chinese, a.english + " " + b.english};
}

int KindOfHint(const char* hint) {
    return hint && *hint ? std::atoi(hint) : 0;
}

// The value form and range of a row's control.
void TakeRowForm(const ParamRow& row, ParamName& name) {
    name.range = {0, row.maximum};
    switch (row.kind) {
        case Kind::TrackBar:
            name.kind = KindOfHint(row.paneHint);
            name.form = name.kind >= kFirstPaneKind ? ValueForm::Scale : ValueForm::Number;
            break;
        case Kind::ValueEdit:
            name.kind = KindOfHint(row.hint);
            name.form = ValueForm::Scale;
            break;
        case Kind::Selector:
            name.form = ValueForm::Choice;
            name.items = row.items;
            break;
        case Kind::Toggle:
            name.form = ValueForm::Switch;
            break;
        case Kind::Example:
            name.form = ValueForm::Number;
            break;
    }
}

struct BandField {
    const char* key;
    Text name;
};
// The legend of a band column, the shelving bands' Q apart.
constexpr BandField kBandFields[] = {
    {"type", {"类型", "Type"}}, {"freq", {"频率", "Frequency"}},     {"gain", {"增益", "Gain"}},
    {"q", {"Q值", "Q"}},        {"q_shelf", {"搁架Q值", "Shelf Q"}},
};

class Namer {
public:
    explicit Namer(std::vector<ParamName>& names) : names_(names) {}

    ParamName& Name(const Home& home, int page, int slot, const std::string& key,
                    const BilingualText& name) {
        ParamName& n = names_[page * kSlotCount + slot];
        n.key = home.keyPrefix.empty() ? key : home.keyPrefix + "." + key;
        n.channelKey = home.channelKey;
        n.channel = home.channel;
        n.name = Joined(home.namePrefix, name);
        n.context = {.outputPage = page, .slot = slot};
        n.named = true;
        return n;
    }

    void Row(const Home& home, int page, const ParamRow& row) {
        if (!row.key) return;
        TakeRowForm(row, Name(home, page, row.slot, row.key, RowName(row)));
    }

    void Rows(const Home& home, int page, int logicalPage) {
        for (const ParamRow& row : RowsOf(logicalPage)) Row(home, page, row);
    }

    // The five fields of bands 1..count from firstSlot on.
    void Bands(const Home& home, int page, int firstSlot, int count, Items typeItems,
               ValueRange gainRange) {
        for (int band = 1; band <= count; ++band) {
            for (int field = 0; field < kBandFieldCount; ++field) {
                const int slot = firstSlot + kBandFieldCount * (band - 1) + field;
                const BandField& f = kBandFields[field];
                const BilingualText name{"EQ " + std::to_string(band) + " " + f.name.chinese,
                                         "EQ " + std::to_string(band) + " " + f.name.english};
                ParamName& n =
                    Name(home, page, slot, "eq" + std::to_string(band) + "." + f.key, name);
                SetBandFieldForm(n, field, typeItems, gainRange);
            }
        }
    }

    void BlockBands(const Home& home, int page, int logicalPage, int slotOffset = 0) {
        for (const catalogue::EqBandBlock& block : catalogue::EqBandBlocks()) {
            if (block.page != logicalPage) continue;
            Bands(home, page, block.firstSlot + slotOffset, block.bands, Items::BandType,
                  KindRange(kKindGain));
        }
    }

    void DynamicEqBands(const Home& home) {
        const catalogue::DeqBandBlock& block = catalogue::DynamicEqBlock();
        for (int band = 1; band <= block.bands; ++band) {
            const int base = block.bandStep * (band - 1);
            const std::string key = "band" + std::to_string(band);
            const BilingualText bandName{"频段 " + std::to_string(band),
                                         "Band " + std::to_string(band)};
            ParamName& trigger = Name(home, block.page, base + 1, key + ".trigger",
                                      Joined(bandName, {"工作类型", "Work Type"}));
            trigger.form = ValueForm::Choice;
            trigger.items = Items::DeqTrigger;
            trigger.range = {0, 2};
            for (int field = 0; field < kBandFieldCount; ++field) {
                const BandField& f = kBandFields[field];
                ParamName& n = Name(home, block.page, base + 2 + field, key + "." + f.key,
                                    Joined(bandName, TextOf(f.name)));
                SetBandFieldForm(n, field, Items::DeqBandType,
                                 {kDynamicEqGainMinimum, KindMaximum(kKindGain)});
            }
            for (const ParamRow& row : block.limiterRows) {
                ParamName& n = Name(home, block.page, base + row.slot, key + "." + row.key,
                                    Joined(bandName, RowName(row)));
                TakeRowForm(row, n);
            }
        }
    }

private:
    static std::span<const ParamRow> RowsOf(int logicalPage) {
        for (const catalogue::PageTable& table : catalogue::PageTables()) {
            if (table.page == logicalPage) return table.rows;
        }
        return {};
    }

    static void SetBandFieldForm(ParamName& n, int field, Items typeItems, ValueRange gain) {
        switch (field) {
            case kFieldType:
                n.form = ValueForm::Choice;
                n.items = typeItems;
                n.range = {0, 3};
                return;
            case kFieldFrequency:
                n.form = ValueForm::Scale;
                n.kind = kKindFrequency;
                n.range = KindRange(kKindFrequency);
                return;
            case kFieldGain:
                n.form = ValueForm::Scale;
                n.kind = kKindGain;
                n.range = gain;
                return;
            default:
                n.form = ValueForm::Scale;
                n.kind = kKindQ;
                n.range = {0, field == kFieldShelfQ ? kShelfQMaximum : KindMaximum(kKindQ)};
                return;
        }
    }

    std::vector<ParamName>& names_;
};

Home SimpleHome(const char* key, BilingualText channel) {
    return {key, key, std::move(channel), {}};
}

// The outputs: pages 6..23 hold main left, main right, surround left, surround right, centre
// and SUB, each in the scenes sing, disco and decode.
struct OutputChannel {
    const char* key;
    const char* side;  // nullptr: a channel without sides
    BilingualText name;
    BilingualText pairName;  // the stereo pair, which owns the shared limiter
};
const OutputChannel kOutputs[] = {
    {"main", "left", {"主左", "Main L"}, {"主输出", "Main"}},
    {"main", "right", {"主右", "Main R"}, {"主输出", "Main"}},
    {"surround", "left", {"环左", "SUR L"}, {"环绕", "Surround"}},
    {"surround", "right", {"环右", "SUR R"}, {"环绕", "Surround"}},
    {"center", nullptr, {"中置", "Center"}, {}},
    {"sub", nullptr, {"超低音", "SUB"}, {}},
};
struct Scene {
    const char* key;
    BilingualText name;
};
const Scene kScenes[] = {
    {"sing", {"唱歌", "Sing"}}, {"disco", {"热舞", "Disco"}}, {"decode", {"解码", "decode"}}};

// Slots 12..15 of a stereo output, the limiter, serve both sides from the left page.
constexpr int kSharedFirstSlot = 12;
constexpr int kSharedLastSlot = 15;

void NameOutputs(Namer& namer) {
    for (int page = kFirstOutputPage; page <= kLastOutputPage; ++page) {
        const OutputChannel& out = kOutputs[(page - kFirstOutputPage) / 3];
        const Scene& scene = kScenes[(page - kFirstOutputPage) % 3];
        std::string key = std::string(out.key) + "." + scene.key;
        const Home pair{key, key, Joined(out.pairName, scene.name), {}};
        if (out.side) key += std::string(".") + out.side;
        const Home home{key, key, Joined(out.name, scene.name), {}};
        for (const catalogue::PageTable& table : catalogue::PageTables()) {
            if (table.page != kFirstOutputPage) continue;
            for (const ParamRow& row : table.rows) {
                const bool shared = row.slot >= kSharedFirstSlot && row.slot <= kSharedLastSlot;
                if (!shared || !out.side) {
                    namer.Row(home, page, row);
                } else if (std::string_view(out.side) == "left") {
                    namer.Row(pair, page, row);
                }
            }
        }
        namer.BlockBands(home, page, kFirstOutputPage);
    }
}

void NameAll(Namer& namer) {
    const BilingualText music{"音乐", "Music"};
    namer.Rows(SimpleHome("music", music), kMusicPage, kMusicPage);
    namer.BlockBands({"music.left", "music", music, {"左", "Left"}}, kMusicPage, kMusicPage);
    namer.BlockBands({"music.right", "music", music, {"右", "Right"}}, kMusicPage, kMusicPage,
                     kMusicSecondSetOffset);
    namer.DynamicEqBands(SimpleHome("dyn_eq", {"动态均衡", "Dynamic EQ"}));

    const std::pair<int, Home> shared[] = {
        {kMicPage, SimpleHome("mic_a", {"麦克A", "MIC A"})},
        {kMicPage + 1, SimpleHome("mic_b", {"麦克B", "MIC B"})},
        {kEchoPage, SimpleHome("echo_a", {"回声A", "Echo A"})},
        {kEchoBPage, SimpleHome("echo_b", {"回声B", "Echo B"})},
        {kReverbPage, SimpleHome("reverb", {"混响", "Reverb"})},
        {kHintPage, SimpleHome("hint.music", {"隐藏 音乐", "Hint Music"})},
        {kHintPage + 1, SimpleHome("hint.mic_a", {"隐藏 话筒A", "Hint MIC A"})},
        {kHintPage + 2, SimpleHome("hint.mic_b", {"隐藏 话筒B", "Hint MIC B"})},
    };
    for (const auto& [page, home] : shared) {
        // The logical page whose controls stand for this page.
        const int logical = page == kMicPage + 1 ? kMicPage
                            : page == kEchoBPage ? kEchoPage
                            : page > kHintPage   ? kHintPage
                                                 : page;
        namer.Rows(home, page, logical);
        namer.BlockBands(home, page, logical);
    }
    NameOutputs(namer);
    namer.Rows({"", "volume", {"音量", "Volume"}, {}}, kVolumePage, kVolumePage);
    namer.Rows({"", "system", {"系统", "System"}, {}}, kSystemPage, kSystemPage);
}

void NameRest(std::vector<ParamName>& names) {
    for (int page = 0; page < kPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            ParamName& n = names[page * kSlotCount + slot];
            n.address = MakeAddress(page, slot);
            if (n.named) continue;
            n.key = "p" + std::to_string(page) + ".s" + std::to_string(slot);
            n.channelKey = "p" + std::to_string(page);
            n.channel = {"第" + std::to_string(page) + "页", "Page " + std::to_string(page)};
            n.name = {"槽 " + std::to_string(slot), "Slot " + std::to_string(slot)};
        }
    }
}

// ---- Values ----

std::string Lower(std::string_view text) {
    std::string lower;
    for (char c : text) {
        if (c == ' ') continue;
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

std::string Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::optional<int> WholeNumber(std::string_view text) {
    const std::optional<double> x = TypedNumber(text);
    if (!x || *x != static_cast<double>(static_cast<long long>(*x)) || *x < -1e9 || *x > 1e9) {
        return std::nullopt;
    }
    return static_cast<int>(*x);
}

ParsedValue Failed(std::string chinese, std::string english) {
    return {std::nullopt, {std::move(chinese), std::move(english)}};
}

ParsedValue OutOfRange(const ParamName& n) {
    const std::string range = DescribeParamRange(n);
    return Failed("超出范围（" + range + "）", "out of range (" + range + ")");
}

ParsedValue Within(const ParamName& n, int raw) {
    if (!n.range.Contains(raw)) return OutOfRange(n);
    return {raw, {}};
}

std::optional<double> NumberOf(const std::optional<ValueText>& text) {
    if (!text) return std::nullopt;
    return TypedNumber(text->number);
}

ParsedValue ParseScale(const ParamName& n, const std::string& text) {
    // A text as the window shows it, words included ("Off", "Atk x 2").
    const std::string typed = Lower(text);
    for (int raw = n.range.minimum; raw <= n.range.maximum; ++raw) {
        const std::optional<ValueText> shown = FormatValue(n.kind, raw, n.context);
        if (shown && (Lower(shown->Joined()) == typed || Lower(shown->number) == typed)) {
            return {raw, {}};
        }
    }
    // A number, then the unit or nothing; "k" multiplies by 1000.
    size_t end = 0;
    while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) ||
                                 text[end] == '.' || text[end] == '-' || text[end] == '+')) {
        ++end;
    }
    const size_t start = text[0] == '+' ? 1 : 0;
    std::optional<double> x = TypedNumber(std::string_view(text).substr(start, end - start));
    std::string unit = Lower(text.substr(end));
    const std::optional<ValueText> first = FormatValue(n.kind, n.range.minimum, n.context);
    const std::string expected = first ? Lower(first->unit) : std::string();
    if (x && !unit.empty() && unit[0] == 'k' && expected == "hz") {
        *x *= 1000.0;
        unit.erase(0, 1);
    }
    if (!x) return Failed("不是数值", "not a number");
    if (!unit.empty() && unit != expected) {
        const std::string want = first ? first->unit : std::string();
        return Failed("单位应为 " + want, "the unit is " + (want.empty() ? "none" : want));
    }
    // The nearest value shown, the lower one on a tie; beyond either end by more than half a
    // step is out of range.
    int best = -1;
    double bestDistance = 0;
    double low = 0, high = 0, lowStep = 0, highStep = 0;
    std::optional<double> previous;
    for (int raw = n.range.minimum; raw <= n.range.maximum; ++raw) {
        const std::optional<double> v = NumberOf(FormatValue(n.kind, raw, n.context));
        if (!v) continue;
        const double distance = std::abs(*v - *x);
        if (best < 0 || distance < bestDistance) best = raw, bestDistance = distance;
        if (!previous) {
            low = high = *v;
        } else {
            if (lowStep == 0) lowStep = std::abs(*v - *previous);
            highStep = std::abs(*v - *previous);
            low = std::min(low, *v);
            high = std::max(high, *v);
        }
        previous = v;
    }
    if (best < 0) return Failed("不是数值", "not a number");
    const double tolerance = 1e-9;
    if (*x < low - lowStep / 2 - tolerance || *x > high + highStep / 2 + tolerance) {
        return OutOfRange(n);
    }
    return {best, {}};
}

}  // namespace

ParamNames::ParamNames() : names_(kPageCount * kSlotCount) {
    Namer namer(names_);
    NameAll(namer);
    NameRest(names_);
    for (const ParamName& n : names_) {
        byKey_.emplace(n.key, static_cast<int>(&n - names_.data()));
        if (n.named) named_.push_back(&n);
    }
}

const ParamName* ParamNames::Find(ParamAddress device) const {
    if (!IsStoreAddress(device)) return nullptr;
    return &names_[PageOf(device) * kSlotCount + SlotOf(device)];
}

const ParamName* ParamNames::FindKey(std::string_view key) const {
    const auto it = byKey_.find(std::string(key));
    return it == byKey_.end() ? nullptr : &names_[it->second];
}

std::string FormatParamValue(const ParamName& n, int raw) {
    std::string text;
    switch (n.form) {
        case ValueForm::Scale:
            text = FormatValueText(n.kind, raw, n.context);
            break;
        case ValueForm::Choice: {
            const std::vector<std::string> items = catalogue::SelectorItemTexts(n.items);
            if (raw >= 0 && raw < static_cast<int>(items.size())) text = Trimmed(items[raw]);
            break;
        }
        case ValueForm::Switch:
            text = raw == 0 ? "off" : raw == 1 ? "on" : "";
            break;
        case ValueForm::Number:
            return std::to_string(raw);
    }
    if (text.empty()) return "raw " + std::to_string(raw);
    if (!n.range.Contains(raw)) text += " (raw " + std::to_string(raw) + ")";
    return text;
}

std::string FullName(const ParamName& n, bool chinese) {
    return chinese ? n.channel.chinese + " " + n.name.chinese
                   : n.channel.english + " " + n.name.english;
}

ParsedValue ParseParamValue(const ParamName& n, std::string_view typed) {
    const std::string text = Trimmed(typed);
    if (text.empty()) return Failed("没有数值", "no value");
    if (Lower(text).rfind("raw:", 0) == 0) {
        const std::optional<int> raw = WholeNumber(Trimmed(text.substr(4)));
        if (!raw) return Failed("原始值须为整数", "a raw value is a whole number");
        return Within(n, *raw);
    }
    switch (n.form) {
        case ValueForm::Choice: {
            const std::vector<std::string> items = catalogue::SelectorItemTexts(n.items);
            for (size_t i = 0; i < items.size(); ++i) {
                if (Lower(items[i]) == Lower(text)) return Within(n, static_cast<int>(i));
            }
            return Failed("可选：" + DescribeParamRange(n), "one of: " + DescribeParamRange(n));
        }
        case ValueForm::Switch: {
            const std::string word = Lower(text);
            if (word == "on" || word == "1" || word == "开") return {1, {}};
            if (word == "off" || word == "0" || word == "关") return {0, {}};
            return Failed("应为 on 或 off", "on or off");
        }
        case ValueForm::Number: {
            const std::optional<int> number = WholeNumber(text);
            if (!number) return Failed("不是整数", "not a whole number");
            return Within(n, *number);
        }
        case ValueForm::Scale:
            return ParseScale(n, text);
    }
    return Failed("不是数值", "not a number");
}

std::string DescribeParamRange(const ParamName& n) {
    switch (n.form) {
        case ValueForm::Choice: {
            std::string list;
            const std::vector<std::string> items = catalogue::SelectorItemTexts(n.items);
            for (int i = n.range.minimum; i <= n.range.maximum && i < int(items.size()); ++i) {
                list += (list.empty() ? "" : ", ") + Trimmed(items[i]);
            }
            return list;
        }
        case ValueForm::Switch:
            return "off, on";
        case ValueForm::Number:
            return std::to_string(n.range.minimum) + " .. " + std::to_string(n.range.maximum);
        case ValueForm::Scale:
            break;
    }
    return FormatParamValue(n, n.range.minimum) + " .. " + FormatParamValue(n, n.range.maximum);
}

}  // namespace zt
