#include "layouts/older/ValidaVersao3.h"

namespace rolval {

// Not built yet: the lines of layout 03 are framed and counted by the run driver only.
void ValidaVersao3(Execucao&, std::string_view) {}

}  // namespace rolval
