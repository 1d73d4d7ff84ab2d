#include "eqgraph/vector_state.h"

namespace zt {

#if defined(__x86_64__) && defined(__GNUC__)

namespace {

__attribute__((target("avx"))) void ZeroUpper() {
    __builtin_ia32_vzeroupper();
}

}  // namespace

void ClearUpperVectorState() {
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) ZeroUpper();
}

#else

void ClearUpperVectorState() {}

#endif

}  // namespace zt
