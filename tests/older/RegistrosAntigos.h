#pragma once
// Valid records of layouts 03 and ST 01, which tests spoil one field at a time, and the finding
// lines the report prints for them.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "layouts/older/CamposAntigos.h"
#include "tests/support/Apoio.h"
#include "tests/support/LinhaAchado.h"

namespace rolval::teste {

// The fields of the records of layouts 03 and ST 01 by name, from the layouts' tables.
constexpr CampoRegistro CampoROL03(std::string_view nome) {
  return CampoChamado(CamposROL03, nome);
}
constexpr CampoRegistro CampoST01(std::string_view nome) { return CampoChamado(CamposST01, nome); }

// A fixed-width record line under construction.
class Registro {
 public:
  explicit Registro(std::size_t tamanho) : linha_(tamanho, ' ') {}
  explicit Registro(std::string linha) : linha_(std::move(linha)) {}
  // Writes `texto` from 1-based column `coluna` on; a text that runs past the record is a test bug.
  Registro& Poe(int coluna, std::string_view texto);
  // Writes `texto` at the field (its occurrence `vez` for a repeated one); a text wider than the
  // field is a test bug.
  Registro& Poe(const CampoRegistro& campo, std::string_view texto, int vez = 0);
  // Writes `valor` zero-filled to `tamanho` digits from column `coluna` on, or in the field's
  // width at the field (its occurrence `vez`).
  Registro& Valor(int coluna, int tamanho, std::int64_t valor);
  Registro& Valor(const CampoRegistro& campo, std::int64_t valor, int vez = 0) {
    return Valor(campo.ColunaDe(vez), campo.tamanho, valor);
  }
  const std::string& linha() const { return linha_; }
  operator std::string() const { return linha_; }  // NOLINT: records go straight into ComCRLF

 private:
  std::string linha_;
};

// Layout 03, registration 0123456789, period 05/1996. Amounts: A 1000 - B 400 = C 600; first sum
// 150 (column 132) = E; second sum 200 (column 308) = F; G 0, H 0, I 50 = F - E + H, J 100,
// K 150 = J + I; one due-date entry, 10/10/1998 with 150 (= K, since D is 0); L 0.
Registro ROL03Valido();

// Layout ST 01, registration 0123456789, period 01 to 30 of 09/1999, CNPJ 11222333000181.
// Fields 6 to 17: 1000, 0, 0, 500, 100, 300, 100, 0, 0, 0, 0 and 100; one installment,
// 10/08/2000 with 100; declarant CPF 52998224725; signed 15/08/2000.
Registro ST01Valido();

// Columns of the amount field `campo` (6 to 17) of layout ST 01, and of installment k (1 to 6).
int ColunaST1(int campo);
int ColunaParcela(int k);
// Column of due-date entry k (1 to 9) of layout 03.
int ColunaVencimento(int k);

// The findings of a run of the records (CR LF after each) with every layout.
ResultadoExecucao ExecutaRegistros(const std::vector<std::string>& registros);

}  // namespace rolval::teste
