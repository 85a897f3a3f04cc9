#pragma once
// The generator's modules for the one-line returns: the monthly return in layout 03 (reference
// periods 07/1994 to 09/1998) and the tax-substitution return in layout ST 01 (05/1999 to
// 06/2000). Each line is a whole return with its sums, balances and due dates consistent. These
// layouts have no annexes.
#include <iosfwd>
#include <span>
#include <string_view>

#include "tools/GeradorAmostras.h"

namespace rolval::amostras {

std::span<const std::string_view> AnexosAntigos();  // none
std::span<const DescricaoEstrago> EstragosVersao3();
std::span<const DescricaoEstrago> EstragosST1();
ResumoAmostra GeraVersao3(const OpcoesAmostra& opcoes, std::ostream& saida);
ResumoAmostra GeraST1(const OpcoesAmostra& opcoes, std::ostream& saida);

}  // namespace rolval::amostras
