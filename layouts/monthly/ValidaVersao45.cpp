#include "layouts/monthly/ValidaVersao45.h"

namespace rolval {

// Not built yet: the lines of layouts 04 and 05 are framed and counted by the run driver only.
void ValidaVersao45(Execucao&, std::string_view) {}

}  // namespace rolval
