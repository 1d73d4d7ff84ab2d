#include "ui/state/window_writes.h"

namespace zt {

bool WindowWrites::WriteParameter(ParamAddress logical, int value) {
    if (!Admits()) return false;
    link_.WriteParameter(logical, value);
    return true;
}

void WindowWrites::WriteParameterPaced(ParamAddress logical, int value) {
    if (Admits()) link_.WriteParameterPaced(logical, value);
}

bool WindowWrites::WriteString(ParamAddress address, std::string_view text) {
    if (state_.locked) return false;
    link_.WriteString(address, text);
    return true;
}

bool WindowWrites::SaveMode(std::string_view text) {
    if (state_.locked) return false;
    link_.SaveMode(text);
    return true;
}

bool WindowWrites::StartUpload() {
    if (state_.locked) return false;
    link_.StartUpload();
    return true;
}

}  // namespace zt
