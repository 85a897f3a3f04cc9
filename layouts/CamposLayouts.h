#pragma once
// Every record type of every layout with its fields, and the table of a record type by its name.
#include <span>
#include <string_view>

#include "run/CamposRegistro.h"

namespace rolval {

// The tables of every record type of every layout: the monthly header and its annexes, the
// records of ST 02, the lines of layouts 03 and ST 01.
std::span<const TabelaRegistro* const> TodasAsTabelas();
// The table of a record type by its name ("ABC", "X05A", "A0", "ROL03", "ST01"; a trailing blank,
// as the monthly records carry it, is ignored); nullptr for a name no layout has.
const TabelaRegistro* TabelaDoRegistro(std::string_view tipo);

}  // namespace rolval
