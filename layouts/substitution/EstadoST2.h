#pragma once
// What the validator of the tax-substitution return, layout ST 02, keeps from record to record:
// the beneficiary unit, the declared annex totals and counts of the current header, the running
// sums and counts of the annex records read, and the keys of the previous record of each annex.
#include <cstdint>
#include <string>
#include "run/Execucao.h"

namespace rolval {

struct EstadoST2 : EstadoLayout {
  // Unit code (header columns 168-169) of the most recent header, even when not a valid unit;
  // empty before the first header of a file.
  std::string UFFavorecida;

  // The current header's reference period as AAAAMM when it was accepted as a period (numeric
  // and a valid MMAAAA), 0 otherwise; the annex dates are checked against it.
  std::int32_t RefAAAAMM = 0;

  // Declared totals of annexes I and II (header fields 14 and 15) and declared numbers of A1, A2
  // and A3 records. Each keeps the previous return's value when its field is not accepted.
  double TotalAnexoI = 0;
  double TotalAnexoII = 0;
  std::int32_t QtdLinhasAnexoI = 0;
  std::int32_t QtdLinhasAnexoII = 0;
  std::int32_t QtdLinhasAnexoIII = 0;

  // Sums of the A1 and A2 amounts and counts of the annex records of the current return.
  double SomaAnexoI = 0;
  double SomaAnexoII = 0;
  std::int32_t ContaAnexoI = 0;
  std::int32_t ContaAnexoII = 0;
  std::int32_t ContaAnexoIII = 0;

  // Line of the current return's header, where its end-of-return findings are reported.
  std::int32_t LinhaCabecalho = 0;

  // Columns 1-27 of the previous A1 and A2 record and columns 1-16 of the previous A3 record of
  // the current return; emptied at every header.
  std::string ChaveAnexoI;
  std::string ChaveAnexoII;
  std::string ChaveAnexoIII;

  // Reused for the list entry of each header.
  std::string EntradaLista;
};

// The state of the layout ST 02 validator in the run `ex`.
inline EstadoST2& ST2(const Execucao& ex) { return static_cast<EstadoST2&>(ex.Estado()); }

}  // namespace rolval
