#include "ui/state/edit_path.h"

namespace zt {

bool EditPath::Set(ParamAddress a, int raw, Send send) {
    if (!IsStoreAddress(a) || !TakesEdits()) return false;
    const bool sending = send != Send::Never && !showing();
    const bool differs = model_.store().Get(a) != raw;
    // A value only stored to show it (a Q held within its band type's limit) is no write of the
    // history's; a write while values are only shown is noted as not sent.
    if (recorder_ && send != Send::Never) {
        recorder_->NoteWrite(a, model_.ToDeviceAddress(a), sending);
    }
    if (!sending) {
        model_.StoreValue(a, raw);
    } else if (send == Send::Paced) {
        writes_.WriteParameterPaced(a, raw);
    } else {
        writes_.WriteParameter(a, raw);
    }
    if (sending || differs) emit changed(a);
    return true;
}

}  // namespace zt
