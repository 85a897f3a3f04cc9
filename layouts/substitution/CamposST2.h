#pragma once
// The fields of the tax-substitution return's records in layout ST 02: the header "A0" and the
// annex records "A1", "A2" and "A3", each of its own length.
#include <span>
#include <string_view>

#include "run/CamposRegistro.h"

namespace rolval {

// The four record types' tables: A0, A1, A2, A3.
std::span<const TabelaRegistro> TabelasST2();
// A record of a type the layout does not have, as a table: its type (columns 1-2) only, and the
// type's name empty.
const TabelaRegistro& TabelaTipoDesconhecidoST2();
// The table of a record type by its name ("A0", "A1", ...); nullptr for another name.
const TabelaRegistro* TabelaST2(std::string_view tipo);

}  // namespace rolval
