#pragma once
// Annex records X01, X05, X05A and X05B of the monthly return, after the common prefix has been
// checked: amounts by CFOP, with the X05 CFOPs collected for the X05A/X05B detail and for the
// reconciliation at the end of the return.
#include <string_view>

#include "layouts/monthly/EstadoMensal.h"
#include "run/Execucao.h"

namespace rolval {

// `tipo` is the record's type: Anexo::X01, X05, X05A or X05B.
void ValidaAnexoCfop(Execucao& execucao, std::string_view linha, Anexo tipo);

}  // namespace rolval
