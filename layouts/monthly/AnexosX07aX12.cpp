#include "layouts/monthly/AnexosX07aX12.h"

namespace rolval {

// Not built yet.
void ValidaAnexoX07aX12(Execucao&, std::string_view) {}

}  // namespace rolval
