#include "layouts/monthly/AnexosRegistros.h"

#include <cstdint>

#include "checks/Datas.h"
#include "checks/Numeros.h"
#include "layouts/monthly/CamposMensal.h"
#include "layouts/monthly/EstadoMensal.h"
#include "layouts/monthly/ItemAnexo.h"

namespace rolval {

namespace {

// The items' fields; X02 and X06 share their columns, read by X06's table.
namespace x06 {
constexpr CampoRegistro Inscricao = CampoDe(campos_mensal::X06, "Inscrição do item");
constexpr CampoRegistro Numero = CampoDe(campos_mensal::X06, "Número");
constexpr CampoRegistro Valor = CampoDe(campos_mensal::X06, "Valor do total do anexo X06");
static_assert(campos_mensal::MesmasColunas(campos_mensal::X02, campos_mensal::X06));
}  // namespace x06
namespace x03 {
constexpr CampoRegistro Codigo = CampoDe(campos_mensal::X03, "Código");
constexpr CampoRegistro Valor = CampoDe(campos_mensal::X03, "Valor do total do anexo X03");
}  // namespace x03
namespace x03a {
constexpr CampoRegistro Codigo = CampoDe(campos_mensal::X03A, "Código do anexo X03");
constexpr CampoRegistro Tipo = CampoDe(campos_mensal::X03A, "Tipo (A, B ou S)");
constexpr CampoRegistro Numero50 = CampoDe(campos_mensal::X03A, "Número (col. 50)");
constexpr CampoRegistro Numero59 = CampoDe(campos_mensal::X03A, "Número (col. 59)");
constexpr CampoRegistro Inscricao = CampoDe(campos_mensal::X03A, "Inscrição do item");
constexpr CampoRegistro Valor = CampoDe(campos_mensal::X03A, "Valor");
}  // namespace x03a
namespace x04 {
constexpr CampoRegistro Periodo = CampoDe(campos_mensal::X04, "Período (dias, mês e ano)");
constexpr CampoRegistro Vencimento = CampoDe(campos_mensal::X04, "Vencimento");
constexpr CampoRegistro P = CampoDe(campos_mensal::X04, "Valor P");
constexpr CampoRegistro Q = CampoDe(campos_mensal::X04, "Valor Q");
}  // namespace x04

// The items of a record type: their width and the most a record holds, as its first field says.
struct FormatoAnexo {
  int largura;
  int maximo;
};

constexpr FormatoAnexo FormatoDe(const CampoRegistro& primeiro) {
  return {primeiro.largura, primeiro.vezes};
}

constexpr FormatoAnexo FormatoDe(Anexo tipo) {
  switch (tipo) {
    case Anexo::X03:
      return FormatoDe(x03::Codigo);
    case Anexo::X03A:
      return FormatoDe(x03a::Codigo);
    case Anexo::X04:
      return FormatoDe(x04::Periodo);
    default:
      return FormatoDe(x06::Inscricao);  // X02 and X06
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
  item.Inscricao(x06::Inscricao, true);
  bool informado = false;
  item.Obrigatorio(x06::Numero, informado);
  total += item.Parcela(x06::Valor);
}

// An item of X03: a code, kept in the return's code list at the item's place (0 when it is not
// numeric), and an amount.
void ValidaItemX03(Execucao& ex, const ItemAnexo& item) {
  RetornoMensal& r = Mensal(ex).retorno;
  bool informado = false;
  const auto codigo = static_cast<std::int32_t>(item.Obrigatorio(x03::Codigo, informado));
  r.CodigosX03.push_back(codigo);
  if (codigo > 0 && codigo < 1000) r.CodigoX03Presente.set(static_cast<std::size_t>(codigo));
  r.TotX03 += item.Parcela(x03::Valor);
}

// An item of X03A: the detail of a code already listed by an X03 record of the return.
void ValidaItemX03A(Execucao& ex, const ItemAnexo& item) {
  const RetornoMensal& r = Mensal(ex).retorno;
  bool informado = false;
  const std::int64_t codigo = item.Obrigatorio(x03a::Codigo, informado);
  if (informado && !(codigo < 1000 && r.CodigoX03Presente.test(static_cast<std::size_t>(codigo))))
    item.Erro(CodigoM::CodigoInvalido, x03a::Codigo);

  const std::string_view marca = item.Texto(x03a::Tipo);
  const char tipo = marca.empty() ? ' ' : marca[0];
  if (tipo == ' ')
    item.Erro(CodigoM::CampoObrigatorioAusente, x03a::Tipo);
  else if (tipo != 'A' && tipo != 'B' && tipo != 'S')
    item.Erro(CodigoM::ConteudoNaoABouS, x03a::Tipo);

  item.Obrigatorio(x03a::Numero50, informado);
  item.Obrigatorio(x03a::Numero59, informado);
  item.Inscricao(x03a::Inscricao, false);
  item.Valor(x03a::Valor);
}

// The period of an X04 item, first day (2), last day (2), month (2) and year (4): a real span of
// one month that ended before the return's own reference period. The first failing check only.
void ConferePeriodoX04(Execucao& ex, const ItemAnexo& item) {
  bool informado = false;
  item.Obrigatorio(x04::Periodo, informado);
  if (!informado) return;
  const std::string_view periodo = item.Texto(x04::Periodo);
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
    item.Erro(CodigoM::DataInvalida, x04::Periodo);
    return;
  }
  const std::int64_t diaPrimeiro = ValorInteiro(periodo.substr(0, 2));
  const std::int64_t diaUltimo = ValorInteiro(periodo.substr(2, 2));
  const std::int64_t mes = ValorInteiro(mesAno.substr(0, 2));
  const std::int64_t ano = ValorInteiro(mesAno.substr(2, 4));
  if (diaUltimo < diaPrimeiro) {
    item.Erro(CodigoM::DiaTerminoInvalido, x04::Periodo);
    return;
  }
  if (mes < 1 || mes > 12 || ano <= 1899) {
    item.Erro(CodigoM::DataInvalida, x04::Periodo);
    return;
  }
  char aaaamm[6];
  mesAno.copy(aaaamm, 4, 2);
  mesAno.copy(aaaamm + 4, 2, 0);
  if (!(std::string_view(aaaamm, 6) < std::string_view(Mensal(ex).ReferenciaAAAAMM)))
    item.Erro(CodigoM::PeriodoApuracaoIncorreto, x04::Periodo);
}

// The due date of an X04 item: a date, given, not later than the return's reference month.
void ConfereVencimentoX04(Execucao& ex, const ItemAnexo& item) {
  bool informado = false;
  item.Obrigatorio(x04::Vencimento, informado);
  if (!informado) return;
  const std::string_view data = item.Texto(x04::Vencimento);
  if (!ValidaData(data, 1, DataDDMMAAAA)) {
    item.Erro(CodigoM::DataInvalida, x04::Vencimento);
    return;
  }
  const std::int64_t aaaamm =
      ValorInteiro(data.substr(4, 4)) * 100 + ValorInteiro(data.substr(2, 2));
  if (aaaamm > ReferenciaNumerica(Mensal(ex).ReferenciaAAAAMM))
    item.Erro(CodigoM::VencimentoIncorreto, x04::Vencimento);
}

// An item of X04: period, due date and the amounts P and Q (P must not exceed Q); Q - P adds to
// the total, an amount that is not numeric counting as 0.
void ValidaItemX04(Execucao& ex, const ItemAnexo& item) {
  ConferePeriodoX04(ex, item);
  ConfereVencimentoX04(ex, item);
  const std::optional<double> p = item.Valor(x04::P);
  const std::optional<double> q = item.Valor(x04::Q);
  if (p && q && *p > *q) item.Erro(CodigoM::ValorIncorreto, x04::Q);
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
