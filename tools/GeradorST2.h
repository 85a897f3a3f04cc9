#pragma once
// The generator's module for the tax-substitution return, layout ST 02: returns made of a header
// "A0" and annex records "A1", "A2" and "A3", with the annex totals and counts, the balance and
// the installments of the header all consistent, every return due to the home unit "TQ".
#include <iosfwd>
#include <span>
#include <string_view>

#include "tools/GeradorAmostras.h"

namespace rolval::amostras {

std::span<const std::string_view> AnexosST2();
std::span<const DescricaoEstrago> EstragosST2();
ResumoAmostra GeraST2(const OpcoesAmostra& opcoes, std::ostream& saida);

}  // namespace rolval::amostras
