#include "layouts/substitution/ValidaST2.h"

namespace rolval {

// Not built yet: the lines of layout ST 02 are framed and counted by the run driver only.
void ValidaST2(Execucao&, std::string_view) {}

void ConfereAnexosST(Execucao&) {}

void PreparaST2(Execucao&) {}

}  // namespace rolval
