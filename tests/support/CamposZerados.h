#pragma once
// Records for tests built from the field tables.
#include <string>

#include "run/CamposRegistro.h"

namespace rolval::teste {

// Whether a field of this kind holds digits (amounts, numbers, dates, periods).
bool GuardaDigitos(TipoCampo tipo);

// Writes zeros into every field of `tabela` from column `desde` on that holds digits (amounts,
// numbers, dates, periods), every occurrence of a repeated one; the other columns of `registro`
// stay as they are.
void ZeraCamposNumericos(std::string& registro, const TabelaRegistro& tabela, int desde = 1);

}  // namespace rolval::teste
