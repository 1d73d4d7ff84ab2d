#pragma once
// Reducing typed or stored text to the characters a decimal number can hold.

#include <string>
#include <string_view>

namespace zt {

// The characters "-", "." and "0".."9" of `text`, in their order ("-12.5dB" gives "-12.5",
// "1,000 Hz" gives "1000"). The result need not be a valid number.
std::string KeepNumberCharacters(std::string_view text);

}  // namespace zt
