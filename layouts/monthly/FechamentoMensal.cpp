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

namespace F = campo_cabecalho;

// A finding of the return being closed at one of its header's fields.
void GravaNoCabecalho(Execucao& ex, const LocalAchado& cabecalho, CodigoM codigo,
                      const CampoRegistro& campo, const ValoresAchado& valores = {}) {
  ex.GravaErro(cabecalho, codigo, 0, campo.coluna, campo.Ultima(), valores);
}

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
    GravaNoCabecalho(ex, ex.NoRetornoFechado(m.LinhaCabecalho), CodigoM::LinhasAnexoInvalidas,
                     CampoLinhasDeclaradas(static_cast<std::size_t>(anexo)),
                     {m.Declaradas(anexo), m.Lidas(anexo)});
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
  if (m.Lidas(Anexo::X01) > 0 && c.TotalX01 != r.TotX01)
    GravaNoCabecalho(ex, cabecalho, CodigoM::TotalDaReferenciaIncorreto, F::TotalX01,
                     {c.TotalX01, r.TotX01});
  if (c.TotalX02 != r.TotX02)
    GravaNoCabecalho(ex, cabecalho, CodigoM::TotalDaReferenciaIncorreto, F::TotalX02,
                     {c.TotalX02, r.TotX02});
  if (c.TotalX03 != r.TotX03)
    GravaNoCabecalho(ex, cabecalho, CodigoM::TotalDaReferenciaIncorreto, F::TotalX03,
                     {c.TotalX03, r.TotX03});
  if (c.TotalX04 != r.TotX04)
    GravaNoCabecalho(ex, cabecalho, CodigoM::TotalDaReferenciaIncorreto, F::TotalX04,
                     {c.TotalX04, r.TotX04});
  if (m.Lidas(Anexo::X05) > 0 && c.TotalX05 != r.TotX05)
    GravaNoCabecalho(ex, cabecalho, CodigoM::TotalDaReferenciaIncorreto, F::TotalX05,
                     {c.TotalX05, r.TotX05});
  if (c.TotalX06 != r.TotX06)
    GravaNoCabecalho(ex, cabecalho, CodigoM::TotalDaReferenciaIncorreto, F::TotalX06,
                     {c.TotalX06, r.TotX06});

  // The X07 mark: one X07 when it says so, at most one of each kind when it does not.
  if (anexo7 && m.Lidas(Anexo::X07) != 1)
    GravaNoCabecalho(ex, cabecalho, CodigoM::MaisDeUmAnexo7, F::MarcaAnexo7,
                     {1, m.Lidas(Anexo::X07)});
  if (semAnexo7 &&
      (m.Lidas(Anexo::X07) > 1 || m.Lidas(Anexo::X07A) > 1 || m.Lidas(Anexo::X07B) > 1))
    GravaNoCabecalho(ex, cabecalho, CodigoM::Anexo7ComAnexos7Ae7B, F::MarcaAnexo7);

  // Sums of two totals are held in a double before they are compared.
  const double somaX08 = r.TotX08a + r.TotX08b;
  if (somaX08 != c.TotalX08)
    GravaNoCabecalho(ex, cabecalho, CodigoM::TotalDaReferenciaIncorreto, F::TotalX08,
                     {c.TotalX08, somaX08});
  const double somaX09 = r.TotX09b + r.TotX09a;
  if (somaX09 != c.TotalX09)
    GravaNoCabecalho(ex, cabecalho, CodigoM::TotalDaReferenciaIncorreto, F::TotalX09,
                     {c.TotalX09, somaX09});

  // The balances of the substitution tax and of the taxpayer's own tax, left to right.
  const double saldoSubstituicao = r.X07Total2 - r.TotX09b - r.X07Total1 - r.TotX08b;
  const double saldoProprio = c.TotalDebitos - r.TotX09a - c.TotalCreditos - r.TotX08a -
                              c.DeducaoProprioA - c.DeducaoProprioB + c.AcrescimoProprio;

  if (c.SubstituicaoARecolher != r.TotX10b)
    GravaNoCabecalho(ex, cabecalho, CodigoM::TotalDaReferenciaIncorreto, F::SubstituicaoARecolher,
                     {c.SubstituicaoARecolher, r.TotX10b});
  // A positive balance is the tax due, a negative one the credit carried over.
  const double devidoSubstituicao = saldoSubstituicao > 0 ? saldoSubstituicao : 0;
  const double creditoSubstituicao = saldoSubstituicao > 0 ? 0 : -saldoSubstituicao;
  const double devidoProprio = saldoProprio >= 0 ? saldoProprio : 0;
  const double creditoProprio = saldoProprio >= 0 ? 0 : -saldoProprio;
  if (c.SubstituicaoARecolher != devidoSubstituicao)
    GravaNoCabecalho(ex, cabecalho, CodigoM::IcmsSubstituicaoIncorreto, F::SubstituicaoARecolher,
                     {c.SubstituicaoARecolher, devidoSubstituicao});
  if (c.ProprioARecolher != devidoProprio)
    GravaNoCabecalho(ex, cabecalho, CodigoM::IcmsProprioIncorreto, F::ProprioARecolher,
                     {c.ProprioARecolher, devidoProprio});
  const double aRecolher = c.ProprioARecolher - c.ProprioForaX10;
  if (aRecolher != c.ProprioPagoX10 || c.ProprioPagoX10 != r.TotX10a)
    GravaNoCabecalho(ex, cabecalho, CodigoM::TotalDaReferenciaIncorreto, F::ProprioPagoX10,
                     {c.ProprioPagoX10, aRecolher != c.ProprioPagoX10 ? aRecolher : r.TotX10a});
  if (c.CredorSubstituicao != creditoSubstituicao)
    GravaNoCabecalho(ex, cabecalho, CodigoM::IcmsSubstituicaoIncorreto, F::CredorSubstituicao,
                     {c.CredorSubstituicao, creditoSubstituicao});
  if (c.CredorProprio != creditoProprio)
    GravaNoCabecalho(ex, cabecalho, CodigoM::IcmsProprioIncorreto, F::CredorProprio,
                     {c.CredorProprio, creditoProprio});
  // Without annex 7 there is no substitution tax at all.
  if (c.SubstituicaoARecolher > 0 && semAnexo7)
    GravaNoCabecalho(ex, cabecalho, CodigoM::IcmsSubstituicaoIncorreto, F::SubstituicaoARecolher,
                     {c.SubstituicaoARecolher, 0});
  if (c.CredorSubstituicao > 0 && semAnexo7)
    GravaNoCabecalho(ex, cabecalho, CodigoM::IcmsSubstituicaoIncorreto, F::CredorSubstituicao,
                     {c.CredorSubstituicao, 0});

  if (m.Lidas(Anexo::X11) > 0) {
    if (c.Total1X11 != r.TotX11a)
      GravaNoCabecalho(ex, cabecalho, CodigoM::TotalDaReferenciaIncorreto, F::Total1X11,
                       {c.Total1X11, r.TotX11a});
    if (c.Total2X11 != r.TotX11b)
      GravaNoCabecalho(ex, cabecalho, CodigoM::TotalDaReferenciaIncorreto, F::Total2X11,
                       {c.Total2X11, r.TotX11b});
  }
  if (m.Lidas(Anexo::X12) > 0) {
    if (c.Total1X12 != r.TotX12a)
      GravaNoCabecalho(ex, cabecalho, CodigoM::TotalDaReferenciaIncorreto, F::Total1X12,
                       {c.Total1X12, r.TotX12a});
    if (c.Total2X12 != r.TotX12b)
      GravaNoCabecalho(ex, cabecalho, CodigoM::TotalDaReferenciaIncorreto, F::Total2X12,
                       {c.Total2X12, r.TotX12b});
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
