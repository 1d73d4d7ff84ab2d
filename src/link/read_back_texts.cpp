#include "link/read_back_texts.h"

#include <array>
#include <cstdio>

#include "params/page_table.h"

namespace zt {

namespace {

struct Names {
    const char* chinese;
    const char* english;
};

constexpr std::array<Names, 6> kOutputChannels{{{"主输出左", "Main left"},
                                                {"主输出右", "Main right"},
                                                {"环绕左", "Surround left"},
                                                {"环绕右", "Surround right"},
                                                {"中置", "Center"},
                                                {"超低音", "SUB"}}};
constexpr std::array<Names, 3> kScenes{{{"唱歌", "sing"}, {"迪高", "disco"}, {"解码", "decode"}}};
constexpr std::array<Names, 5> kFields{
    {{"类型", "type"}, {"频率", "frequency"}, {"增益", "gain"}, {"Q", "Q"}, {"搁架Q", "shelf Q"}}};

BilingualText PageName(int page) {
    static constexpr std::array<Names, 6> kFirstPages{{{"音乐", "Music"},
                                                       {"动态EQ", "Dynamic EQ"},
                                                       {"话筒A", "MIC A"},
                                                       {"话筒B", "MIC B"},
                                                       {"回声A", "Echo A"},
                                                       {"混响", "Reverb"}}};
    if (page >= 0 && page < 6) return {kFirstPages[page].chinese, kFirstPages[page].english};
    if (page >= 6 && page <= 23) {
        const Names& channel = kOutputChannels[(page - 6) / 3];
        const Names& scene = kScenes[(page - 6) % 3];
        return {std::string(channel.chinese) + " " + scene.chinese,
                std::string(channel.english) + " " + scene.english};
    }
    if (page == 24) return {"回声B", "Echo B"};
    if (page >= 25 && page <= 27) {
        const Names& of = kFirstPages[page == 25 ? 0 : page - 24];
        return {std::string("隐藏页 ") + of.chinese, std::string("Hidden ") + of.english};
    }
    if (page == 28) return {"设置", "Settings"};
    if (page == 29) return {"系统设置", "System settings"};
    return {"系统", "System"};
}

// "band 3 gain", "high-pass type", or "slot 37".
BilingualText SlotName(int page, int slot) {
    const PageLayout& layout = PageLayoutOf(page);
    auto crossover = [&](const CrossoverSlots& filter, const char* zh, const char* en,
                         BilingualText& out) {
        if (!filter.exists() || (slot != filter.typeSlot && slot != filter.frequencySlot)) {
            return false;
        }
        const Names& field = kFields[slot == filter.typeSlot ? kFieldType : kFieldFrequency];
        out = {std::string(zh) + field.chinese, std::string(en) + " " + field.english};
        return true;
    };
    BilingualText out;
    if (crossover(layout.highPass, "高通", "high-pass", out)) return out;
    if (crossover(layout.lowPass, "低通", "low-pass", out)) return out;
    int bandSlot = slot;
    std::string set;
    if (page == 0 && slot >= 10 + kMusicSecondSetOffset && slot < 10 + 2 * kMusicSecondSetOffset) {
        bandSlot -= kMusicSecondSetOffset;
        set = " (2)";
    }
    const int offset = bandSlot - layout.firstBandSlot;
    const int band = layout.bandStep > 0 ? offset / layout.bandStep : -1;
    const int field = layout.bandStep > 0 ? offset % layout.bandStep : -1;
    if (offset >= 0 && band < layout.bandCount && field < kBandFieldCount) {
        const std::string number = std::to_string(band + 1) + set;
        return {"第" + number + "段" + kFields[field].chinese,
                "band " + number + " " + kFields[field].english};
    }
    return {"参数" + std::to_string(slot), "slot " + std::to_string(slot)};
}

std::string HexAddress(ParamAddress address) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(address) & 0xFFFFu);
    return text;
}

}  // namespace

BilingualText ReadBackStateText(const ReadBackStatus& status) {
    if (!status.enabled) return kReadBackOff;
    if (!status.unconfirmed.empty()) {
        const std::string n = std::to_string(status.unconfirmed.size());
        return {n + "个参数未确认", n + " not confirmed"};
    }
    return status.checking ? kReadBackChecking : kReadBackAllMatch;
}

std::string ReadBackMark(const ReadBackStatus& status) {
    if (!status.enabled) return "";
    if (!status.unconfirmed.empty()) return "!" + std::to_string(status.unconfirmed.size());
    return status.checking ? "\u2026" : "\u2713";
}

BilingualText DeviceParamName(ParamAddress device) {
    const BilingualText page = PageName(PageOf(device));
    const BilingualText slot = SlotName(PageOf(device), SlotOf(device));
    const std::string hex = " (" + HexAddress(device) + ")";
    return {page.chinese + " " + slot.chinese + hex, page.english + " " + slot.english + hex};
}

BilingualText UnconfirmedMessage(const std::vector<ParamAddress>& addresses) {
    // A long list is cut: the window marks every field all the same.
    constexpr size_t kListed = 12;
    std::string chinese = "设备三次都没有确认这些参数, 编辑器会继续发送:\n";
    std::string english =
        "The processor did not confirm these values after three tries; the editor keeps "
        "sending them:\n";
    for (size_t i = 0; i < addresses.size() && i < kListed; ++i) {
        const BilingualText name = DeviceParamName(addresses[i]);
        chinese += name.chinese + "\n";
        english += name.english + "\n";
    }
    if (addresses.size() > kListed) {
        const std::string more = std::to_string(addresses.size() - kListed);
        chinese += "另有" + more + "个\n";
        english += "and " + more + " more\n";
    }
    chinese += "请检查连接线.";
    english += "Check the cable.";
    return {chinese, english};
}

}  // namespace zt
