#include "layouts/monthly/AnexosX07aX12.h"

#include <cstdint>
#include <optional>

#include "checks/CampoNumerico.h"
#include "checks/Datas.h"
#include "checks/Numeros.h"
#include "layouts/monthly/EstadoMensal.h"
#include "layouts/monthly/ItemAnexo.h"

namespace rolval {

namespace {

// Where item k of an annex record starts: the items follow the count field from column 46 on.
constexpr int ColunaItem(int largura, int k) { return 46 + largura * (k - 1); }

// The amounts of these annexes are 13 digits wide.
constexpr int TamanhoValor = 13;

// An amount added to a total; a field that is not numeric adds nothing.
void SomaValor(Execucao& ex, std::string_view linha, int coluna, double& total) {
  total += LeNumerico(ex, linha, coluna, TamanhoValor).value_or(0);
}

// An amount that is only checked for digits.
void ConfereValor(Execucao& ex, std::string_view linha, int coluna) {
  ExigeNumerico(ex, linha, coluna, TamanhoValor);
}

// A registry number of another taxpayer: zero is allowed, any other value needs its check digit.
void ConfereInscricao(Execucao& ex, std::string_view linha, int coluna) {
  const std::optional<double> valor = LeNumerico(ex, linha, coluna, 10);
  if (!valor) return;
  const std::string_view numero = Campo(linha, coluna, 10);
  if (*valor > 0 && numero[9] != CalculaDigito(numero))
    ex.GravaErro(CodigoM::DigitoControleInvalido, coluna, coluna + 9,
                 DigitoDeclaradoECalculado(numero));
}

// A required number of a few digits: numeric, and not zero.
bool ConfereObrigatorio(Execucao& ex, std::string_view linha, int coluna, int tamanho,
                        double& valor) {
  const std::optional<double> lido = LeNumerico(ex, linha, coluna, tamanho);
  if (!lido) return false;
  valor = *lido;
  if (valor == 0) {
    ex.GravaErro(CodigoM::CampoObrigatorioAusente, coluna, coluna + tamanho - 1);
    return false;
  }
  return true;
}

// A CFOP: numeric, not zero, and not a round hundred.
void ConfereCfop(Execucao& ex, std::string_view linha, int coluna) {
  double cfop = 0;
  if (!ConfereObrigatorio(ex, linha, coluna, 3, cfop)) return;
  if (static_cast<std::int64_t>(cfop) % 100 == 0)
    ex.GravaErro(CodigoM::CfopInvalido, coluna, coluna + 2);
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

// The X07 summary: two groups of amount V, amount W (explained by a text when greater than 0)
// and total T = V + W. V is kept for the X07A/X07B comparison, T only when it checks.
void ValidaGrupoX07(Execucao& ex, std::string_view linha, int coluna, double& valorGuardado,
                    double& totalGuardado) {
  const double v = LeNumerico(ex, linha, coluna, TamanhoValor).value_or(0);
  valorGuardado = v;
  const double w = LeNumerico(ex, linha, coluna + 13, TamanhoValor).value_or(0);
  if (w > 0 && Apara(Campo(linha, coluna + 26, 60)).empty())
    ex.GravaErro(CodigoM::CampoObrigatorioAusente, coluna + 26, coluna + 85);
  if (const std::optional<double> t = LeNumerico(ex, linha, coluna + 86, TamanhoValor)) {
    if (*t != v + w)
      ex.GravaErro(CodigoM::ValorIncorreto, coluna + 86, coluna + 98, {*t, v + w});
    else
      totalGuardado = *t;
  }
}

void ValidaX07(Execucao& ex, std::string_view linha) {
  EstadoMensal& m = Mensal(ex);
  m.LinhaX07 = ex.NumLinha;
  if (LeQuantidadeItens(ex, linha, 1) == 0) return;
  m.Lidas(Anexo::X07) += 1;
  ValidaGrupoX07(ex, linha, 46, m.retorno.X07Valor1, m.retorno.X07Total1);
  ValidaGrupoX07(ex, linha, 145, m.retorno.X07Valor2, m.retorno.X07Total2);
}

// X07A and X07B: CFOP items whose amounts detail the two X07 amounts.
void ValidaX07AouB(Execucao& ex, std::string_view linha, Anexo anexo, double& total) {
  constexpr int largura = 29;
  Mensal(ex).LinhaX07A = ex.NumLinha;
  const int quantidade = LeQuantidadeItens(ex, linha, 29);
  if (quantidade == 0) return;
  Mensal(ex).Lidas(anexo) += quantidade;
  for (int k = 1; k <= quantidade; ++k) {
    const int c = ColunaItem(largura, k);
    ConfereCfop(ex, linha, c);
    ConfereValor(ex, linha, c + 3);
    SomaValor(ex, linha, c + 16, total);
  }
}

// X08 and X10: due amounts with the days of the period they refer to, a due date and a registry
// number. X08 falls due in the return's month; X10 in that month or later.
void ValidaX08ouX10(Execucao& ex, std::string_view linha, Anexo anexo, double& totalA,
                    double& totalB) {
  constexpr int largura = 48;
  const bool eX08 = anexo == Anexo::X08;
  const int quantidade = LeQuantidadeItens(ex, linha, 17);
  if (quantidade == 0) return;
  Mensal(ex).Lidas(anexo) += quantidade;
  const int diaInicio = ValorDia(ex.RegistroAtual.DiaInicio);
  const int diaFim = ValorDia(ex.RegistroAtual.DiaFim);
  const std::string_view referencia = Mensal(ex).ReferenciaAAAAMM;
  for (int k = 1; k <= quantidade; ++k) {
    const int c = ColunaItem(largura, k);

    double dias = 0;
    if (ConfereObrigatorio(ex, linha, c, 4, dias)) {
      const auto primeiro = static_cast<int>(ValorInteiro(Campo(linha, c, 2)));
      const auto ultimo = static_cast<int>(ValorInteiro(Campo(linha, c + 2, 2)));
      if (primeiro < diaInicio || primeiro > diaFim) ex.GravaErro(CodigoM::DataInvalida, c, c + 3);
      if (ultimo < diaInicio || ultimo > diaFim)
        ex.GravaErro(CodigoM::DiaTerminoInvalido, c, c + 3);
    }

    const int v = c + 4;
    double vencimento = 0;
    if (ConfereObrigatorio(ex, linha, v, 8, vencimento)) {
      // Year and month of the due date, year first, as the reference period is kept.
      char aaaamm[6];
      const std::string_view data = Campo(linha, v, 8);
      data.copy(aaaamm, 4, 4);
      data.copy(aaaamm + 4, 2, 2);
      const std::string_view mesVencimento(aaaamm, 6);
      if (!ValidaData(linha, v, DataDDMMAAAA))
        ex.GravaErro(CodigoM::DataInvalida, v, v + 7);
      else if (eX08 && mesVencimento != referencia)
        ex.GravaErro(CodigoM::VencimentoX08ForaDaReferencia, v, v + 7);
      else if (!eX08 && referencia > mesVencimento)
        ex.GravaErro(CodigoM::VencimentoIncorreto, v, v + 7);
    }

    SomaValor(ex, linha, c + 12, totalA);
    SomaValor(ex, linha, c + 25, totalB);
    ConfereInscricao(ex, linha, c + 38);
  }
}

// X09: amounts by due day, which must lie inside the period of the record.
void ValidaX09(Execucao& ex, std::string_view linha) {
  constexpr int largura = 38;
  const int quantidade = LeQuantidadeItens(ex, linha, 22);
  if (quantidade == 0) return;
  RetornoMensal& r = Mensal(ex).retorno;
  Mensal(ex).Lidas(Anexo::X09) += quantidade;
  const std::string_view diaInicio = ex.RegistroAtual.DiaInicio;
  const std::string_view diaFim = ex.RegistroAtual.DiaFim;
  for (int k = 1; k <= quantidade; ++k) {
    const int c = ColunaItem(largura, k);
    double dia = 0;
    if (ConfereObrigatorio(ex, linha, c, 2, dia)) {
      // Compared as two-character texts, as the prefix days are kept.
      const std::string_view texto = Campo(linha, c, 2);
      if (texto < diaInicio || texto > diaFim)
        ex.GravaErro(CodigoM::DiaVencimentoIncorreto, c, c + 1);
    }
    SomaValor(ex, linha, c + 2, r.TotX09a);
    SomaValor(ex, linha, c + 15, r.TotX09b);
    ConfereInscricao(ex, linha, c + 28);
  }
}

// X11: pairs of amounts under a two-character code.
void ValidaX11(Execucao& ex, std::string_view linha) {
  constexpr int largura = 28;
  const int quantidade = LeQuantidadeItens(ex, linha, 30);
  if (quantidade == 0) return;
  RetornoMensal& r = Mensal(ex).retorno;
  Mensal(ex).Lidas(Anexo::X11) += quantidade;
  for (int k = 1; k <= quantidade; ++k) {
    const int c = ColunaItem(largura, k);
    if (Apara(Campo(linha, c, 2)).empty()) ex.GravaErro(CodigoM::CampoObrigatorioAusente, c, c + 1);
    SomaValor(ex, linha, c + 2, r.TotX11a);
    SomaValor(ex, linha, c + 15, r.TotX11b);
  }
}

// X12: pairs of amounts under a three-digit number.
void ValidaX12(Execucao& ex, std::string_view linha) {
  constexpr int largura = 29;
  const int quantidade = LeQuantidadeItens(ex, linha, 29);
  if (quantidade == 0) return;
  RetornoMensal& r = Mensal(ex).retorno;
  Mensal(ex).Lidas(Anexo::X12) += quantidade;
  for (int k = 1; k <= quantidade; ++k) {
    const int c = ColunaItem(largura, k);
    double numero = 0;
    ConfereObrigatorio(ex, linha, c, 3, numero);
    SomaValor(ex, linha, c + 3, r.TotX12a);
    SomaValor(ex, linha, c + 16, r.TotX12b);
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
