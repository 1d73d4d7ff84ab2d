#include "params/param_model.h"

namespace zt {

ParamAddress ParamModel::ToDeviceAddress(ParamAddress logical) const {
    return zt::ToDeviceAddress(selection_, logical);
}

void ParamModel::StoreValue(ParamAddress logical, int32_t value) {
    if (!IsStoreAddress(logical)) return;
    store_.Set(logical, value);
    image_.Set(ToDeviceAddress(logical), value);
}

ParamAddress ParamModel::ActiveQSlot(ParamAddress logical) const {
    const EqSlot eq = EqSlotInfo(logical);
    if (eq.field != kFieldQ && eq.field != kFieldShelfQ) return logical;
    const ParamAddress typeAddress = logical - eq.field;
    return store_.Get(typeAddress) < 2 ? typeAddress + kFieldQ : typeAddress + kFieldShelfQ;
}

void ParamModel::RebuildParamStore() {
    static constexpr int kLogicalPages[] = {0, 1, 2, 4, 5, 6, 25, 26, 27, 28, 29, 30};
    for (int page : kLogicalPages) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            store_.Set(page, slot, image_.Get(ToDeviceAddress(MakeAddress(page, slot))));
        }
    }
    // The right sides of the stereo outputs keep their own delay and mute slots.
    for (int slot : {10, 11}) {
        store_.Set(9, slot, image_.Get(9 + selection_.outputScene, slot));
        store_.Set(15, slot, image_.Get(15 + selection_.outputScene, slot));
    }
}

void ParamModel::ResetPageBands(int page, bool singlePage, PacedParamWriter& writer) {
    const PageLayout& layout = PageLayoutOf(page);
    const int kind = PageKind(MakeAddress(page, 0));
    for (int band = 0; band < layout.bandCount; ++band) {
        for (int field = 0; field < kBandFieldCount; ++field) {
            const int slot = layout.firstBandSlot + band * layout.bandStep + field;
            const int value =
                field == kFieldFrequency ? EqDefaultFrequency(kind, band) : kEqFieldDefaults[field];
            // A single page follows the music set being edited; a reset of every page covers
            // the first music set here and the second one afterwards, whatever set is shown.
            const int imageSlot = singlePage ? RedirectMusicSlot(selection_, page, slot) : slot;
            image_.Set(page, imageSlot, value);
            store_.Set(page, slot, value);
            if (singlePage) writer.WriteParameterPaced(MakeAddress(page, slot), value);
        }
    }
}

void ParamModel::ResetEq(int page, PacedParamWriter& writer, PageRefresher& refresher) {
    if (page == kAllPages) {
        for (int each = 0; each <= 27; ++each) ResetPageBands(each, false, writer);
        // The second music set gets the defaults too, in the image only.
        const PageLayout& music = PageLayoutOf(0);
        for (int band = 0; band < music.bandCount; ++band) {
            for (int field = 0; field < kBandFieldCount; ++field) {
                const int slot = music.firstBandSlot + band * music.bandStep + field;
                const int value = field == kFieldFrequency ? EqDefaultFrequency(0, band)
                                                           : kEqFieldDefaults[field];
                image_.Set(0, slot + kMusicSecondSetOffset, value);
            }
        }
        selection_.musicEqSet = 0;
    } else {
        int target = page;
        if (page == 4)
            target = selection_.effectPage;
        else if (page == 2)
            target = selection_.micPage;
        else if (page == 6)
            target = selection_.outputPage;
        else if (page == 25)
            target = selection_.hiddenPage;
        if (target >= 0 && target <= 27) ResetPageBands(target, true, writer);
    }
    refresher.RefreshPage(page);
}

void ParamModel::CopyImageSlots(int fromPage, int toPage, int firstSlot, int lastSlot, int offset) {
    for (int slot = firstSlot; slot <= lastSlot; ++slot) {
        image_.Set(toPage, slot + offset, image_.Get(fromPage, slot));
    }
}

void ParamModel::CopyEq(EqCopyChannel channel) {
    switch (channel) {
        case EqCopyChannel::Music:
            CopyImageSlots(0, 0, 10, 84, kMusicSecondSetOffset);
            break;
        case EqCopyChannel::DynamicEq:
            CopyImageSlots(1, 1, 1, 30, 30);
            break;
        case EqCopyChannel::Microphone:
            CopyImageSlots(2, 3, 15, 114, 0);
            break;
        case EqCopyChannel::Main:
            for (int scene = 0; scene < 3; ++scene) CopyImageSlots(6 + scene, 9 + scene, 0, 70, 0);
            break;
        case EqCopyChannel::Surround:
            for (int scene = 0; scene < 3; ++scene)
                CopyImageSlots(12 + scene, 15 + scene, 0, 70, 0);
            break;
        case EqCopyChannel::Other:
            break;
    }
}

}  // namespace zt
