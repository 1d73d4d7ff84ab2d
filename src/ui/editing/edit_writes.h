#pragma once
// Where every handler's value leaves the editing side: the write through the edit path, the
// refusal of a write the window takes not now or the channel's EQ pass holds, and the page
// shown from the stores again after a refused write.

#include <QObject>
#include <memory>
#include <set>

#include "params/param_address.h"

namespace zt {

struct EditingParts;
class PageRefresher;

class EditWrites {
public:
    // `refresher` shows a page from the stores again after a refused write.
    EditWrites(EditingParts& parts, PageRefresher& refresher);

    // Stores and sends `value`; a refused write shows the stored values again.
    void Write(ParamAddress a, int value);
    // A refused write leaves the stores as they were; a control a gesture moved before it was
    // refused shows the stored value again once the gesture's handlers are done.
    void ShowStoredAgain(ParamAddress a);
    // Whether a user's gesture on the control of `a` is refused because the channel's EQ pass
    // holds its band or filter, as it holds the band's point on the graph. A refused gesture
    // stores and sends nothing; its controls show the held value again.
    bool HeldByEqPass(ParamAddress a) const;
    // Notes the last EQ-related write.
    void RecordWrite(ParamAddress a, int value);

private:
    EditingParts& parts_;
    PageRefresher& refresher_;
    // Pages of writes refused while the window takes none, shown from the stores again.
    std::set<int> refusedPages_;
    // Receiver of the deferred refresh, so that it ends with the editing side.
    std::unique_ptr<QObject> context_;
};

}  // namespace zt
