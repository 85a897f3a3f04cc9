#include "layouts/monthly/AnexosRegistros.h"

#include <cstdint>

#include "checks/Datas.h"
#include "checks/Numeros.h"
#include "layouts/monthly/EstadoMensal.h"
#include "layouts/monthly/ItemAnexo.h"

namespace rolval {

namespace {

struct FormatoAnexo {
  int largura;
  int maximo;
};

constexpr FormatoAnexo FormatoDe(Anexo tipo) {
  switch (tipo) {
    case Anexo::X03:
      return {16, 53};
    case Anexo::X03A:
      return {38, 22};
    case Anexo::X04:
      return {44, 19};
    default:
      return {26, 32};  // X02 and X06
  }
}

// The return's reference period as the number AAAAMM (0 before any was read).
std::int64_t ReferenciaNumerica(const std::string& referencia) {
  std::int64_t valor = 0;
  for (const char c : referencia) {
    if (c < '0' || c > '9') return 0;
    valor = valor * 10 + (c - '0');
  }
  return valor;
}

// An item of X02 or X06: a required registry number, a required number and an amount.
void ValidaItemX02ouX06(const ItemAnexo& item, double& total) {
  item.Inscricao(46, true);
  bool informado = false;
  item.Obrigatorio(56, 3, informado);
  total += item.Parcela(59, 13);
}

// An item of X03: a code, kept in the return's code list at the item's place (0 when it is not
// numeric), and an amount.
void ValidaItemX03(Execucao& ex, const ItemAnexo& item) {
  RetornoMensal& r = Mensal(ex).retorno;
  bool informado = false;
  const auto codigo = static_cast<std::int32_t>(item.Obrigatorio(46, 3, informado));
  r.CodigosX03.push_back(codigo);
  if (codigo > 0 && codigo < 1000) r.CodigoX03Presente.set(static_cast<std::size_t>(codigo));
  r.TotX03 += item.Parcela(49, 13);
}

// An item of X03A: the detail of a code already listed by an X03 record of the return.
void ValidaItemX03A(Execucao& ex, const ItemAnexo& item) {
  const RetornoMensal& r = Mensal(ex).retorno;
  bool informado = false;
  const std::int64_t codigo = item.Obrigatorio(46, 3, informado);
  if (informado && !(codigo < 1000 && r.CodigoX03Presente.test(static_cast<std::size_t>(codigo))))
    item.Erro(CodigoM::CodigoInvalido, 46, 3);

  const char tipo = item.Texto(49, 1).empty() ? ' ' : item.Texto(49, 1)[0];
  if (tipo == ' ')
    item.Erro(CodigoM::CampoObrigatorioAusente, 49, 1);
  else if (tipo != 'A' && tipo != 'B' && tipo != 'S')
    item.Erro(CodigoM::ConteudoNaoABouS, 49, 1);

  item.Obrigatorio(50, 9, informado);
  item.Obrigatorio(59, 2, informado);
  item.Inscricao(61, false);
  item.Valor(71, 13);
}

// The period of an X04 item, first day (2), last day (2), month (2) and year (4): a real span of
// one month that ended before the return's own reference period. The first failing check only.
void ConferePeriodoX04(Execucao& ex, const ItemAnexo& item) {
  bool informado = false;
  item.Obrigatorio(46, 10, informado);
  if (!informado) return;
  const std::string_view periodo = item.Texto(46, 10);
  const std::string_view mesAno = periodo.substr(4, 6);  // MMAAAA
  // The first and the last day as dates DDMMAAAA.
  char primeiro[8];
  char ultimo[8];
  periodo.copy(primeiro, 2, 0);
  periodo.copy(ultimo, 2, 2);
  mesAno.copy(primeiro + 2, 6);
  mesAno.copy(ultimo + 2, 6);
  if (!ValidaData(std::string_view(primeiro, 8), 1, DataDDMMAAAA) ||
      !ValidaData(std::string_view(ultimo, 8), 1, DataDDMMAAAA)) {
    item.Erro(CodigoM::DataInvalida, 46, 10);
    return;
  }
  const std::int64_t diaPrimeiro = ValorInteiro(periodo.substr(0, 2));
  const std::int64_t diaUltimo = ValorInteiro(periodo.substr(2, 2));
  const std::int64_t mes = ValorInteiro(mesAno.substr(0, 2));
  const std::int64_t ano = ValorInteiro(mesAno.substr(2, 4));
  if (diaUltimo < diaPrimeiro) {
    item.Erro(CodigoM::DiaTerminoInvalido, 46, 10);
    return;
  }
  if (mes < 1 || mes > 12 || ano <= 1899) {
    item.Erro(CodigoM::DataInvalida, 46, 10);
    return;
  }
  char aaaamm[6];
  mesAno.copy(aaaamm, 4, 2);
  mesAno.copy(aaaamm + 4, 2, 0);
  if (!(std::string_view(aaaamm, 6) < std::string_view(Mensal(ex).ReferenciaAAAAMM)))
    item.Erro(CodigoM::PeriodoApuracaoIncorreto, 46, 10);
}

// The due date of an X04 item: a date, given, not later than the return's reference month.
void ConfereVencimentoX04(Execucao& ex, const ItemAnexo& item) {
  bool informado = false;
  item.Obrigatorio(56, 8, informado);
  if (!informado) return;
  const std::string_view data = item.Texto(56, 8);
  if (!ValidaData(data, 1, DataDDMMAAAA)) {
    item.Erro(CodigoM::DataInvalida, 56, 8);
    return;
  }
  const std::int64_t aaaamm =
      ValorInteiro(data.substr(4, 4)) * 100 + ValorInteiro(data.substr(2, 2));
  if (aaaamm > ReferenciaNumerica(Mensal(ex).ReferenciaAAAAMM))
    item.Erro(CodigoM::VencimentoIncorreto, 56, 8);
}

// An item of X04: period, due date and the amounts P and Q (P must not exceed Q); Q - P adds to
// the total, an amount that is not numeric counting as 0.
void ValidaItemX04(Execucao& ex, const ItemAnexo& item) {
  ConferePeriodoX04(ex, item);
  ConfereVencimentoX04(ex, item);
  const std::optional<double> p = item.Valor(64, 13);
  const std::optional<double> q = item.Valor(77, 13);
  if (p && q && *p > *q) item.Erro(CodigoM::ValorIncorreto, 77, 13);
  RetornoMensal& r = Mensal(ex).retorno;
  r.TotX04 = r.TotX04 + q.value_or(0) - p.value_or(0);
}

}  // namespace

void ValidaAnexoX02aX06(Execucao& ex, std::string_view linha, Anexo tipo) {
  // The detail records are remembered even when their count fails.
  if (tipo == Anexo::X03A) Mensal(ex).LinhaX03A = ex.NumLinha;
  const FormatoAnexo formato = FormatoDe(tipo);
  const int quantidade = LeQuantidadeItens(ex, linha, formato.maximo);
  if (quantidade == 0) return;
  RetornoMensal& r = Mensal(ex).retorno;
  Mensal(ex).Lidas(tipo) += quantidade;
  for (int k = 1; k <= quantidade; ++k) {
    const ItemAnexo item(ex, linha, formato.largura, k);
    switch (tipo) {
      case Anexo::X02:
        ValidaItemX02ouX06(item, r.TotX02);
        break;
      case Anexo::X06:
        ValidaItemX02ouX06(item, r.TotX06);
        break;
      case Anexo::X03:
        ValidaItemX03(ex, item);
        break;
      case Anexo::X03A:
        ValidaItemX03A(ex, item);
        break;
      case Anexo::X04:
        ValidaItemX04(ex, item);
        break;
      default:
        break;
    }
  }
}

}  // namespace rolval
