#include "ui/editing/edit_writes.h"

#include <QTimer>

#include "eqgraph/drag_rules.h"
#include "params/eq_slots.h"
#include "ui/editing/editing_parts.h"

namespace zt {

EditWrites::EditWrites(EditingParts& parts, PageRefresher& refresher)
    : parts_(parts), refresher_(refresher), context_(std::make_unique<QObject>()) {}

void EditWrites::Write(ParamAddress a, int value) {
    const auto send = parts_.pacedWrites ? EditPath::Send::Paced : EditPath::Send::Now;
    if (!parts_.path.Set(a, value, send)) ShowStoredAgain(a);
}

void EditWrites::ShowStoredAgain(ParamAddress a) {
    const bool pending = !refusedPages_.empty();
    refusedPages_.insert(PageOf(a));
    if (pending) return;
    QTimer::singleShot(0, context_.get(), [this] {
        const std::set<int> pages = std::move(refusedPages_);
        refusedPages_.clear();
        for (int page : pages) refresher_.RefreshPage(page);
    });
}

bool EditWrites::HeldByEqPass(ParamAddress a) const {
    // What only shows a value again (a click selecting a field) sends nothing and is no edit.
    if (parts_.path.showing()) return false;
    const int page = PageOf(a);
    if (!parts_.window.EqPassOn(page)) return false;
    const EqSlot slot = EqSlotInfo(a);
    return slot.isEq() && EqPassHoldsItem(page, slot.item);
}

void EditWrites::RecordWrite(ParamAddress a, int value) {
    parts_.state.lastWritten = {a, value};
}

}  // namespace zt
