#include "maker/cell_size.h"

#include <algorithm>

#include "platform/text.h"

namespace pakkon {

int16_t fncCellSize_correct(std::string_view text) {
  if (!fncIsNumeric(text)) return 2;
  return std::clamp<int16_t>(fncCInt(fncVal(text)), 2, 4);
}

}  // namespace pakkon
