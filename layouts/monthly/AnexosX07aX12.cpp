#include "layouts/monthly/AnexosX07aX12.h"

#include <cstdint>
#include <optional>

#include "checks/CampoNumerico.h"
#include "checks/Datas.h"
#include "checks/Numeros.h"
#include "layouts/monthly/CamposMensal.h"
#include "layouts/monthly/EstadoMensal.h"
#include "layouts/monthly/ItemAnexo.h"
#include "run/CaminhosRapidos.h"

namespace rolval {

namespace {

namespace cm = campos_mensal;

// The X07 summary's two groups: amount V, amount W, the text that explains W, and total T.
struct GrupoX07 {
  CampoRegistro valor;
  CampoRegistro outros;
  CampoRegistro descricao;
  CampoRegistro total;
};
constexpr GrupoX07 X07Grupo1{
    CampoDe(cm::X07, "Valor 1 (total do anexo X07A)"), CampoDe(cm::X07, "Outros valores 1"),
    CampoDe(cm::X07, "Descrição de outros valores 1"), CampoDe(cm::X07, "Total 1")};
constexpr GrupoX07 X07Grupo2{
    CampoDe(cm::X07, "Valor 2 (total do anexo X07B)"), CampoDe(cm::X07, "Outros valores 2"),
    CampoDe(cm::X07, "Descrição de outros valores 2"), CampoDe(cm::X07, "Total 2")};

// The items' fields. X07B has X07A's columns, and X10 X08's; both are read by the first table.
namespace x07a {
constexpr CampoRegistro Cfop = CampoDe(cm::X07A, "CFOP");
constexpr CampoRegistro Valor = CampoDe(cm::X07A, "Valor (col. 49)");
constexpr CampoRegistro Total = CampoDe(cm::X07A, "Valor do total do anexo X07A");
static_assert(cm::MesmasColunas(cm::X07A, cm::X07B));
}  // namespace x07a
namespace x08 {
constexpr CampoRegistro Dias = CampoDe(cm::X08, "Dias (início e fim)");
constexpr CampoRegistro Vencimento = CampoDe(cm::X08, "Vencimento");
constexpr CampoRegistro Total1 = CampoDe(cm::X08, "Valor do total 1 do anexo X08");
constexpr CampoRegistro Total2 = CampoDe(cm::X08, "Valor do total 2 do anexo X08");
constexpr CampoRegistro Inscricao = CampoDe(cm::X08, "Inscrição do item");
static_assert(cm::MesmasColunas(cm::X08, cm::X10));
}  // namespace x08
namespace x09 {
constexpr CampoRegistro Dia = CampoDe(cm::X09, "Dia de vencimento");
constexpr CampoRegistro Total1 = CampoDe(cm::X09, "Valor do total 1 do anexo X09");
constexpr CampoRegistro Total2 = CampoDe(cm::X09, "Valor do total 2 do anexo X09");
constexpr CampoRegistro Inscricao = CampoDe(cm::X09, "Inscrição do item");
}  // namespace x09
namespace x11 {
constexpr CampoRegistro Codigo = CampoDe(cm::X11, "Código");
constexpr CampoRegistro Total1 = CampoDe(cm::X11, "Valor do total 1 do anexo X11");
constexpr CampoRegistro Total2 = CampoDe(cm::X11, "Valor do total 2 do anexo X11");
}  // namespace x11
namespace x12 {
constexpr CampoRegistro Numero = CampoDe(cm::X12, "Número");
constexpr CampoRegistro Total1 = CampoDe(cm::X12, "Valor do total 1 do anexo X12");
constexpr CampoRegistro Total2 = CampoDe(cm::X12, "Valor do total 2 do anexo X12");
}  // namespace x12

// A field of item `i` (from 0; 0 for a field that is not repeated) is read and reported at the
// columns of that occurrence. The readers are inlined, so that each reads its field at constant
// columns and length.
ROLVAL_EM_LINHA inline std::optional<double> Valor(Execucao& ex, std::string_view linha,
                                                   const CampoRegistro& campo, int i) {
  return LeNumerico(ex, linha, campo.ColunaDe(i), campo.tamanho);
}

// An amount added to a total; a field that is not numeric adds nothing.
ROLVAL_EM_LINHA inline void SomaValor(Execucao& ex, std::string_view linha,
                                      const CampoRegistro& campo, int i, double& total) {
  total += Valor(ex, linha, campo, i).value_or(0);
}

// A registry number of another taxpayer: zero is allowed, any other value needs its check digit.
ROLVAL_EM_LINHA inline void ConfereInscricao(Execucao& ex, std::string_view linha,
                                             const CampoRegistro& campo, int i) {
  const std::optional<double> valor = Valor(ex, linha, campo, i);
  if (!valor) return;
  const std::string_view numero = Campo(linha, campo.ColunaDe(i), campo.tamanho);
  if (*valor > 0 && numero[9] != CalculaDigito(numero))
    GravaErroNoCampo(ex, CodigoM::DigitoControleInvalido, campo, i,
                     DigitoDeclaradoECalculado(numero));
}

// A required number of a few digits: numeric, and not zero.
ROLVAL_EM_LINHA inline bool ConfereObrigatorio(Execucao& ex, std::string_view linha,
                                               const CampoRegistro& campo, int i, double& valor) {
  const std::optional<double> lido = Valor(ex, linha, campo, i);
  if (!lido) return false;
  valor = *lido;
  if (valor == 0) {
    GravaErroNoCampo(ex, CodigoM::CampoObrigatorioAusente, campo, i);
    return false;
  }
  return true;
}

// A CFOP: numeric, not zero, and not a round hundred.
ROLVAL_EM_LINHA inline void ConfereCfop(Execucao& ex, std::string_view linha,
                                        const CampoRegistro& campo, int i) {
  double cfop = 0;
  if (!ConfereObrigatorio(ex, linha, campo, i, cfop)) return;
  if (static_cast<std::int64_t>(cfop) % 100 == 0)
    GravaErroNoCampo(ex, CodigoM::CfopInvalido, campo, i);
}

// A day of the record's prefix as a number: its leading digits, 0 when it has none.
int ValorDia(std::string_view dia) {
  int valor = 0;
  for (const char c : Apara(dia)) {
    if (c < '0' || c > '9') break;
    valor = valor * 10 + (c - '0');
  }
  return valor;
}

// One group of the X07 summary: W explained by a text when greater than 0, and T = V + W. V is
// kept for the X07A/X07B comparison, T only when it checks.
void ValidaGrupoX07(Execucao& ex, std::string_view linha, const GrupoX07& grupo,
                    double& valorGuardado, double& totalGuardado) {
  const double v = Valor(ex, linha, grupo.valor, 0).value_or(0);
  valorGuardado = v;
  const double w = Valor(ex, linha, grupo.outros, 0).value_or(0);
  if (w > 0 && Apara(Campo(linha, grupo.descricao)).empty())
    GravaErroNoCampo(ex, CodigoM::CampoObrigatorioAusente, grupo.descricao, 0);
  if (const std::optional<double> t = Valor(ex, linha, grupo.total, 0)) {
    if (*t != v + w)
      GravaErroNoCampo(ex, CodigoM::ValorIncorreto, grupo.total, 0, {*t, v + w});
    else
      totalGuardado = *t;
  }
}

void ValidaX07(Execucao& ex, std::string_view linha) {
  EstadoMensal& m = Mensal(ex);
  m.LinhaX07 = ex.NumLinha;
  if (LeQuantidadeItens(ex, linha, 1) == 0) return;
  m.Lidas(Anexo::X07) += 1;
  ValidaGrupoX07(ex, linha, X07Grupo1, m.retorno.X07Valor1, m.retorno.X07Total1);
  ValidaGrupoX07(ex, linha, X07Grupo2, m.retorno.X07Valor2, m.retorno.X07Total2);
}

// X07A and X07B: CFOP items whose amounts detail the two X07 amounts.
void ValidaX07AouB(Execucao& ex, std::string_view linha, Anexo anexo, double& total) {
  Mensal(ex).LinhaX07A = ex.NumLinha;
  const int quantidade = LeQuantidadeItens(ex, linha, x07a::Cfop.vezes);
  if (quantidade == 0) return;
  Mensal(ex).Lidas(anexo) += quantidade;
  for (int i = 0; i < quantidade; ++i) {
    ConfereCfop(ex, linha, x07a::Cfop, i);
    ExigeNumerico(ex, linha, x07a::Valor.ColunaDe(i), x07a::Valor.tamanho);
    SomaValor(ex, linha, x07a::Total, i, total);
  }
}

// X08 and X10: due amounts with the days of the period they refer to, a due date and a registry
// number. X08 falls due in the return's month; X10 in that month or later.
void ValidaX08ouX10(Execucao& ex, std::string_view linha, Anexo anexo, double& totalA,
                    double& totalB) {
  const bool eX08 = anexo == Anexo::X08;
  const int quantidade = LeQuantidadeItens(ex, linha, x08::Dias.vezes);
  if (quantidade == 0) return;
  Mensal(ex).Lidas(anexo) += quantidade;
  const int diaInicio = ValorDia(ex.RegistroAtual.DiaInicio);
  const int diaFim = ValorDia(ex.RegistroAtual.DiaFim);
  const std::string_view referencia = Mensal(ex).ReferenciaAAAAMM;
  for (int i = 0; i < quantidade; ++i) {
    double dias = 0;
    if (ConfereObrigatorio(ex, linha, x08::Dias, i, dias)) {
      // The field holds the first and the last day, two digits each.
      const std::string_view texto = Campo(linha, x08::Dias.ColunaDe(i), x08::Dias.tamanho);
      const auto primeiro = static_cast<int>(ValorInteiro(texto.substr(0, 2)));
      const auto ultimo = static_cast<int>(ValorInteiro(texto.substr(2, 2)));
      if (primeiro < diaInicio || primeiro > diaFim)
        GravaErroNoCampo(ex, CodigoM::DataInvalida, x08::Dias, i);
      if (ultimo < diaInicio || ultimo > diaFim)
        GravaErroNoCampo(ex, CodigoM::DiaTerminoInvalido, x08::Dias, i);
    }

    double vencimento = 0;
    if (ConfereObrigatorio(ex, linha, x08::Vencimento, i, vencimento)) {
      // Year and month of the due date, year first, as the reference period is kept.
      const int v = x08::Vencimento.ColunaDe(i);
      char aaaamm[6];
      const std::string_view data = Campo(linha, v, x08::Vencimento.tamanho);
      data.copy(aaaamm, 4, 4);
      data.copy(aaaamm + 4, 2, 2);
      const std::string_view mesVencimento(aaaamm, 6);
      if (!ValidaData(linha, v, DataDDMMAAAA))
        GravaErroNoCampo(ex, CodigoM::DataInvalida, x08::Vencimento, i);
      else if (eX08 && mesVencimento != referencia)
        GravaErroNoCampo(ex, CodigoM::VencimentoX08ForaDaReferencia, x08::Vencimento, i);
      else if (!eX08 && referencia > mesVencimento)
        GravaErroNoCampo(ex, CodigoM::VencimentoIncorreto, x08::Vencimento, i);
    }

    SomaValor(ex, linha, x08::Total1, i, totalA);
    SomaValor(ex, linha, x08::Total2, i, totalB);
    ConfereInscricao(ex, linha, x08::Inscricao, i);
  }
}

// X09: amounts by due day, which must lie inside the period of the record.
void ValidaX09(Execucao& ex, std::string_view linha) {
  const int quantidade = LeQuantidadeItens(ex, linha, x09::Dia.vezes);
  if (quantidade == 0) return;
  RetornoMensal& r = Mensal(ex).retorno;
  Mensal(ex).Lidas(Anexo::X09) += quantidade;
  const std::string_view diaInicio = ex.RegistroAtual.DiaInicio;
  const std::string_view diaFim = ex.RegistroAtual.DiaFim;
  for (int i = 0; i < quantidade; ++i) {
    double dia = 0;
    if (ConfereObrigatorio(ex, linha, x09::Dia, i, dia)) {
      // Compared as two-character texts, as the prefix days are kept.
      const std::string_view texto = Campo(linha, x09::Dia.ColunaDe(i), x09::Dia.tamanho);
      if (texto < diaInicio || texto > diaFim)
        GravaErroNoCampo(ex, CodigoM::DiaVencimentoIncorreto, x09::Dia, i);
    }
    SomaValor(ex, linha, x09::Total1, i, r.TotX09a);
    SomaValor(ex, linha, x09::Total2, i, r.TotX09b);
    ConfereInscricao(ex, linha, x09::Inscricao, i);
  }
}

// X11: pairs of amounts under a two-character code.
void ValidaX11(Execucao& ex, std::string_view linha) {
  const int quantidade = LeQuantidadeItens(ex, linha, x11::Codigo.vezes);
  if (quantidade == 0) return;
  RetornoMensal& r = Mensal(ex).retorno;
  Mensal(ex).Lidas(Anexo::X11) += quantidade;
  for (int i = 0; i < quantidade; ++i) {
    if (Apara(Campo(linha, x11::Codigo.ColunaDe(i), x11::Codigo.tamanho)).empty())
      GravaErroNoCampo(ex, CodigoM::CampoObrigatorioAusente, x11::Codigo, i);
    SomaValor(ex, linha, x11::Total1, i, r.TotX11a);
    SomaValor(ex, linha, x11::Total2, i, r.TotX11b);
  }
}

// X12: pairs of amounts under a three-digit number.
void ValidaX12(Execucao& ex, std::string_view linha) {
  const int quantidade = LeQuantidadeItens(ex, linha, x12::Numero.vezes);
  if (quantidade == 0) return;
  RetornoMensal& r = Mensal(ex).retorno;
  Mensal(ex).Lidas(Anexo::X12) += quantidade;
  for (int i = 0; i < quantidade; ++i) {
    double numero = 0;
    ConfereObrigatorio(ex, linha, x12::Numero, i, numero);
    SomaValor(ex, linha, x12::Total1, i, r.TotX12a);
    SomaValor(ex, linha, x12::Total2, i, r.TotX12b);
  }
}

}  // namespace

void ValidaAnexoX07aX12(Execucao& ex, std::string_view linha) {
  RetornoMensal& r = Mensal(ex).retorno;
  const std::string_view tipo = ex.RegistroAtual.TipoRegistro;
  if (tipo == "X07 ")
    ValidaX07(ex, linha);
  else if (tipo == "X07A")
    ValidaX07AouB(ex, linha, Anexo::X07A, r.TotX07A);
  else if (tipo == "X07B")
    ValidaX07AouB(ex, linha, Anexo::X07B, r.TotX07B);
  else if (tipo == "X08 ")
    ValidaX08ouX10(ex, linha, Anexo::X08, r.TotX08a, r.TotX08b);
  else if (tipo == "X10 ")
    ValidaX08ouX10(ex, linha, Anexo::X10, r.TotX10a, r.TotX10b);
  else if (tipo == "X09 ")
    ValidaX09(ex, linha);
  else if (tipo == "X11 ")
    ValidaX11(ex, linha);
  else if (tipo == "X12 ")
    ValidaX12(ex, linha);
}

}  // namespace rolval
