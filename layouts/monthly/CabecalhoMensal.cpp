#include "layouts/monthly/CabecalhoMensal.h"

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

namespace {

// The header's amounts are 15 digits wide.
constexpr int TamanhoValor = 15;

// An amount that enters the sums and the kept amounts: a field that is not numeric counts as 0.
double Parcela(Execucao& ex, std::string_view linha, int coluna) {
  return LeNumerico(ex, linha, coluna, TamanhoValor).value_or(0);
}

// A total that must equal the sum of the amounts before it (checked when it is numeric).
double ConfereTotal(Execucao& ex, std::string_view linha, int coluna, double soma) {
  const std::optional<double> total = LeNumerico(ex, linha, coluna, TamanhoValor);
  if (total && *total != soma)
    ex.GravaErro(CodigoM::ValorIncorreto, coluna, coluna + 14, {*total, soma});
  return total.value_or(0);
}

// An amount that must be explained: when greater than 0, the text that follows it is required.
double ParcelaExplicada(Execucao& ex, std::string_view linha, int coluna, int colunaTexto) {
  const double valor = Parcela(ex, linha, coluna);
  if (valor > 0 && Apara(Campo(linha, colunaTexto, 60)).empty())
    ex.GravaErro(CodigoM::CampoObrigatorioAusente, colunaTexto, colunaTexto + 59);
  return valor;
}

void ConfereSimNao(Execucao& ex, std::string_view marca, int coluna) {
  if (marca != "S" && marca != "N") ex.GravaErro(CodigoM::ConteudoNaoSouN, coluna, coluna);
}

// The identification of the header: mark, version, marker, period, days and registration.
void ConfereIdentificacao(Execucao& ex, std::string_view linha) {
  PrefixoRegistro& reg = ex.RegistroAtual;
  EstadoMensal& m = Mensal(ex);

  if (reg.Marca != "****") ex.GravaErro(CodigoM::MarcaTeleprocessamentoInvalida, 1, 4);

  if (ExigeNumerico(ex, linha, 5, 2)) {
    if (reg.Versao != "04" && reg.Versao != "05")
      ex.GravaErro(CodigoM::VersaoIncorreta, 5, 6);
    else if (reg.Versao != ex.VersaoArquivo)
      // Of the file rather than of one return: the period is left out.
      ex.GravaErro(LocalAchado{reg.Inscricao, "000000", ex.NumLinha}, CodigoM::VersoesDiferentes, 0,
                   5, 6);
  }

  if (reg.Marcador != " " && reg.Marcador != "X")
    ex.GravaErro(CodigoM::ConteudoNaoXouBranco, 15, 15);

  // The reference period, also kept year first; each version covers a window of periods.
  if (ExigeNumerico(ex, linha, 20, 6)) {
    const std::string_view mesAno = reg.MesAnoRef;
    m.ReferenciaAAAAMM.assign(mesAno.substr(2, 4));
    m.ReferenciaAAAAMM.append(mesAno.substr(0, 2));
    if (!ValidaData(linha, 20, DataMMAAAA)) ex.GravaErro(CodigoM::DataInvalida, 20, 25);
    const std::string_view ref = m.ReferenciaAAAAMM;
    const bool naJanela = reg.Versao == "04" ? ref >= "199810" && ref <= "200008" : ref >= "200009";
    if (!naJanela) ex.GravaErro(CodigoM::ReferenciaIncompativelComVersao, 20, 25);
  }

  if (ExigeNumerico(ex, linha, 16, 2) && reg.DiaInicio != "01")
    ex.GravaErro(CodigoM::DiaInicioInvalido, 16, 17);

  // The last day of the period is the last day of the reference month (the period kept above,
  // which is the earlier header's when this one's is not numeric).
  if (ExigeNumerico(ex, linha, 18, 2) && m.ReferenciaAAAAMM.size() == 6) {
    const std::string_view ref = m.ReferenciaAAAAMM;
    const auto mes = static_cast<int>(ValorInteiro(ref.substr(4, 2)));
    const auto ano = static_cast<int>(ValorInteiro(ref.substr(0, 4)));
    if (mes >= 1 && mes <= 12) {
      const int ultimo = DiasDoMes(mes, ano);
      const char esperado[2] = {static_cast<char>('0' + ultimo / 10),
                                static_cast<char>('0' + ultimo % 10)};
      if (reg.DiaFim != std::string_view(esperado, 2))
        ex.GravaErro(CodigoM::DiaTerminoInvalido, 18, 19);
    }
  }

  if (!ExigeNumerico(ex, linha, 26, 10)) return;
  if (ValorInteiro(Campo(linha, 26, 10)) == 0) {
    // A return without a registration is known as registration 0 from here on. Written as
    // assign(1, '0') rather than `= "0"`: GCC 12 at -O3 inlines the assignment of a literal and
    // then wrongly reports overlapping copies (-Wrestrict, GCC bug 105329).
    reg.Inscricao.assign(1, '0');
    ex.GravaErro(CodigoM::CampoObrigatorioAusente, 26, 35);
  } else if (reg.Inscricao[9] != CalculaDigito(reg.Inscricao)) {
    ex.GravaErro(CodigoM::DigitoControleInvalido, 26, 35, DigitoDeclaradoECalculado(reg.Inscricao));
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
  auto parcela = [&](int coluna) { return Parcela(ex, l, coluna); };
  double a = 0;
  double b = 0;

  // The taxpayer's own tax: debits (44-133) and their total.
  k.TotalX01 = parcela(F::TotalX01.coluna);
  a = k.TotalX01;
  a += parcela(59);
  k.TotalX02 = parcela(F::TotalX02.coluna);
  a += k.TotalX02;
  k.TotalX03 = parcela(F::TotalX03.coluna);
  a += k.TotalX03;
  k.TotalX04 = parcela(F::TotalX04.coluna);
  a += k.TotalX04;
  a += ParcelaExplicada(ex, l, 119, 134);
  k.TotalCreditos = ConfereTotal(ex, l, F::TotalCreditos.coluna, a);

  // Credits (209-298) and their total.
  k.TotalX05 = parcela(F::TotalX05.coluna);
  a = k.TotalX05;
  a += parcela(224);
  a += parcela(239);
  k.TotalX06 = parcela(F::TotalX06.coluna);
  a += k.TotalX06;
  a += parcela(269);
  a += ParcelaExplicada(ex, l, 284, 299);
  k.TotalDebitos = ConfereTotal(ex, l, F::TotalDebitos.coluna, a);

  k.MarcaAnexo7 = Campo(l, F::MarcaAnexo7.coluna, 1);
  ConfereSimNao(ex, k.MarcaAnexo7, F::MarcaAnexo7.coluna);

  k.DeducaoProprioA = parcela(F::DeducaoProprioA.coluna);
  k.DeducaoProprioB = parcela(F::DeducaoProprioB.coluna);
  const double deducaoX10 = parcela(F::DeducaoX10.coluna);
  a = deducaoX10;
  r.TotX10a -= deducaoX10;
  const double v420 = parcela(420);
  k.TotalX08 = parcela(F::TotalX08.coluna);
  k.TotalX09 = parcela(F::TotalX09.coluna);
  k.SubstituicaoARecolher = parcela(F::SubstituicaoARecolher.coluna);
  k.ProprioARecolher = parcela(F::ProprioARecolher.coluna);
  k.ProprioForaX10 = parcela(F::ProprioForaX10.coluna);
  b = v420 + k.ProprioForaX10;
  if (k.ProprioForaX10 > k.ProprioARecolher)
    ex.GravaErro(CodigoM::ValorIncorreto, F::ProprioForaX10.coluna, F::ProprioForaX10.Ultima());
  k.ProprioPagoX10 = parcela(F::ProprioPagoX10.coluna);
  a += k.ProprioPagoX10;
  k.AcrescimoProprio = parcela(F::AcrescimoProprio.coluna);
  k.CredorSubstituicao = parcela(F::CredorSubstituicao.coluna);
  k.CredorProprio = parcela(F::CredorProprio.coluna);

  // The totals mark decides whether 570 and 585 carry the sums above or nothing.
  const Fixo<1> marcaTotais = Campo(l, 834, 1);
  ConfereSimNao(ex, marcaTotais, 834);
  const bool totais = marcaTotais == "S";
  for (const auto& [coluna, soma] : {std::pair{570, a}, std::pair{585, b}}) {
    const std::optional<double> valor = LeNumerico(ex, l, coluna, TamanhoValor);
    if (valor && (totais ? *valor != soma : *valor > 0))
      ex.GravaErro(CodigoM::ValorIncorreto, coluna, coluna + 14, {*valor, totais ? soma : 0});
  }

  // Numbers that are only checked for digits.
  for (const auto& [coluna, tamanho] : {std::pair{600, 15}, std::pair{615, 6}, std::pair{621, 15},
                                        std::pair{636, 7}, std::pair{643, 15}, std::pair{658, 15}})
    ExigeNumerico(ex, l, coluna, tamanho);

  // Two sums side by side, A and B, and their totals.
  a = parcela(673);
  b = parcela(688);
  k.Total1X11 = parcela(F::Total1X11.coluna);
  a += k.Total1X11;
  k.Total2X11 = parcela(F::Total2X11.coluna);
  b += k.Total2X11;
  k.Total1X12 = parcela(F::Total1X12.coluna);
  a += k.Total1X12;
  k.Total2X12 = parcela(F::Total2X12.coluna);
  b += k.Total2X12;
  ConfereTotal(ex, l, 763, a);
  ConfereTotal(ex, l, 778, b);

  r.TotX08a += parcela(804);
  r.TotX08b += parcela(819);
}

// The annex line counts the header declares, 841-891; a count that is not numeric leaves
// both counters of its type as they were.
void LeLinhasDeclaradas(Execucao& ex, std::string_view linha) {
  EstadoMensal& m = Mensal(ex);
  for (std::size_t i = 0; i < QtdTiposAnexo; ++i) {
    const int coluna = 841 + 3 * static_cast<int>(i);
    if (!ExigeNumerico(ex, linha, coluna, 3)) continue;
    m.LinhasDeclaradas[i] = static_cast<std::int32_t>(ValorInteiro(Campo(linha, coluna, 3)));
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
