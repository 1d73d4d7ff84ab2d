#pragma once
// What a ZT461 holds when it leaves the factory: the parameter memory, the six factory modes,
// the names of all 22 modes and the two passwords.

#include <string>

#include "link/protocol.h"
#include "params/param_address.h"

namespace zt {

// MF1..MF6 are modes 16..21 (from kFirstFactoryMode on); a mode holds pages 0..29 (the system
// page 30 is not part of it).

inline constexpr char kFactorySystemPassword[] = "123456";
inline constexpr char kFactoryPanelPassword[] = "1234";

// Memory of factory mode MF1..MF6 (variant 1..6); variant 0 (or any other) is the memory the
// processor starts with, which equals MF1. Page 30 holds the system items.
PageMemory FactoryMemory(int variant);

// Name of mode 0..21 as the factory leaves it.
std::string FactoryModeName(int mode);

}  // namespace zt
