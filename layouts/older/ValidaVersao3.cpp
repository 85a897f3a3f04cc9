#include "layouts/older/ValidaVersao3.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>

#include "checks/CampoNumerico.h"
#include "checks/Datas.h"
#include "checks/Numeros.h"
#include "layouts/older/CamposAntigos.h"
#include "layouts/older/RetornoAntigo.h"

namespace rolval {

namespace {

// Month keys AAAAMM, compared as text: year first, so that text order is chronological order.
using ChaveMes = std::array<char, 6>;

// The key of a period MMAAAA.
ChaveMes ChaveDoPeriodo(std::string_view mmaaaa) {
  return {mmaaaa[2], mmaaaa[3], mmaaaa[4], mmaaaa[5], mmaaaa[0], mmaaaa[1]};
}

// The key of a due date DDMMAAAA: its year, then its month.
ChaveMes ChaveDaData(std::string_view ddmmaaaa) {
  return {ddmmaaaa[4], ddmmaaaa[5], ddmmaaaa[6], ddmmaaaa[7], ddmmaaaa[2], ddmmaaaa[3]};
}

// The key as a number in the order of its text: its characters as unsigned bytes, the first the
// most significant. Two keys compare as numbers without a call to compare texts.
constexpr std::uint64_t Ordem(const ChaveMes& chave) {
  if (std::is_constant_evaluated()) {
    std::uint64_t v = 0;
    for (const char c : chave) v = (v << 8) | static_cast<unsigned char>(c);
    return v << 16;
  }
  std::uint64_t v = 0;
  std::memcpy(&v, chave.data(), chave.size());
  if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
  return v;
}

// The reference key of the return: empty while the period is not a number, and then no due date
// can come before it.
struct Referencia {
  ChaveMes chave{};
  bool lida = false;
  bool Antecede(const ChaveMes& vencimento) const {
    return lida && Ordem(vencimento) < Ordem(chave);
  }
};

// Oldest and latest reference periods a layout-03 return may carry.
constexpr std::uint64_t PrimeiraReferencia = Ordem({'1', '9', '9', '4', '0', '7'});
constexpr std::uint64_t UltimaReferencia = Ordem({'1', '9', '9', '8', '0', '9'});

// Identification of the return (columns 1-35); gives the reference key.
Referencia ConfereIdentificacao(Execucao& ex, std::string_view linha) {
  if (Campo(linha, 1, 4) != "****") ex.GravaErro(CodigoM::MarcaTeleprocessamentoInvalida, 1, 4);
  if (ExigeNumerico(ex, linha, 5, 2) && Campo(linha, 5, 2) != "03")
    ex.GravaErro(CodigoM::VersaoIncorreta, 5, 6);
  const std::string_view marcador = ex.RegistroAtual.Marcador;
  if (marcador != " " && marcador != "X") ex.GravaErro(CodigoM::ConteudoNaoXouBranco, 15, 15);

  const std::string_view diaInicio = Campo(linha, 16, 2);
  if (ExigeNumerico(ex, linha, 16, 2) && (diaInicio < "01" || diaInicio > "31"))
    ex.GravaErro(CodigoM::DiaInicioInvalido, 16, 17);
  if (ExigeNumerico(ex, linha, 18, 2) && !(Campo(linha, 18, 2) > diaInicio))
    ex.GravaErro(CodigoM::DiaTerminoInvalido, 18, 19);

  Referencia r;
  if (ExigeNumerico(ex, linha, 20, 6)) {
    r.chave = ChaveDoPeriodo(Campo(linha, 20, 6));
    r.lida = true;
    if (!ValidaData(linha, 20, DataMMAAAA))
      ex.GravaErro(CodigoM::DataInvalida, 20, 25);
    else if (Ordem(r.chave) < PrimeiraReferencia || Ordem(r.chave) > UltimaReferencia)
      ex.GravaErro(CodigoM::ReferenciaInvalida, 20, 25);
  }

  if (ExigeNumerico(ex, linha, 26, 10)) {
    const std::string_view inscricao = Campo(linha, 26, 10);
    if (ValorNumerico(inscricao) == 0) {
      // A return without a registration is reported, from here on, as registration 0.
      ex.RegistroAtual.Inscricao.assign(1, '0');
      ex.GravaErro(CodigoM::CampoObrigatorioAusente, 26, 35);
    } else if (inscricao[9] != CalculaDigito(inscricao)) {
      ex.GravaErro(CodigoM::DigitoControleInvalido, 26, 35, DigitoDeclaradoECalculado(inscricao));
    }
  }
  return r;
}

// The amounts of columns 84-499 that later rules compare, named as the rules name them; 0 where
// the field is not numeric.
struct Montantes {
  double D = 0, E = 0, F = 0, I = 0, J = 0;
};

// Amounts of columns 84-499: the difference A - B = C, the running sums E and F, and the balances
// G, H and I.
Montantes ConfereMontantes(Execucao& ex, std::string_view linha) {
  Montantes m;
  const double a = LeNumerico(ex, linha, 84, 16).value_or(0);
  const double b = LeNumerico(ex, linha, 100, 16).value_or(0);
  const double c = LeNumerico(ex, linha, 116, 16).value_or(0);
  if (a - b != c) ex.GravaErro(CodigoM::ValorIncorreto, 116, 131, {c, a - b});

  double s = 0;
  for (int coluna = 132; coluna <= 260; coluna += 16)
    s += LeNumerico(ex, linha, coluna, 16).value_or(0);
  m.D = LeNumerico(ex, linha, 276, 16).value_or(0);
  s += m.D;
  const std::optional<double> e = LeNumerico(ex, linha, 292, 16);
  m.E = e.value_or(0);
  if (e && m.E != s) ex.GravaErro(CodigoM::ValorIncorreto, 292, 307, {m.E, s});

  // The second sum starts again at column 308; when that field is not a number the first sum runs
  // on.
  const std::optional<double> reinicio = LeNumerico(ex, linha, 308, 16);
  if (reinicio) s = *reinicio;
  for (int coluna = 324; coluna <= 404; coluna += 16)
    s += LeNumerico(ex, linha, coluna, 16).value_or(0);
  const std::optional<double> f = LeNumerico(ex, linha, 420, 16);
  m.F = f.value_or(0);
  if (f && m.F != s) ex.GravaErro(CodigoM::ValorIncorreto, 420, 435, {m.F, s});

  const std::optional<double> g = LeNumerico(ex, linha, 436, 16);
  if (g && m.E > m.F && *g != m.E - m.F)
    ex.GravaErro(CodigoM::ValorIncorreto, 436, 451, {*g, m.E - m.F});
  const double h = LeNumerico(ex, linha, 452, 16).value_or(0);
  if (g.value_or(0) < h) ex.GravaErro(CodigoM::ValorIncorreto, 452, 467);
  const std::optional<double> i = LeNumerico(ex, linha, 468, 16);
  m.I = i.value_or(0);
  if (i) {
    if (m.I > 0 && g.value_or(0) != h) ex.GravaErro(CodigoM::ValorIncorreto, 468, 483);
    if (m.F > m.E && m.I != m.F - m.E + h)
      ex.GravaErro(CodigoM::ValorIncorreto, 468, 483, {m.I, m.F - m.E + h});
  }
  m.J = LeNumerico(ex, linha, 484, 16).value_or(0);
  return m;
}

constexpr int PrimeiroVencimento = 516;
constexpr int TamanhoVencimento = 24;
constexpr int QtdVencimentos = 9;

// What both passes over a due-date entry read of its date and amount, worked out once: the two
// passes look at the same fields, and these readings have no finding of their own.
struct Vencimento {
  bool dataNumerica = false;
  std::uint64_t data = 0;   // the date's digits as a number, when numeric
  bool dataValida = false;  // a calendar date or all zeros; only for a numeric date
  bool antecede = false;    // before the reference period; only for a valid date
  bool valorNumerico = false;
  double valor = 0;
};

ROLVAL_EM_LINHA inline bool LeCampo(std::string_view linha, int coluna, int tamanho,
                                    std::uint64_t& valor) {
  const std::string_view campo = Campo(linha, coluna, tamanho);
  return static_cast<int>(campo.size()) == tamanho && digitos::LeDigitos(campo, valor);
}

Vencimento LeVencimento(std::string_view linha, int p, const Referencia& r) {
  Vencimento v;
  v.dataNumerica = LeCampo(linha, p, 8, v.data);
  if (v.dataNumerica) {
    const std::string_view d = Campo(linha, p, 8);
    v.dataValida = DigitosDeDataValidos(d, DataDDMMAAAA);
    v.antecede = v.dataValida && r.Antecede(ChaveDaData(d));
  }
  std::uint64_t valor = 0;
  v.valorNumerico = LeCampo(linha, p + 8, 16, valor);
  v.valor = static_cast<double>(static_cast<std::int64_t>(valor));
  return v;
}

// First pass over a due-date entry at column p, led by the date.
void ConfereDataDoVencimento(Execucao& ex, const Vencimento& v, int p) {
  if (!v.dataNumerica) {
    CampoNaoNumerico(ex, p, 8);
    return;
  }
  if (v.data == 0) return;
  if (!v.dataValida) {
    ex.GravaErro(CodigoM::DataInvalida, p, p + 7);
    return;
  }
  if (v.antecede) {
    ex.GravaErro(CodigoM::VencimentoIncorreto, p, p + 7);
    return;
  }
  if (!v.valorNumerico)
    CampoNaoNumerico(ex, p + 8, 16);
  else if (v.valor < 1)
    ex.GravaErro(CodigoM::CampoObrigatorioAusente, p + 8, p + 23);
}

// Second pass over a due-date entry at column p, led by the amount, which it adds to `total`.
void ConfereValorDoVencimento(Execucao& ex, const Vencimento& v, int p, double& total) {
  if (!v.valorNumerico) {
    CampoNaoNumerico(ex, p + 8, 16);
    return;
  }
  total += v.valor;
  if (!(v.valor > 0)) return;
  // A date that is not all digits cannot be read as a date; the first pass has reported it, and
  // the entry ends here.
  if (!v.dataNumerica) return;
  if (!v.dataValida) {
    ex.GravaErro(CodigoM::DataInvalida, p, p + 7);
    return;
  }
  if (v.antecede) {
    ex.GravaErro(CodigoM::VencimentoIncorreto, p, p + 7);
    return;
  }
  // A positive amount needs a due date: an all-zero date passed the date check but fails here.
  if (v.data < 1) ex.GravaErro(CodigoM::CampoObrigatorioAusente, p, p + 7);
}

// The nine due-date entries, then the closing rules of L and K; `m` holds the amounts of 84-499.
void ConfereVencimentos(Execucao& ex, std::string_view linha, const Referencia& r,
                        const Montantes& m) {
  Vencimento vencimentos[QtdVencimentos];
  for (int k = 0; k < QtdVencimentos; ++k)
    vencimentos[k] = LeVencimento(linha, PrimeiroVencimento + TamanhoVencimento * k, r);
  // The first entry's date and amount, for the rule that K above L needs a first payment.
  const double v1 = vencimentos[0].dataNumerica ? static_cast<double>(vencimentos[0].data) : 0;
  const double v2 = vencimentos[0].valorNumerico ? vencimentos[0].valor : 0;

  double t = 0;
  for (int k = 0; k < QtdVencimentos; ++k) {
    const int p = PrimeiroVencimento + TamanhoVencimento * k;
    ConfereDataDoVencimento(ex, vencimentos[k], p);
    ConfereValorDoVencimento(ex, vencimentos[k], p, t);
  }

  const std::optional<double> l = LeNumerico(ex, linha, 732, 16);
  if (l) t += *l;
  const std::optional<double> k = LeNumerico(ex, linha, 500, 16);
  if (k) {
    if (m.J + m.I != *k) ex.GravaErro(CodigoM::ValorIncorreto, 500, 515, {*k, m.J + m.I});
    if (m.D != 0) {
      if (t - m.D > *k) ex.GravaErro(CodigoM::ValorIncorreto, 500, 515);
    } else if (t != *k) {
      ex.GravaErro(CodigoM::ValorIncorreto, 500, 515, {*k, t});
    }
  }
  if (k.value_or(0) > l.value_or(0)) {
    if (v1 == 0) ex.GravaErro(CodigoM::CampoObrigatorioAusente, 516, 523);
    if (v2 == 0) ex.GravaErro(CodigoM::CampoObrigatorioAusente, 524, 539);
  }
}

}  // namespace

void ValidaVersao3(Execucao& ex, std::string_view linha) {
  ex.RegistroAtual.LeIdentificacaoMensal(linha);

  const Referencia r = ConfereIdentificacao(ex, linha);
  RegistraRetornoAntigo(ex);
  const Montantes m = ConfereMontantes(ex, linha);
  ConfereVencimentos(ex, linha, r, m);
  for (int coluna = 748; coluna <= 860; coluna += 16) ExigeNumerico(ex, linha, coluna, 16);
  ExigeNumerico(ex, linha, 876, 4);
}

void PreparaROL03(Execucao& ex) {
  ex.TabelaAtual = &TabelaROL03();
  ex.TabelaCabecalho = ex.TabelaAtual;
}

bool ReconheceROL03(std::string_view primeiraLinha) {
  return Campo(primeiraLinha, 1, 6) == "****03";
}

}  // namespace rolval
