#pragma once
// The fields of the one-line returns: the monthly return in layout 03 ("ROL03", 898 columns) and
// the tax-substitution return in layout ST 01 ("ST01", 754 columns).
#include <span>
#include <string_view>

#include "run/CamposRegistro.h"

namespace rolval {

std::span<const TabelaRegistro> TabelasAntigas();
// The table of "ROL03" or "ST01"; nullptr for another name.
const TabelaRegistro* TabelaAntiga(std::string_view tipo);
const TabelaRegistro& TabelaROL03();
const TabelaRegistro& TabelaST01();

}  // namespace rolval
