#include "layouts/older/ValidaST1.h"

namespace rolval {

// Not built yet: the lines of layout ST 01 are framed and counted by the run driver only.
void ValidaST1(Execucao&, std::string_view) {}

}  // namespace rolval
