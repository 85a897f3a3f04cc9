#pragma once
// The generator's module for the monthly return, layouts 04 and 05: returns made of a header and
// annex records of the chosen types, with the declared line counts, the header totals, the tax
// balances and the CFOP details all consistent.
#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

#include "tools/GeradorAmostras.h"

namespace rolval::amostras {

std::span<const std::string_view> AnexosMensais();
std::span<const DescricaoEstrago> EstragosMensais();
ResumoAmostra GeraMensal(const OpcoesAmostra& opcoes, std::ostream& saida);

// A registration number of ten digits: `noveDigitos` (zero-filled to nine) and its check digit.
std::string InscricaoComDigito(std::int64_t noveDigitos);

// Starts a monthly record in `registro`: 898 blanks with the prefix of columns 1-43 (mark "****",
// the version, complement "00000000", a blank marker, first day "01", the last day of the month
// of `mesAnoRef` (MMAAAA), the period, the registration, the sequence and the record type).
void IniciaRegistroMensal(std::string& registro, std::string_view versao,
                          std::string_view mesAnoRef, std::string_view inscricao, int sequencia,
                          std::string_view tipo);

}  // namespace rolval::amostras
