#include "layouts/monthly/CabecalhoMensal.h"

#include <array>
#include <cstdint>
#include <optional>

#include "checks/CampoNumerico.h"
#include "checks/Datas.h"
#include "checks/Numeros.h"
#include "layouts/monthly/CamposMensal.h"
#include "layouts/monthly/EstadoMensal.h"
#include "layouts/monthly/ValidaVersao45.h"
#include "run/Formatos.h"

namespace rolval {

namespace F = campo_cabecalho;
namespace P = campo_prefixo;

namespace {

// The header's fields that only its own checks read.
constexpr const auto& C = CamposCabecalhoMensal;
constexpr CampoRegistro Credito59 = CampoDe(C, "Crédito (col. 59)");
constexpr CampoRegistro OutrosCreditos = CampoDe(C, "Outros créditos");
constexpr CampoRegistro DescricaoCreditos = CampoDe(C, "Descrição de outros créditos");
constexpr CampoRegistro Debito224 = CampoDe(C, "Débito (col. 224)");
constexpr CampoRegistro Debito239 = CampoDe(C, "Débito (col. 239)");
constexpr CampoRegistro Debito269 = CampoDe(C, "Débito (col. 269)");
constexpr CampoRegistro OutrosDebitos = CampoDe(C, "Outros débitos");
constexpr CampoRegistro DescricaoDebitos = CampoDe(C, "Descrição de outros débitos");
constexpr CampoRegistro Valor420 = CampoDe(C, "Valor (col. 420)");
constexpr CampoRegistro Soma405e510 = CampoDe(C, "Soma dos valores 405 e 510");
constexpr CampoRegistro Soma420e495 = CampoDe(C, "Soma dos valores 420 e 495");
constexpr std::array<CampoRegistro, 6> SoNumeros = {
    CampoDe(C, "Número (col. 600)"), CampoDe(C, "Número (col. 615)"),
    CampoDe(C, "Número (col. 621)"), CampoDe(C, "Número (col. 636)"),
    CampoDe(C, "Número (col. 643)"), CampoDe(C, "Número (col. 658)")};
constexpr CampoRegistro Parcela673 = CampoDe(C, "Parcela da soma 763 (col. 673)");
constexpr CampoRegistro Parcela688 = CampoDe(C, "Parcela da soma 778 (col. 688)");
constexpr CampoRegistro Soma763 = CampoDe(C, "Soma dos valores 673, 703 e 733");
constexpr CampoRegistro Soma778 = CampoDe(C, "Soma dos valores 688, 718 e 748");
constexpr CampoRegistro AcrescimoX08a = CampoDe(C, "Acréscimo ao total 1 do anexo X08");
constexpr CampoRegistro AcrescimoX08b = CampoDe(C, "Acréscimo ao total 2 do anexo X08");
constexpr CampoRegistro MarcaTotais = CampoDe(C, "Marca dos totais 570 e 585");

// An amount that enters the sums and the kept amounts: a field that is not numeric counts as 0.
double Parcela(Execucao& ex, std::string_view linha, const CampoRegistro& campo) {
  return LeNumerico(ex, linha, campo.coluna, campo.tamanho).value_or(0);
}

// A total that must equal the sum of the amounts before it (checked when it is numeric).
double ConfereTotal(Execucao& ex, std::string_view linha, const CampoRegistro& campo, double soma) {
  const std::optional<double> total = LeNumerico(ex, linha, campo.coluna, campo.tamanho);
  if (total && *total != soma)
    GravaErroNoCampo(ex, CodigoM::ValorIncorreto, campo, 0, {*total, soma});
  return total.value_or(0);
}

// An amount that must be explained: when greater than 0, the text that follows it is required.
double ParcelaExplicada(Execucao& ex, std::string_view linha, const CampoRegistro& campo,
                        const CampoRegistro& texto) {
  const double valor = Parcela(ex, linha, campo);
  if (valor > 0 && Apara(Campo(linha, texto)).empty())
    GravaErroNoCampo(ex, CodigoM::CampoObrigatorioAusente, texto);
  return valor;
}

void ConfereSimNao(Execucao& ex, std::string_view marca, const CampoRegistro& campo) {
  if (marca != "S" && marca != "N") GravaErroNoCampo(ex, CodigoM::ConteudoNaoSouN, campo);
}

// The identification of the header: mark, version, marker, period, days and registration.
void ConfereIdentificacao(Execucao& ex, std::string_view linha) {
  PrefixoRegistro& reg = ex.RegistroAtual;
  EstadoMensal& m = Mensal(ex);

  if (reg.Marca != "****") GravaErroNoCampo(ex, CodigoM::MarcaTeleprocessamentoInvalida, P::Marca);

  if (ExigeNumerico(ex, linha, P::Versao)) {
    if (reg.Versao != "04" && reg.Versao != "05")
      GravaErroNoCampo(ex, CodigoM::VersaoIncorreta, P::Versao);
    else if (reg.Versao != ex.VersaoArquivo)
      // Of the file rather than of one return: the period is left out.
      ex.GravaErro(LocalAchado{reg.Inscricao, "000000", ex.NumLinha}, CodigoM::VersoesDiferentes, 0,
                   P::Versao.coluna, P::Versao.Ultima());
  }

  if (reg.Marcador != " " && reg.Marcador != "X")
    GravaErroNoCampo(ex, CodigoM::ConteudoNaoXouBranco, P::Marcador);

  // The reference period, also kept year first; each version covers a window of periods.
  if (ExigeNumerico(ex, linha, P::Referencia)) {
    const std::string_view mesAno = reg.MesAnoRef;
    m.ReferenciaAAAAMM.assign(mesAno.substr(2, 4));
    m.ReferenciaAAAAMM.append(mesAno.substr(0, 2));
    if (!ValidaData(linha, P::Referencia.coluna, DataMMAAAA))
      GravaErroNoCampo(ex, CodigoM::DataInvalida, P::Referencia);
    const std::string_view ref = m.ReferenciaAAAAMM;
    const bool naJanela = reg.Versao == "04" ? ref >= "199810" && ref <= "200008" : ref >= "200009";
    if (!naJanela) GravaErroNoCampo(ex, CodigoM::ReferenciaIncompativelComVersao, P::Referencia);
  }

  if (ExigeNumerico(ex, linha, P::DiaInicio) && reg.DiaInicio != "01")
    GravaErroNoCampo(ex, CodigoM::DiaInicioInvalido, P::DiaInicio);

  // The last day of the period is the last day of the reference month (the period kept above,
  // which is the earlier header's when this one's is not numeric).
  if (ExigeNumerico(ex, linha, P::DiaFim) && m.ReferenciaAAAAMM.size() == 6) {
    const std::string_view ref = m.ReferenciaAAAAMM;
    const auto mes = static_cast<int>(ValorInteiro(ref.substr(4, 2)));
    const auto ano = static_cast<int>(ValorInteiro(ref.substr(0, 4)));
    if (mes >= 1 && mes <= 12) {
      const int ultimo = DiasDoMes(mes, ano);
      const char esperado[2] = {static_cast<char>('0' + ultimo / 10),
                                static_cast<char>('0' + ultimo % 10)};
      if (reg.DiaFim != std::string_view(esperado, 2))
        GravaErroNoCampo(ex, CodigoM::DiaTerminoInvalido, P::DiaFim);
    }
  }

  if (!ExigeNumerico(ex, linha, P::Inscricao)) return;
  if (ValorInteiro(Campo(linha, P::Inscricao)) == 0) {
    // A return without a registration is known as registration 0 from here on. Written as
    // assign(1, '0') rather than `= "0"`: GCC 12 at -O3 inlines the assignment of a literal and
    // then wrongly reports overlapping copies (-Wrestrict, GCC bug 105329).
    reg.Inscricao.assign(1, '0');
    GravaErroNoCampo(ex, CodigoM::CampoObrigatorioAusente, P::Inscricao);
  } else if (reg.Inscricao[9] != CalculaDigito(reg.Inscricao)) {
    GravaErroNoCampo(ex, CodigoM::DigitoControleInvalido, P::Inscricao, 0,
                     DigitoDeclaradoECalculado(reg.Inscricao));
  }
}

// The new return enters the list of returns and becomes the header of the records
// that follow.
void AbreRetorno(Execucao& ex) {
  const PrefixoRegistro& reg = ex.RegistroAtual;
  std::string& entrada = Mensal(ex).EntradaLista;
  entrada.clear();
  AcrescentaInscricaoMascarada(entrada, reg.Inscricao);
  entrada.append("    ");
  AcrescentaPeriodoMascarado(entrada, reg.MesAnoRef);
  entrada.append("  ");
  ex.AcrescentaListaROLs(entrada);
  ++ex.QtdROLs;

  PrefixoRegistro& cab = ex.CabecalhoROL;
  cab.Marca = reg.Marca;
  cab.Versao = reg.Versao;
  cab.Complemento = reg.Complemento;
  cab.Marcador = reg.Marcador;
  cab.DiaInicio = reg.DiaInicio;
  cab.DiaFim = reg.DiaFim;
  cab.MesAnoRef = reg.MesAnoRef;
  cab.Inscricao = reg.Inscricao;
}

// The amounts of the header in the order they are checked: columns 44 to 555, the totals
// mark at 834, then 570 to 778, then 804 and 819. A and B are the running sums.
void ConfereValoresCabecalho(Execucao& ex, std::string_view l) {
  ValoresCabecalho& k = Mensal(ex).cabecalho;
  RetornoMensal& r = Mensal(ex).retorno;
  auto parcela = [&](const CampoRegistro& campo) { return Parcela(ex, l, campo); };
  double a = 0;
  double b = 0;

  // The taxpayer's own tax: debits (44-133) and their total.
  k.TotalX01 = parcela(F::TotalX01);
  a = k.TotalX01;
  a += parcela(Credito59);
  k.TotalX02 = parcela(F::TotalX02);
  a += k.TotalX02;
  k.TotalX03 = parcela(F::TotalX03);
  a += k.TotalX03;
  k.TotalX04 = parcela(F::TotalX04);
  a += k.TotalX04;
  a += ParcelaExplicada(ex, l, OutrosCreditos, DescricaoCreditos);
  k.TotalCreditos = ConfereTotal(ex, l, F::TotalCreditos, a);

  // Credits (209-298) and their total.
  k.TotalX05 = parcela(F::TotalX05);
  a = k.TotalX05;
  a += parcela(Debito224);
  a += parcela(Debito239);
  k.TotalX06 = parcela(F::TotalX06);
  a += k.TotalX06;
  a += parcela(Debito269);
  a += ParcelaExplicada(ex, l, OutrosDebitos, DescricaoDebitos);
  k.TotalDebitos = ConfereTotal(ex, l, F::TotalDebitos, a);

  k.MarcaAnexo7 = Campo(l, F::MarcaAnexo7);
  ConfereSimNao(ex, k.MarcaAnexo7, F::MarcaAnexo7);

  k.DeducaoProprioA = parcela(F::DeducaoProprioA);
  k.DeducaoProprioB = parcela(F::DeducaoProprioB);
  const double deducaoX10 = parcela(F::DeducaoX10);
  a = deducaoX10;
  r.TotX10a -= deducaoX10;
  const double v420 = parcela(Valor420);
  k.TotalX08 = parcela(F::TotalX08);
  k.TotalX09 = parcela(F::TotalX09);
  k.SubstituicaoARecolher = parcela(F::SubstituicaoARecolher);
  k.ProprioARecolher = parcela(F::ProprioARecolher);
  k.ProprioForaX10 = parcela(F::ProprioForaX10);
  b = v420 + k.ProprioForaX10;
  if (k.ProprioForaX10 > k.ProprioARecolher)
    GravaErroNoCampo(ex, CodigoM::ValorIncorreto, F::ProprioForaX10);
  k.ProprioPagoX10 = parcela(F::ProprioPagoX10);
  a += k.ProprioPagoX10;
  k.AcrescimoProprio = parcela(F::AcrescimoProprio);
  k.CredorSubstituicao = parcela(F::CredorSubstituicao);
  k.CredorProprio = parcela(F::CredorProprio);

  // The totals mark decides whether 570 and 585 carry the sums above or nothing.
  const Fixo<1> marcaTotais = Campo(l, MarcaTotais);
  ConfereSimNao(ex, marcaTotais, MarcaTotais);
  const bool totais = marcaTotais == "S";
  for (const auto& [campo, soma] : {std::pair{&Soma405e510, a}, std::pair{&Soma420e495, b}}) {
    const std::optional<double> valor = LeNumerico(ex, l, campo->coluna, campo->tamanho);
    if (valor && (totais ? *valor != soma : *valor > 0))
      GravaErroNoCampo(ex, CodigoM::ValorIncorreto, *campo, 0, {*valor, totais ? soma : 0});
  }

  // Numbers that are only checked for digits.
  for (const CampoRegistro& campo : SoNumeros) ExigeNumerico(ex, l, campo);

  // Two sums side by side, A and B, and their totals.
  a = parcela(Parcela673);
  b = parcela(Parcela688);
  k.Total1X11 = parcela(F::Total1X11);
  a += k.Total1X11;
  k.Total2X11 = parcela(F::Total2X11);
  b += k.Total2X11;
  k.Total1X12 = parcela(F::Total1X12);
  a += k.Total1X12;
  k.Total2X12 = parcela(F::Total2X12);
  b += k.Total2X12;
  ConfereTotal(ex, l, Soma763, a);
  ConfereTotal(ex, l, Soma778, b);

  r.TotX08a += parcela(AcrescimoX08a);
  r.TotX08b += parcela(AcrescimoX08b);
}

// The annex line counts the header declares, 841-891; a count that is not numeric leaves
// both counters of its type as they were.
void LeLinhasDeclaradas(Execucao& ex, std::string_view linha) {
  EstadoMensal& m = Mensal(ex);
  for (std::size_t i = 0; i < QtdTiposAnexo; ++i) {
    const CampoRegistro& campo = C[campos_mensal::PrimeiraLinhaDeclarada + i];
    if (!ExigeNumerico(ex, linha, campo)) continue;
    m.LinhasDeclaradas[i] = static_cast<std::int32_t>(ValorInteiro(Campo(linha, campo)));
    m.LinhasLidas[i] = 0;
  }
}

}  // namespace

void ValidaCabecalhoMensal(Execucao& ex, std::string_view linha) {
  ex.MostraContribuinte(FormataInscricao(ex.RegistroAtual.Inscricao));
  // The return before this one is closed before anything of the new header is kept.
  if (!ex.CabecalhoROL.Inscricao.empty()) ConfereValores(ex);
  Mensal(ex).retorno = RetornoMensal{};
  ConfereIdentificacao(ex, linha);
  AbreRetorno(ex);
  ConfereValoresCabecalho(ex, linha);
  Mensal(ex).LinhaCabecalho = ex.NumLinha;
  LeLinhasDeclaradas(ex, linha);
}

}  // namespace rolval
