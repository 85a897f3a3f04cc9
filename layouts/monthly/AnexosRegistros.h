#pragma once
// Annex records X02, X06, X03, X03A and X04 of the monthly return, after the common prefix has
// been checked: amounts by registry number (X02, X06), by code (X03, detailed by X03A) and by an
// earlier reference period with its due date (X04).
#include <string_view>

#include "layouts/monthly/EstadoMensal.h"
#include "run/Execucao.h"

namespace rolval {

// `tipo` is the record's type: Anexo::X02, X06, X03, X03A or X04.
void ValidaAnexoX02aX06(Execucao& execucao, std::string_view linha, Anexo tipo);

}  // namespace rolval
