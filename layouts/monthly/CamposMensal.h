#pragma once
// The fields of the monthly return's records (layouts 04 and 05): the header "ABC" and the 17
// annex types, each with the 43-character prefix every record carries.
#include <cstddef>
#include <span>
#include <string_view>

#include "run/CamposRegistro.h"

namespace rolval {

// The header's table.
const TabelaRegistro& TabelaCabecalhoMensal();
// The annex types' tables, in the order of the header's declared line counts (X01, X02, X03,
// X03A, X04, X05, X05A, X05B, X06, X07, X07A, X07B, X08, X09, X10, X11, X12).
std::span<const TabelaRegistro> TabelasAnexosMensais();
// The prefix every record carries (columns 1-43), as the table of a record of unknown type: its
// type is empty.
const TabelaRegistro& TabelaPrefixoMensal();
// The table of a record type by its name, with or without the record's trailing blank ("X01",
// "X01 ", "ABC "); nullptr for a name the layout does not have.
const TabelaRegistro* TabelaMensal(std::string_view tipo);
// The header field that declares the line count of the annex type at `indice` in
// TabelasAnexosMensais().
const CampoRegistro& CampoLinhasDeclaradas(std::size_t indice);
// The field of an annex's items that holds the item count ("Quantidade de itens", columns 44-45).
const CampoRegistro& CampoQuantidadeItens();

}  // namespace rolval
