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
  if (!ExigeNumerico(ex, linha, 7, 10)) return 0;
  // The last day followed by the reference month makes the date DDMMAAAA at column 9.
  if (!ValidaData(linha, 9, DataDDMMAAAA)) {
    ex.GravaErro(CodigoM::DataInvalida, 7, 16);
    return 0;
  }
  const std::string_view diaInicio = Campo(linha, 7, 2);
  const std::string_view diaFim = Campo(linha, 9, 2);
  if (diaInicio == "00" || !(diaInicio < diaFim)) {
    ex.GravaErro(CodigoM::DataInvalida, 7, 16);
    return 0;
  }
  const std::string_view periodo = Campo(linha, 11, 6);
  const auto mes = static_cast<std::int32_t>(ValorInteiro(periodo.substr(0, 2)));
  const auto ano = static_cast<std::int32_t>(ValorInteiro(periodo.substr(2, 4)));
  const std::int32_t r = ano * 100 + mes;
  if (r < PrimeiraReferencia)
    ex.GravaErroST(CodigoST::PeriodoAte041999, 4, 7, 16);
  else if (r > UltimaReferencia)
    ex.GravaErroST(CodigoST::PeriodoApos062000, 4, 7, 16);
  if (diaInicio != "01") ex.GravaErro(CodigoM::DiaInicioInvalido, 7, 16);
  // The period must run to the last day of its month.
  if (ValorInteiro(diaFim) != DiasDoMes(mes, ano)) ex.GravaErro(CodigoM::DiaTerminoInvalido, 7, 16);
  return r;
}

// The registration number (field 5) and the federal number of the declarant (field 23).
void ConfereInscricoes(Execucao& ex, std::string_view linha) {
  if (ExigeNumerico(ex, linha, 17, 10)) {
    const std::string_view inscricao = Campo(linha, 17, 10);
    if (ValorNumerico(inscricao) == 0)
      ex.GravaErroST(CodigoST::CampoNaoInformado, 5, 17, 26);
    else if (inscricao[9] != CalculaDigito(inscricao))
      ex.GravaErroST(CodigoST::DigitoDoCampoIncorreto, 5, 17, 26,
                     DigitoDeclaradoECalculado(inscricao));
  }
  if (ExigeNumerico(ex, linha, 27, 14)) {
    const std::string_view cnpj = Campo(linha, 27, 14);
    if (ValorNumerico(cnpj) == 0)
      ex.GravaErroST(CodigoST::CampoNaoInformado, 23, 27, 40);
    else if (!ValidaCPFCNPJ(cnpj))
      ex.GravaErroST(CodigoST::DigitoDoCampoIncorreto, 23, 27, 40,
                     DigitosFederaisDeclaradosECalculados(cnpj));
  }
}

// Columns of amount fields 6 to 17: 15 digits each from column 48.
constexpr int ColunaDoCampo(int campo) { return 48 + 15 * (campo - 6); }

std::optional<double> LeCampo(Execucao& ex, std::string_view linha, int campo) {
  return LeNumerico(ex, linha, ColunaDoCampo(campo), 15);
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
      ex.GravaErroST(CodigoST::CampoMaiorQueO6, campo, ColunaDoCampo(campo),
                     ColunaDoCampo(campo) + 14);
    else
      t += *v;
  }

  // A field 10 or 11 that is not a number is taken as -1: it adds nothing and is not zero.
  const double v10 = LeCampo(ex, linha, 10).value_or(-1);
  if (v10 > 0) t += v10;
  if (const std::optional<double> v9 = LeCampo(ex, linha, 9)) {
    if ((*v9 > 0 || v10 > 0) && !(*v9 > v10))
      ex.GravaErroST(CodigoST::Campo10MaiorQue9, 9, 93, 107);
    if (*v9 == 0 && v10 == 0) ex.GravaErroST(CodigoST::Campos9e10Zerados, 0, 93, 107);
    t += *v9;
  }

  const std::optional<double> lido11 = LeCampo(ex, linha, 11);
  const double v11 = lido11.value_or(-1);
  if (lido11) t += v11;
  const std::optional<double> lido12 = LeCampo(ex, linha, 12);
  const double v12 = lido12.value_or(0);
  if (lido12) {
    if ((v11 > 0 || v12 > 0) && !(v11 > v12))
      ex.GravaErroST(CodigoST::Campo12MaiorQue11, 0, 123, 137);
    if (v11 == 0 && v12 == 0) ex.GravaErroST(CodigoST::Campos11e12Zerados, 0, 123, 137);
  }
  t += v12;
  const double v13 = LeCampo(ex, linha, 13).value_or(0);
  t += v13;
  const double v14 = LeCampo(ex, linha, 14).value_or(0);
  t += v14;

  // The no-movement mark and the amounts exclude each other, and one of them must be there.
  const bool marcado = !Apara(Campo(linha, 41, 1)).empty();
  if (marcado && t > 0)
    ex.GravaErroST(CodigoST::CampoNaoDeveSerInformado, 0, 41, 41);
  else if (!marcado && t == 0)
    ex.GravaErro(CodigoM::CampoObrigatorioAusente, 41, 41);

  const double v15 = LeCampo(ex, linha, 15).value_or(0);
  if (const std::optional<double> v16 = LeCampo(ex, linha, 16)) {
    double x = v14 + v13 + v15 - v12;
    if (x < 0) x = 0;
    if (*v16 != x) ex.GravaErroST(CodigoST::ValorDoCampoIncorreto, 16, 198, 212, {*v16, x});
  }
  const std::optional<double> v17 = LeCampo(ex, linha, 17);
  if (v17) {
    double y = v12 - (v14 + v13 + v15);
    if (y < 0) y = 0;
    if (*v17 != y) ex.GravaErroST(CodigoST::ValorDoCampoIncorreto, 17, 213, 227, {*v17, y});
  }
  return v17.value_or(0);
}

constexpr int QtdParcelas = 6;
constexpr int ColunaDaParcela(int k) { return 228 + 23 * (k - 1); }  // k = 1 to 6

// The six installments: each date with its amount, their sum against field 17, and the order and
// uniqueness of the due dates.
void ConfereParcelas(Execucao& ex, std::string_view linha, std::int32_t r, double v17) {
  std::array<std::int64_t, QtdParcelas + 1> d{};  // AAAAMMDD by installment (1-6), 0 when absent
  double v = 0;  // a non-numeric amount leaves the previous installment's amount here
  double s = 0;
  for (int k = 1; k <= QtdParcelas; ++k) {
    const int p = ColunaDaParcela(k);
    if (ExigeNumerico(ex, linha, p, 8)) {
      if (ValidaData(linha, p, DataDDMMAAAA))
        d[k] = DataOrdenavel(Campo(linha, p, 8));
      else
        ex.GravaErro(CodigoM::DataInvalida, p, p + 7);
    }
    if (const std::optional<double> valor = LeNumerico(ex, linha, p + 8, 15)) {
      v = *valor;
      s += v;
    }
    if (d[k] > 0 && v == 0)
      ex.GravaErroST(CodigoST::ValorDoPagamentoAusente, k, p + 8, p + 22);
    else if (d[k] == 0 && v > 0)
      ex.GravaErroST(CodigoST::VencimentoDoPagamentoAusente, k, p, p + 7);
  }

  if (s != v17) ex.GravaErroST(CodigoST::SomaParcelasDifere, 17, 213, 227, {v17, s});

  for (int k = 1; k <= QtdParcelas; ++k) {
    if (d[k] <= 0) continue;
    const int p = ColunaDaParcela(k);
    if (d[k] / 100 < r)
      ex.GravaErroST(CodigoST::VencimentoAntesDaReferencia, k, p, p + 7);
    else if (k > 1 && d[k - 1] == 0)
      ex.GravaErroST(CodigoST::VencimentoAnteriorAusente, 0, p, p + 7);
    // A repeated due date is reported at the other installment; the pair is thus reported twice.
    for (int i = 1; i <= QtdParcelas; ++i) {
      if (i == k || d[i] != d[k]) continue;
      const int q = ColunaDaParcela(i);
      ex.GravaErroST(CodigoST::VencimentoDuplicado, 0, q, q + 7);
    }
  }
}

// A text field that must be filled in (blanks do not count).
void ExigeTexto(Execucao& ex, std::string_view linha, int campo, int coluna, int tamanho) {
  if (Apara(Campo(linha, coluna, tamanho)).empty())
    ex.GravaErroST(CodigoST::CampoNaoInformado, campo, coluna, coluna + tamanho - 1);
}

// The declarant (fields 24 to 26), the signature (field 28) and the digit fields among them.
void ConfereFechamento(Execucao& ex, std::string_view linha, std::int32_t r) {
  ExigeTexto(ex, linha, 24, 366, 46);
  if (ExigeNumerico(ex, linha, 412, 11)) {
    const std::string_view cpf = Campo(linha, 412, 11);
    if (ValorNumerico(cpf) == 0)
      ex.GravaErroST(CodigoST::CampoNaoInformado, 25, 412, 422);
    else if (!ValidaCPFCNPJ(cpf))
      ex.GravaErroST(CodigoST::DigitoDoCampoIncorreto, 25, 412, 422,
                     DigitosFederaisDeclaradosECalculados(cpf));
  }
  ExigeTexto(ex, linha, 26, 423, 30);
  ExigeNumerico(ex, linha, 453, 4);
  ExigeNumerico(ex, linha, 457, 8);
  ExigeTexto(ex, linha, 28, 465, 30);
  if (ExigeNumerico(ex, linha, 495, 8)) {
    const std::string_view data = Campo(linha, 495, 8);
    if (ValorNumerico(data) == 0)
      ex.GravaErroST(CodigoST::CampoNaoInformado, 28, 495, 502);
    else if (!ValidaData(linha, 495, DataDDMMAAAA))
      ex.GravaErro(CodigoM::DataInvalida, 495, 502);
    else if (DataOrdenavel(data) / 100 < r)  // the return cannot be signed before its month
      ex.GravaErroST(CodigoST::DataIncorreta, 0, 495, 502);
  }
  ExigeNumerico(ex, linha, 503, 4);
  ExigeNumerico(ex, linha, 507, 8);
}

}  // namespace

void ValidaST1(Execucao& ex, std::string_view linha) {
  PrefixoRegistro& reg = ex.RegistroAtual;
  reg.Marca = Campo(linha, 1, 5);
  reg.Marcador = Campo(linha, 6, 1);
  reg.DiaInicio = Campo(linha, 7, 2);
  reg.DiaFim = Campo(linha, 9, 2);
  reg.MesAnoRef = Campo(linha, 11, 6);
  reg.Inscricao = Campo(linha, 17, 10);
  RegistraRetornoAntigo(ex);

  if (Campo(linha, 1, 5) != "RST01") ex.GravaErroST(CodigoST::CampoFixoIncorreto, 0, 1, 5);
  const std::string_view marcador = reg.Marcador;
  if (marcador != " " && marcador != "X") ex.GravaErro(CodigoM::ConteudoNaoXouBranco, 6, 6);
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
  return Campo(primeiraLinha, 1, 5) == "RST01";
}

}  // namespace rolval
