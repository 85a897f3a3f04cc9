#pragma once
// The field checks of the header record "A0" of layout ST 02, in the order the header is read:
// identification, installments and beneficiary unit; the amount fields and the balance; the
// declarant, the signature date, the markers and the declared annex counts.
#include <cstdint>
#include <string_view>

#include "run/Execucao.h"

namespace rolval {

// What the first checks of a header hand to the later ones.
struct LeituraCabecalhoST2 {
  std::int32_t RefAAAAMM = 0;  // reference period as AAAAMM when accepted, 0 otherwise
  double SomaParcelas = 0;     // sum of the numeric installment amounts
  bool SemMovimento = false;   // column 28 holds "X"
};

// Registration number, the two markers, reference period, the six installments and their due
// dates, and the beneficiary unit (carried across returns in UFFavorecida).
void ValidaIdentificacaoST2(Execucao& execucao, std::string_view linha,
                            LeituraCabecalhoST2& leitura);

// Amount fields 7 to 21 with their cross-rules, and the balance of fields 18, 20 and 21.
void ValidaValoresST2(Execucao& execucao, std::string_view linha,
                      const LeituraCabecalhoST2& leitura);

// Declarant's federal numbers and names, signature date, the S/N markers and the declared
// numbers of annex records.
void ValidaDeclaranteST2(Execucao& execucao, std::string_view linha,
                         const LeituraCabecalhoST2& leitura);

}  // namespace rolval
