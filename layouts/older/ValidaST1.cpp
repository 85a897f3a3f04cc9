#include "layouts/older/ValidaST1.h"

#include <array>
#include <cstdint>
#include <optional>

#include "checks/Cadastros.h"
#include "checks/CampoNumerico.h"
#include "checks/Datas.h"
#include "checks/Numeros.h"
#include "layouts/older/CamposAntigos.h"
#include "layouts/older/RetornoAntigo.h"

namespace rolval {

namespace {

constexpr CampoRegistro Leiaute = CampoDe(CamposST01, "Identificação do leiaute");
constexpr CampoRegistro Marcador = CampoDe(CamposST01, "Marcador");
constexpr CampoRegistro Periodo = CampoDe(CamposST01, 4);
constexpr CampoRegistro Inscricao = CampoDe(CamposST01, 5);
constexpr CampoRegistro CNPJ = CampoDe(CamposST01, 23);
constexpr CampoRegistro SemMovimento = CampoDe(CamposST01, "Sem movimento");
constexpr CampoRegistro Vencimento = CampoDe(CamposST01, "Vencimento da parcela");
constexpr CampoRegistro ValorParcela = CampoDe(CamposST01, "Valor da parcela");
constexpr CampoRegistro NomeEmpresa = CampoDe(CamposST01, 24);
constexpr CampoRegistro CPF = CampoDe(CamposST01, 25);
constexpr CampoRegistro NomeResponsavel = CampoDe(CamposST01, 26);
constexpr CampoRegistro Numero453 = CampoDe(CamposST01, "Número (col. 453)");
constexpr CampoRegistro Numero457 = CampoDe(CamposST01, "Número (col. 457)");
constexpr CampoRegistro NomeSignatario = CampoDe(CamposST01, "Nome do signatário");
constexpr CampoRegistro DataAssinatura = CampoDe(CamposST01, "Data da assinatura");
constexpr CampoRegistro Numero503 = CampoDe(CamposST01, "Número (col. 503)");
constexpr CampoRegistro Numero507 = CampoDe(CamposST01, "Número (col. 507)");

// Field 4 is three parts: the first day (DD), the last day (DD) and the reference month (MMAAAA).
constexpr int ColunaDiaInicio = Periodo.coluna;
constexpr int ColunaDiaFim = Periodo.coluna + 2;
constexpr int ColunaMesAnoRef = Periodo.coluna + 4;
static_assert(ColunaMesAnoRef + 6 == Periodo.coluna + Periodo.tamanho);

// Amount fields 6 to 17 by number, from the table.
constexpr auto CamposValores = []() consteval {
  std::array<CampoRegistro, 18> campos{};
  for (int campo = 6; campo <= 17; ++campo)
    campos[static_cast<std::size_t>(campo)] = CampoDe(CamposST01, campo);
  return campos;
}
();
constexpr const CampoRegistro& CampoValor(int campo) {
  return CamposValores[static_cast<std::size_t>(campo)];
}
// Every amount field has the same length, so that the numeric reading is the fixed-length one.
constexpr int TamanhoValor = CamposValores[6].tamanho;
static_assert([] {
  for (int campo = 6; campo <= 17; ++campo)
    if (CampoValor(campo).tamanho != TamanhoValor) return false;
  return true;
}());

// Reference periods a layout ST 01 return may carry (AAAAMM): May 1999 to June 2000.
constexpr std::int32_t PrimeiraReferencia = 199905;
constexpr std::int32_t UltimaReferencia = 200006;

// A date DDMMAAAA of digits as the number AAAAMMDD (0 for the all-zero date).
std::int64_t DataOrdenavel(std::string_view ddmmaaaa) {
  return ValorInteiro(ddmmaaaa.substr(4, 4)) * 10000 + ValorInteiro(ddmmaaaa.substr(2, 2)) * 100 +
         ValorInteiro(ddmmaaaa.substr(0, 2));
}

// The period of the return (field 4, columns 7-16): first day, last day and reference month.
// Gives the reference AAAAMM, or 0 when the period is not accepted.
std::int32_t ConferePeriodo(Execucao& ex, std::string_view linha) {
  // Every finding of the period names the whole field 4.
  constexpr int inicio = Periodo.coluna, fim = Periodo.Ultima();
  if (!ExigeNumerico(ex, linha, Periodo)) return 0;
  // The last day followed by the reference month makes a date DDMMAAAA.
  if (!ValidaData(linha, ColunaDiaFim, DataDDMMAAAA)) {
    ex.GravaErro(CodigoM::DataInvalida, inicio, fim);
    return 0;
  }
  const std::string_view diaInicio = Campo(linha, ColunaDiaInicio, 2);
  const std::string_view diaFim = Campo(linha, ColunaDiaFim, 2);
  if (diaInicio == "00" || !(diaInicio < diaFim)) {
    ex.GravaErro(CodigoM::DataInvalida, inicio, fim);
    return 0;
  }
  const std::string_view periodo = Campo(linha, ColunaMesAnoRef, 6);
  const auto mes = static_cast<std::int32_t>(ValorInteiro(periodo.substr(0, 2)));
  const auto ano = static_cast<std::int32_t>(ValorInteiro(periodo.substr(2, 4)));
  const std::int32_t r = ano * 100 + mes;
  if (r < PrimeiraReferencia)
    ex.GravaErroST(CodigoST::PeriodoAte041999, Periodo.numero, inicio, fim);
  else if (r > UltimaReferencia)
    ex.GravaErroST(CodigoST::PeriodoApos062000, Periodo.numero, inicio, fim);
  if (diaInicio != "01") ex.GravaErro(CodigoM::DiaInicioInvalido, inicio, fim);
  // The period must run to the last day of its month.
  if (ValorInteiro(diaFim) != DiasDoMes(mes, ano))
    ex.GravaErro(CodigoM::DiaTerminoInvalido, inicio, fim);
  return r;
}

// The registration number (field 5) and the federal number of the declarant (field 23).
void ConfereInscricoes(Execucao& ex, std::string_view linha) {
  if (ExigeNumerico(ex, linha, Inscricao)) {
    const std::string_view inscricao = Campo(linha, Inscricao);
    if (ValorNumerico(inscricao) == 0)
      GravaErroNoCampoST(ex, CodigoST::CampoNaoInformado, Inscricao);
    else if (inscricao.back() != CalculaDigito(inscricao))
      GravaErroNoCampoST(ex, CodigoST::DigitoDoCampoIncorreto, Inscricao,
                         DigitoDeclaradoECalculado(inscricao));
  }
  ConfereNumeroFederalST(ex, linha, CNPJ);
}

// Amount field `campo`; inlined, so that its column is a constant where the field is.
ROLVAL_EM_LINHA inline std::optional<double> LeCampo(Execucao& ex, std::string_view linha,
                                                     int campo) {
  return LeNumerico(ex, linha, CampoValor(campo).coluna, TamanhoValor);
}

// The amounts, fields 6 to 17 (10 before 9), and the no-movement mark of column 41.
// Gives field 17, the amount the installments must add up to.
double ConfereValores(Execucao& ex, std::string_view linha) {
  const double v6 = LeCampo(ex, linha, 6).value_or(0);
  double t = v6;
  for (int campo = 7; campo <= 8; ++campo) {
    const std::optional<double> v = LeCampo(ex, linha, campo);
    if (!v) continue;
    if (*v > v6)
      GravaErroNoCampoST(ex, CodigoST::CampoMaiorQueO6, CampoValor(campo));
    else
      t += *v;
  }

  // A field 10 or 11 that is not a number is taken as -1: it adds nothing and is not zero.
  const double v10 = LeCampo(ex, linha, 10).value_or(-1);
  if (v10 > 0) t += v10;
  if (const std::optional<double> v9 = LeCampo(ex, linha, 9)) {
    if ((*v9 > 0 || v10 > 0) && !(*v9 > v10))
      GravaErroNoCampoST(ex, CodigoST::Campo10MaiorQue9, CampoValor(9));
    if (*v9 == 0 && v10 == 0)
      ex.GravaErroST(CodigoST::Campos9e10Zerados, 0, CampoValor(9).coluna, CampoValor(9).Ultima());
    t += *v9;
  }

  const std::optional<double> lido11 = LeCampo(ex, linha, 11);
  const double v11 = lido11.value_or(-1);
  if (lido11) t += v11;
  const std::optional<double> lido12 = LeCampo(ex, linha, 12);
  const double v12 = lido12.value_or(0);
  if (lido12) {
    // Both findings name field 11.
    constexpr CampoRegistro c11 = CampoValor(11);
    if ((v11 > 0 || v12 > 0) && !(v11 > v12))
      ex.GravaErroST(CodigoST::Campo12MaiorQue11, 0, c11.coluna, c11.Ultima());
    if (v11 == 0 && v12 == 0)
      ex.GravaErroST(CodigoST::Campos11e12Zerados, 0, c11.coluna, c11.Ultima());
  }
  t += v12;
  const double v13 = LeCampo(ex, linha, 13).value_or(0);
  t += v13;
  const double v14 = LeCampo(ex, linha, 14).value_or(0);
  t += v14;

  // The no-movement mark and the amounts exclude each other, and one of them must be there.
  const bool marcado = !Apara(Campo(linha, SemMovimento)).empty();
  if (marcado && t > 0)
    ex.GravaErroST(CodigoST::CampoNaoDeveSerInformado, 0, SemMovimento.coluna,
                   SemMovimento.Ultima());
  else if (!marcado && t == 0)
    ex.GravaErro(CodigoM::CampoObrigatorioAusente, SemMovimento.coluna, SemMovimento.Ultima());

  const double v15 = LeCampo(ex, linha, 15).value_or(0);
  if (const std::optional<double> v16 = LeCampo(ex, linha, 16)) {
    double x = v14 + v13 + v15 - v12;
    if (x < 0) x = 0;
    if (*v16 != x)
      GravaErroNoCampoST(ex, CodigoST::ValorDoCampoIncorreto, CampoValor(16), {*v16, x});
  }
  const std::optional<double> v17 = LeCampo(ex, linha, 17);
  if (v17) {
    double y = v12 - (v14 + v13 + v15);
    if (y < 0) y = 0;
    if (*v17 != y)
      GravaErroNoCampoST(ex, CodigoST::ValorDoCampoIncorreto, CampoValor(17), {*v17, y});
  }
  return v17.value_or(0);
}

constexpr int QtdParcelas = Vencimento.vezes;
static_assert(ValorParcela.vezes == QtdParcelas && ValorParcela.largura == Vencimento.largura);

// The six installments: each date with its amount, their sum against field 17, and the order and
// uniqueness of the due dates.
void ConfereParcelas(Execucao& ex, std::string_view linha, std::int32_t r, double v17) {
  std::array<std::int64_t, QtdParcelas + 1> d{};  // AAAAMMDD by installment (1-6), 0 when absent
  double v = 0;  // a non-numeric amount leaves the previous installment's amount here
  double s = 0;
  for (int k = 1; k <= QtdParcelas; ++k) {
    const int p = Vencimento.ColunaDe(k - 1), fim = Vencimento.UltimaDe(k - 1);
    if (ExigeNumerico(ex, linha, p, Vencimento.tamanho)) {
      if (ValidaData(linha, p, DataDDMMAAAA))
        d[k] = DataOrdenavel(Campo(linha, p, Vencimento.tamanho));
      else
        ex.GravaErro(CodigoM::DataInvalida, p, fim);
    }
    const int pv = ValorParcela.ColunaDe(k - 1);
    if (const std::optional<double> valor = LeNumerico(ex, linha, pv, ValorParcela.tamanho)) {
      v = *valor;
      s += v;
    }
    if (d[k] > 0 && v == 0)
      ex.GravaErroST(CodigoST::ValorDoPagamentoAusente, k, pv, ValorParcela.UltimaDe(k - 1));
    else if (d[k] == 0 && v > 0)
      ex.GravaErroST(CodigoST::VencimentoDoPagamentoAusente, k, p, fim);
  }

  if (s != v17) GravaErroNoCampoST(ex, CodigoST::SomaParcelasDifere, CampoValor(17), {v17, s});

  for (int k = 1; k <= QtdParcelas; ++k) {
    if (d[k] <= 0) continue;
    const int p = Vencimento.ColunaDe(k - 1), fim = Vencimento.UltimaDe(k - 1);
    if (d[k] / 100 < r)
      ex.GravaErroST(CodigoST::VencimentoAntesDaReferencia, k, p, fim);
    else if (k > 1 && d[k - 1] == 0)
      ex.GravaErroST(CodigoST::VencimentoAnteriorAusente, 0, p, fim);
    // A repeated due date is reported at the other installment; the pair is thus reported twice.
    for (int i = 1; i <= QtdParcelas; ++i) {
      if (i == k || d[i] != d[k]) continue;
      ex.GravaErroST(CodigoST::VencimentoDuplicado, 0, Vencimento.ColunaDe(i - 1),
                     Vencimento.UltimaDe(i - 1));
    }
  }
}

// The declarant (fields 24 to 26), the signature (field 28) and the digit fields among them.
void ConfereFechamento(Execucao& ex, std::string_view linha, std::int32_t r) {
  ExigeTextoST(ex, linha, NomeEmpresa);
  ConfereNumeroFederalST(ex, linha, CPF);
  ExigeTextoST(ex, linha, NomeResponsavel);
  ExigeNumerico(ex, linha, Numero453);
  ExigeNumerico(ex, linha, Numero457);
  ExigeTextoST(ex, linha, NomeSignatario);
  constexpr CampoRegistro d = DataAssinatura;
  if (ExigeNumerico(ex, linha, d)) {
    const std::string_view data = Campo(linha, d);
    if (ValorNumerico(data) == 0)
      GravaErroNoCampoST(ex, CodigoST::CampoNaoInformado, d);
    else if (!ValidaData(linha, d.coluna, DataDDMMAAAA))
      ex.GravaErro(CodigoM::DataInvalida, d.coluna, d.Ultima());
    else if (DataOrdenavel(data) / 100 < r)  // the return cannot be signed before its month
      ex.GravaErroST(CodigoST::DataIncorreta, 0, d.coluna, d.Ultima());
  }
  ExigeNumerico(ex, linha, Numero503);
  ExigeNumerico(ex, linha, Numero507);
}

}  // namespace

void ValidaST1(Execucao& ex, std::string_view linha) {
  PrefixoRegistro& reg = ex.RegistroAtual;
  reg.Marca = Campo(linha, Leiaute);
  reg.Marcador = Campo(linha, Marcador);
  reg.DiaInicio = Campo(linha, ColunaDiaInicio, 2);
  reg.DiaFim = Campo(linha, ColunaDiaFim, 2);
  reg.MesAnoRef = Campo(linha, ColunaMesAnoRef, 6);
  reg.Inscricao = Campo(linha, Inscricao);
  RegistraRetornoAntigo(ex);

  if (Campo(linha, Leiaute) != "RST01")
    ex.GravaErroST(CodigoST::CampoFixoIncorreto, 0, Leiaute.coluna, Leiaute.Ultima());
  const std::string_view marcador = reg.Marcador;
  if (marcador != " " && marcador != "X")
    ex.GravaErro(CodigoM::ConteudoNaoXouBranco, Marcador.coluna, Marcador.Ultima());
  const std::int32_t r = ConferePeriodo(ex, linha);
  ConfereInscricoes(ex, linha);
  const double v17 = ConfereValores(ex, linha);
  ConfereParcelas(ex, linha, r, v17);
  ConfereFechamento(ex, linha, r);
}

void PreparaST01(Execucao& ex) {
  ex.TabelaAtual = &TabelaST01();
  ex.TabelaCabecalho = ex.TabelaAtual;
}

bool ReconheceROLST01(std::string_view primeiraLinha) {
  return Campo(primeiraLinha, Leiaute) == "RST01";
}

}  // namespace rolval
