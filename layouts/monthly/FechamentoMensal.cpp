// The checks made when a monthly return is complete. Every finding here names the return being
// closed: its header's registration and period, with the saved line of the record concerned.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "layouts/monthly/CamposMensal.h"
#include "layouts/monthly/EstadoMensal.h"
#include "layouts/monthly/ValidaVersao45.h"

namespace rolval {

namespace {

// Columns of the declared line count of each annex type in the header (841-891, three digits each).
constexpr int ColunaDeclarada(Anexo anexo) { return 841 + 3 * static_cast<int>(anexo); }

// The return being closed at the saved line of one of its annex records, with that record's
// fields.
LocalAchado NoAnexoFechado(const Execucao& ex, std::int32_t linha, Anexo anexo) {
  LocalAchado local = ex.NoRetornoFechado(linha);
  local.tabela = &TabelasAnexosMensais()[static_cast<std::size_t>(anexo)];
  return local;
}

void ConfereLinhas(Execucao& ex, Anexo anexo) {
  EstadoMensal& m = Mensal(ex);
  if (m.Declaradas(anexo) != m.Lidas(anexo)) {
    const int coluna = ColunaDeclarada(anexo);
    ex.GravaErro(ex.NoRetornoFechado(m.LinhaCabecalho), CodigoM::LinhasAnexoInvalidas, 0, coluna,
                 coluna + 2, {m.Declaradas(anexo), m.Lidas(anexo)});
  }
}

// A detail list (X05A or X05B) as the reconciliation searches it: the entry of a CFOP 1-999
// through the list's position table; the entries of CFOP 0 (zero or not numeric) are each their
// own, and only the first of them can match, so it is looked up once.
class ListaDetalhe {
 public:
  ListaDetalhe(const std::vector<EntradaCfop>& lista, const std::vector<std::int32_t>& posicao)
      : lista_(lista), posicao_(posicao) {
    for (const EntradaCfop& entrada : lista_)
      if (entrada.cfop == 0) {
        primeiraSemCfop_ = &entrada;
        break;
      }
  }

  const EntradaCfop* Procura(std::int32_t cfop) const {
    if (cfop == 0) return primeiraSemCfop_;
    if (cfop < 0 || static_cast<std::size_t>(cfop) >= posicao_.size()) return ProcuraNaLista(cfop);
    const std::int32_t onde = posicao_[static_cast<std::size_t>(cfop)];
    return onde > 0 ? &lista_[static_cast<std::size_t>(onde - 1)] : nullptr;
  }

 private:
  const EntradaCfop* ProcuraNaLista(std::int32_t cfop) const {
    for (const EntradaCfop& entrada : lista_)
      if (entrada.cfop == cfop) return &entrada;
    return nullptr;
  }

  const std::vector<EntradaCfop>& lista_;
  const std::vector<std::int32_t>& posicao_;
  const EntradaCfop* primeiraSemCfop_ = nullptr;
};

// An amount of an X05 CFOP must be detailed, to the unit, by the first entry of the same CFOP in
// the X05A (first amount) or X05B (second amount) list.
void ConfereDetalheCfop(Execucao& ex, std::int32_t cfop, double valor,
                        const ListaDetalhe& detalhe) {
  if (!(valor > 0)) return;
  const EntradaCfop* entrada = detalhe.Procura(cfop);
  if (entrada == nullptr || entrada->valor != valor) {
    // Declared: the X05 amount; computed: the detail list's, when it has the CFOP.
    ValoresAchado valores{valor, {}};
    if (entrada != nullptr) valores.calculado = entrada->valor;
    ex.GravaErro(NoAnexoFechado(ex, Mensal(ex).LinhaX05, Anexo::X05), CodigoM::ValorCfopIncorreto,
                 cfop, 999, 999, valores);
  }
}

}  // namespace

void ConfereLinhasAnexos(Execucao& ex) {
  EstadoMensal& m = Mensal(ex);
  ConfereLinhas(ex, Anexo::X01);
  ConfereLinhas(ex, Anexo::X02);
  ConfereLinhas(ex, Anexo::X03);
  ConfereLinhas(ex, Anexo::X03A);
  if (m.Lidas(Anexo::X03A) > 0 && m.Lidas(Anexo::X03) == 0)
    ex.GravaErro(NoAnexoFechado(ex, m.LinhaX03A, Anexo::X03A), CodigoM::X03ASemX03, 0, 0, 0);
  ConfereLinhas(ex, Anexo::X04);
  ConfereLinhas(ex, Anexo::X05);
  ConfereLinhas(ex, Anexo::X05A);
  ConfereLinhas(ex, Anexo::X05B);
  if ((m.Lidas(Anexo::X05A) > 0 || m.Lidas(Anexo::X05B) > 0) && m.Lidas(Anexo::X05) == 0)
    ex.GravaErro(NoAnexoFechado(ex, m.LinhaX05A, Anexo::X05A), CodigoM::X05AouX05BSemX05, 0, 0, 0);
  ConfereLinhas(ex, Anexo::X06);
  ConfereLinhas(ex, Anexo::X07);
  ConfereLinhas(ex, Anexo::X07A);
  ConfereLinhas(ex, Anexo::X07B);
  if ((m.Lidas(Anexo::X07A) > 0 || m.Lidas(Anexo::X07B) > 0) && m.Lidas(Anexo::X07) == 0)
    ex.GravaErro(NoAnexoFechado(ex, m.LinhaX07A, Anexo::X07A), CodigoM::X07AouX07BSemX07, 0, 0, 0);
  ConfereLinhas(ex, Anexo::X08);
  ConfereLinhas(ex, Anexo::X09);
  ConfereLinhas(ex, Anexo::X10);
  ConfereLinhas(ex, Anexo::X11);
  ConfereLinhas(ex, Anexo::X12);
}

void ConfereValores(Execucao& ex) {
  EstadoMensal& m = Mensal(ex);
  const ValoresCabecalho& c = m.cabecalho;
  const RetornoMensal& r = m.retorno;
  const bool anexo7 = c.MarcaAnexo7 == "S";
  const bool semAnexo7 = c.MarcaAnexo7 == "N";
  const LocalAchado cabecalho = ex.NoRetornoFechado(m.LinhaCabecalho);

  // Header totals against the sums of their annexes.
  if (m.Lidas(Anexo::X01) > 0 && c.v44 != r.TotX01)
    ex.GravaErro(cabecalho, CodigoM::TotalDaReferenciaIncorreto, 0, 44, 58, {c.v44, r.TotX01});
  if (c.v74 != r.TotX02)
    ex.GravaErro(cabecalho, CodigoM::TotalDaReferenciaIncorreto, 0, 74, 88, {c.v74, r.TotX02});
  if (c.v89 != r.TotX03)
    ex.GravaErro(cabecalho, CodigoM::TotalDaReferenciaIncorreto, 0, 89, 103, {c.v89, r.TotX03});
  if (c.v104 != r.TotX04)
    ex.GravaErro(cabecalho, CodigoM::TotalDaReferenciaIncorreto, 0, 104, 118, {c.v104, r.TotX04});
  if (m.Lidas(Anexo::X05) > 0 && c.v209 != r.TotX05)
    ex.GravaErro(cabecalho, CodigoM::TotalDaReferenciaIncorreto, 0, 209, 223, {c.v209, r.TotX05});
  if (c.v254 != r.TotX06)
    ex.GravaErro(cabecalho, CodigoM::TotalDaReferenciaIncorreto, 0, 254, 268, {c.v254, r.TotX06});

  // The X07 mark: one X07 when it says so, at most one of each kind when it does not.
  if (anexo7 && m.Lidas(Anexo::X07) != 1)
    ex.GravaErro(cabecalho, CodigoM::MaisDeUmAnexo7, 0, 374, 374, {1, m.Lidas(Anexo::X07)});
  if (semAnexo7 &&
      (m.Lidas(Anexo::X07) > 1 || m.Lidas(Anexo::X07A) > 1 || m.Lidas(Anexo::X07B) > 1))
    ex.GravaErro(cabecalho, CodigoM::Anexo7ComAnexos7Ae7B, 0, 374, 374);

  // Sums of two totals are held in a double before they are compared.
  const double somaX08 = r.TotX08a + r.TotX08b;
  if (somaX08 != c.v435)
    ex.GravaErro(cabecalho, CodigoM::TotalDaReferenciaIncorreto, 0, 435, 449, {c.v435, somaX08});
  const double somaX09 = r.TotX09b + r.TotX09a;
  if (somaX09 != c.v450)
    ex.GravaErro(cabecalho, CodigoM::TotalDaReferenciaIncorreto, 0, 450, 464, {c.v450, somaX09});

  // The balances of the substitution tax and of the taxpayer's own tax, left to right.
  const double saldoSubstituicao = r.X07Total2 - r.TotX09b - r.X07Total1 - r.TotX08b;
  const double saldoProprio = c.v359 - r.TotX09a - c.v194 - r.TotX08a - c.v375 - c.v390 + c.v525;

  if (c.v465 != r.TotX10b)
    ex.GravaErro(cabecalho, CodigoM::TotalDaReferenciaIncorreto, 0, 465, 479, {c.v465, r.TotX10b});
  // A positive balance is the tax due, a negative one the credit carried over.
  const double devidoSubstituicao = saldoSubstituicao > 0 ? saldoSubstituicao : 0;
  const double creditoSubstituicao = saldoSubstituicao > 0 ? 0 : -saldoSubstituicao;
  const double devidoProprio = saldoProprio >= 0 ? saldoProprio : 0;
  const double creditoProprio = saldoProprio >= 0 ? 0 : -saldoProprio;
  if (c.v465 != devidoSubstituicao)
    ex.GravaErro(cabecalho, CodigoM::IcmsSubstituicaoIncorreto, 0, 465, 479,
                 {c.v465, devidoSubstituicao});
  if (c.v480 != devidoProprio)
    ex.GravaErro(cabecalho, CodigoM::IcmsProprioIncorreto, 0, 480, 494, {c.v480, devidoProprio});
  const double aRecolher = c.v480 - c.v495;
  if (aRecolher != c.v510 || c.v510 != r.TotX10a)
    ex.GravaErro(cabecalho, CodigoM::TotalDaReferenciaIncorreto, 0, 510, 524,
                 {c.v510, aRecolher != c.v510 ? aRecolher : r.TotX10a});
  if (c.v540 != creditoSubstituicao)
    ex.GravaErro(cabecalho, CodigoM::IcmsSubstituicaoIncorreto, 0, 540, 554,
                 {c.v540, creditoSubstituicao});
  if (c.v555 != creditoProprio)
    ex.GravaErro(cabecalho, CodigoM::IcmsProprioIncorreto, 0, 555, 569, {c.v555, creditoProprio});
  // Without annex 7 there is no substitution tax at all.
  if (c.v465 > 0 && semAnexo7)
    ex.GravaErro(cabecalho, CodigoM::IcmsSubstituicaoIncorreto, 0, 465, 479, {c.v465, 0});
  if (c.v540 > 0 && semAnexo7)
    ex.GravaErro(cabecalho, CodigoM::IcmsSubstituicaoIncorreto, 0, 540, 554, {c.v540, 0});

  if (m.Lidas(Anexo::X11) > 0) {
    if (c.v703 != r.TotX11a)
      ex.GravaErro(cabecalho, CodigoM::TotalDaReferenciaIncorreto, 0, 703, 717,
                   {c.v703, r.TotX11a});
    if (c.v718 != r.TotX11b)
      ex.GravaErro(cabecalho, CodigoM::TotalDaReferenciaIncorreto, 0, 718, 732,
                   {c.v718, r.TotX11b});
  }
  if (m.Lidas(Anexo::X12) > 0) {
    if (c.v733 != r.TotX12a)
      ex.GravaErro(cabecalho, CodigoM::TotalDaReferenciaIncorreto, 0, 733, 747,
                   {c.v733, r.TotX12a});
    if (c.v748 != r.TotX12b)
      ex.GravaErro(cabecalho, CodigoM::TotalDaReferenciaIncorreto, 0, 748, 762,
                   {c.v748, r.TotX12b});
  }

  // Every X05 CFOP amount detailed by X05A and X05B, in the order the CFOPs first appeared.
  const ListaDetalhe detalheA(r.CfopX05A, r.PosicaoCfopX05A);
  const ListaDetalhe detalheB(r.CfopX05B, r.PosicaoCfopX05B);
  for (const EntradaCfopX05& entrada : r.CfopX05) {
    ConfereDetalheCfop(ex, entrada.cfop, entrada.valor1, detalheA);
    ConfereDetalheCfop(ex, entrada.cfop, entrada.valor2, detalheB);
  }

  const LocalAchado x07 = NoAnexoFechado(ex, m.LinhaX07, Anexo::X07);
  if (r.TotX07A != r.X07Valor1)
    ex.GravaErro(x07, CodigoM::SomaX07Incorreta, 0, 46, 58, {r.X07Valor1, r.TotX07A});
  if (r.TotX07B != r.X07Valor2)
    ex.GravaErro(x07, CodigoM::SomaX07Incorreta, 0, 145, 157, {r.X07Valor2, r.TotX07B});
}

void FechaUltimoRetornoMensal(Execucao& ex) {
  // The closing follows the version of the last record read, not the file's.
  if (ex.RegistroAtual.Versao != "05" && ex.RegistroAtual.Versao != "04") return;
  bool algumAnexo = false;
  for (const std::int32_t lidas : Mensal(ex).LinhasLidas) algumAnexo = algumAnexo || lidas > 0;
  if (algumAnexo) ConfereLinhasAnexos(ex);
  ConfereValores(ex);
}

}  // namespace rolval
