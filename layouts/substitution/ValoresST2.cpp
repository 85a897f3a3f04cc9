// Header "A0" of layout ST 02, columns 170-394: amount fields 7 to 21, their cross-rules, the sum
// that tells a return with movement from one without, and the balance of fields 18, 20 and 21.
#include <array>
#include <cstddef>
#include <optional>

#include "checks/CampoNumerico.h"
#include "checks/Numeros.h"
#include "layouts/substitution/CabecalhoST2.h"
#include "layouts/substitution/CamposST2.h"
#include "layouts/substitution/EstadoST2.h"

namespace rolval {

namespace {

// Amount fields 7 to 21 by number, from the header's table.
constexpr auto CamposValores = []() consteval {
  std::array<CampoRegistro, 22> campos{};
  for (int campo = 7; campo <= 21; ++campo)
    campos[static_cast<std::size_t>(campo)] = CampoDe(CamposCabecalhoST2, campo);
  return campos;
}
();
constexpr const CampoRegistro& CampoValor(int campo) {
  return CamposValores[static_cast<std::size_t>(campo)];
}
// Every amount field has the same length, so that the numeric reading is the fixed-length one.
constexpr int TamanhoValor = CamposValores[7].tamanho;
static_assert([] {
  for (int campo = 7; campo <= 21; ++campo)
    if (CampoValor(campo).tamanho != TamanhoValor) return false;
  return true;
}());

// A finding at amount field `campo`; `numero` is the number its message names (0 where none).
void GravaNoValor(Execucao& ex, CodigoST codigo, int numero, int campo,
                  const ValoresAchado& valores = {}) {
  ex.GravaErroST(codigo, numero, CampoValor(campo).coluna, CampoValor(campo).Ultima(), valores);
}

// The amount fields as they are read, in the order of their checks.
class LeitorValores {
 public:
  LeitorValores(Execucao& ex, std::string_view linha, bool semMovimento)
      : ex_(ex), linha_(linha), semMovimento_(semMovimento) {}

  // The value of field n, or nothing when it is not numeric (reported here, in its place).
  std::optional<double> Le(int campo) {
    return LeNumerico(ex_, linha_, CampoValor(campo).coluna, TamanhoValor);
  }

  // A return marked without movement must not carry the amount; the amount counts for movement.
  void SemMovimentoESoma(int campo, double valor) {
    if (semMovimento_ && valor > 0) GravaNoValor(ex_, CodigoST::CampoNaoDeveSerInformado, 0, campo);
    soma_ += valor;
  }

  double Soma() const { return soma_; }

 private:
  Execucao& ex_;
  std::string_view linha_;
  bool semMovimento_;
  double soma_ = 0;  // fields 7 to 15, 17, 18, 19 and 21, each when numeric
};

// Fields n and n + 1, where field n must exceed field n + 1 whenever either is positive (reported
// on field n + 1 with `codigoOrdem`), and where a return with movement is warned when both are
// zero (reported on field n with `codigoZerados`). Nothing when field n was not numeric.
void ConferePar(Execucao& ex, bool semMovimento, int campo, std::optional<double> primeiro,
                double segundo, CodigoST codigoOrdem, CodigoST codigoZerados) {
  if (!primeiro) return;
  if ((*primeiro > 0 || segundo > 0) && !(*primeiro > segundo))
    GravaNoValor(ex, codigoOrdem, 0, campo + 1);
  if (!semMovimento && *primeiro == 0 && segundo == 0) GravaNoValor(ex, codigoZerados, 0, campo);
}

}  // namespace

void ValidaValoresST2(Execucao& ex, std::string_view linha, const LeituraCabecalhoST2& leitura) {
  const bool semMov = leitura.SemMovimento;
  LeitorValores v(ex, linha, semMov);

  const auto f7 = v.Le(7);
  if (f7) v.SemMovimentoESoma(7, *f7);

  if (const auto f8 = v.Le(8)) {
    v.SemMovimentoESoma(8, *f8);
    if (f7 && *f8 > *f7) GravaNoValor(ex, CodigoST::Campo8MaiorQue7, 0, 8);
  }
  if (const auto f9 = v.Le(9)) {
    v.SemMovimentoESoma(9, *f9);
    if (f7 && *f9 > *f7) GravaNoValor(ex, CodigoST::Campo9MaiorQue7, 0, 9);
  }

  const auto f10 = v.Le(10);
  if (f10) v.SemMovimentoESoma(10, *f10);
  if (const auto f11 = v.Le(11)) {
    ConferePar(ex, semMov, 10, f10, *f11, CodigoST::Campo10NaoMenorQue11,
               CodigoST::Campos10e11Zerados);
    v.SemMovimentoESoma(11, *f11);
  }

  const auto f12 = v.Le(12);
  if (f12) v.SemMovimentoESoma(12, *f12);
  const auto f13 = v.Le(13);
  if (f13) {
    ConferePar(ex, semMov, 12, f12, *f13, CodigoST::Campo13NaoMenorQue12,
               CodigoST::Campos12e13Zerados);
    v.SemMovimentoESoma(13, *f13);
  }

  const auto f14 = v.Le(14);
  if (f14) {
    ST2(ex).TotalAnexoI = *f14;
    v.SemMovimentoESoma(14, *f14);
  }
  const auto f15 = v.Le(15);
  if (f15) {
    ST2(ex).TotalAnexoII = *f15;
    v.SemMovimentoESoma(15, *f15);
  }
  const auto f16 = v.Le(16);
  const auto f17 = v.Le(17);
  if (f17) v.SemMovimentoESoma(17, *f17);
  const auto f19 = v.Le(19);
  if (f19) v.SemMovimentoESoma(19, *f19);
  const auto f18 = v.Le(18);
  if (f18) v.SemMovimentoESoma(18, *f18);
  const auto f20 = v.Le(20);
  const auto f21 = v.Le(21);
  if (f21) {
    if (*f21 != leitura.SomaParcelas)
      GravaNoValor(ex, CodigoST::SomaParcelasDifere, 21, 21, {*f21, leitura.SomaParcelas});
    v.SemMovimentoESoma(21, *f21);
  }

  if (!semMov && v.Soma() == 0) {
    constexpr CampoRegistro marca = CampoDe(CamposCabecalhoST2, "Sem movimento");
    ex.GravaErroST(CodigoST::DeveSerSemMovimento, 0, marca.coluna, marca.Ultima());
  }

  // Balance: credits (fields 14 to 17) against fields 13 and 19. A positive balance is due in
  // field 21, a negative one is carried in field 20; field 18 is what is left of field 13.
  if (f13 && f14 && f15 && f16 && f17 && f18 && f19 && f20 && f21) {
    const double creditos = *f14 + *f15 + *f16 + *f17;
    const double saldo = *f13 + *f19 - creditos;
    const double esperado21 = saldo > 0 ? saldo : 0;
    const double esperado20 = saldo < 0 ? -saldo : 0;
    double esperado18 = 0;
    if (!(saldo < 0) && *f13 - creditos > 0) esperado18 = *f13 - creditos;
    if (*f18 != esperado18)
      GravaNoValor(ex, CodigoST::ValorDoCampoIncorreto, 18, 18, {*f18, esperado18});
    if (*f20 != esperado20)
      GravaNoValor(ex, CodigoST::ValorDoCampoIncorreto, 20, 20, {*f20, esperado20});
    if (*f21 != esperado21)
      GravaNoValor(ex, CodigoST::ValorDoCampoIncorreto, 21, 21, {*f21, esperado21});
  }
}

}  // namespace rolval
