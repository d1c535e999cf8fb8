#pragma once
// The box-size dialog's correction: whatever is typed becomes a size of 2 to 4.

#include <cstdint>
#include <string_view>

namespace pakkon {

// A number is rounded (halves to even) and held to 2..4; anything else is 2.
int16_t fncCellSize_correct(std::string_view text);

}  // namespace pakkon
