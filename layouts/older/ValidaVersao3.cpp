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

constexpr CampoRegistro Marca = CampoDe(CamposROL03, "Marca teleprocessamento");
constexpr CampoRegistro Versao = CampoDe(CamposROL03, "Versão");
constexpr CampoRegistro Marcador = CampoDe(CamposROL03, "Marcador");
constexpr CampoRegistro DiaInicio = CampoDe(CamposROL03, "Dia de início");
constexpr CampoRegistro DiaFim = CampoDe(CamposROL03, "Dia de término");
constexpr CampoRegistro Periodo = CampoDe(CamposROL03, "Mês/ano de referência");
constexpr CampoRegistro Inscricao = CampoDe(CamposROL03, "Inscrição");
constexpr CampoRegistro ValorA = CampoDe(CamposROL03, "Valor A");
constexpr CampoRegistro ValorB = CampoDe(CamposROL03, "Valor B");
constexpr CampoRegistro ValorC = CampoDe(CamposROL03, "Diferença A − B (C)");
constexpr CampoRegistro ParcelaE = CampoDe(CamposROL03, "Parcela do total E");
constexpr CampoRegistro ValorD = CampoDe(CamposROL03, "Valor D (parcela do total E)");
constexpr CampoRegistro TotalE = CampoDe(CamposROL03, "Total E");
constexpr CampoRegistro ParcelaF = CampoDe(CamposROL03, "Parcela do total F");
constexpr CampoRegistro TotalF = CampoDe(CamposROL03, "Total F");
constexpr CampoRegistro SaldoG = CampoDe(CamposROL03, "Saldo E − F (G)");
constexpr CampoRegistro ValorH = CampoDe(CamposROL03, "Valor H");
constexpr CampoRegistro SaldoI = CampoDe(CamposROL03, "Saldo F − E + H (I)");
constexpr CampoRegistro ValorJ = CampoDe(CamposROL03, "Valor J");
constexpr CampoRegistro SomaK = CampoDe(CamposROL03, "Soma J + I (K)");
constexpr CampoRegistro DataVencimento = CampoDe(CamposROL03, "Vencimento");
constexpr CampoRegistro ValorVencimento = CampoDe(CamposROL03, "Valor do vencimento");
constexpr CampoRegistro ValorL = CampoDe(CamposROL03, "Valor L");
constexpr CampoRegistro Numero748 = CampoDe(CamposROL03, "Número (col. 748)");
constexpr CampoRegistro Numero876 = CampoDe(CamposROL03, "Número (col. 876)");

// Every amount is 16 digits wide, so that the numeric reading is the fixed-length one.
constexpr int TamanhoValor = ValorA.tamanho;
static_assert([] {
  for (const CampoRegistro& c : CamposROL03)
    if (c.tipo == TipoCampo::Valor && c.tamanho != TamanhoValor) return false;
  return true;
}());

// The amount `campo` (its occurrence `i` for a repeated one), or nothing when it is not numeric
// (reported here).
ROLVAL_EM_LINHA inline std::optional<double> LeValor(Execucao& ex, std::string_view linha,
                                                     const CampoRegistro& campo, int i = 0) {
  return LeNumerico(ex, linha, campo.ColunaDe(i), TamanhoValor);
}

// A finding at the columns of `campo`.
void GravaNoCampo(Execucao& ex, CodigoM codigo, const CampoRegistro& campo,
                  const ValoresAchado& valores = {}) {
  ex.GravaErro(codigo, campo.coluna, campo.Ultima(), valores);
}

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
  if (Campo(linha, Marca) != "****")
    GravaNoCampo(ex, CodigoM::MarcaTeleprocessamentoInvalida, Marca);
  if (ExigeNumerico(ex, linha, Versao) && Campo(linha, Versao) != "03")
    GravaNoCampo(ex, CodigoM::VersaoIncorreta, Versao);
  const std::string_view marcador = ex.RegistroAtual.Marcador;
  if (marcador != " " && marcador != "X") GravaNoCampo(ex, CodigoM::ConteudoNaoXouBranco, Marcador);

  const std::string_view diaInicio = Campo(linha, DiaInicio);
  if (ExigeNumerico(ex, linha, DiaInicio) && (diaInicio < "01" || diaInicio > "31"))
    GravaNoCampo(ex, CodigoM::DiaInicioInvalido, DiaInicio);
  if (ExigeNumerico(ex, linha, DiaFim) && !(Campo(linha, DiaFim) > diaInicio))
    GravaNoCampo(ex, CodigoM::DiaTerminoInvalido, DiaFim);

  Referencia r;
  if (ExigeNumerico(ex, linha, Periodo)) {
    r.chave = ChaveDoPeriodo(Campo(linha, Periodo));
    r.lida = true;
    if (!ValidaData(linha, Periodo.coluna, DataMMAAAA))
      GravaNoCampo(ex, CodigoM::DataInvalida, Periodo);
    else if (Ordem(r.chave) < PrimeiraReferencia || Ordem(r.chave) > UltimaReferencia)
      GravaNoCampo(ex, CodigoM::ReferenciaInvalida, Periodo);
  }

  if (ExigeNumerico(ex, linha, Inscricao)) {
    const std::string_view inscricao = Campo(linha, Inscricao);
    if (ValorNumerico(inscricao) == 0) {
      // A return without a registration is reported, from here on, as registration 0.
      ex.RegistroAtual.Inscricao.assign(1, '0');
      GravaNoCampo(ex, CodigoM::CampoObrigatorioAusente, Inscricao);
    } else if (inscricao.back() != CalculaDigito(inscricao)) {
      GravaNoCampo(ex, CodigoM::DigitoControleInvalido, Inscricao,
                   DigitoDeclaradoECalculado(inscricao));
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
  const double a = LeValor(ex, linha, ValorA).value_or(0);
  const double b = LeValor(ex, linha, ValorB).value_or(0);
  const double c = LeValor(ex, linha, ValorC).value_or(0);
  if (a - b != c) GravaNoCampo(ex, CodigoM::ValorIncorreto, ValorC, {c, a - b});

  double s = 0;
  for (int i = 0; i < ParcelaE.vezes; ++i) s += LeValor(ex, linha, ParcelaE, i).value_or(0);
  m.D = LeValor(ex, linha, ValorD).value_or(0);
  s += m.D;
  const std::optional<double> e = LeValor(ex, linha, TotalE);
  m.E = e.value_or(0);
  if (e && m.E != s) GravaNoCampo(ex, CodigoM::ValorIncorreto, TotalE, {m.E, s});

  // The second sum starts again at its first amount; when that field is not a number the first
  // sum runs on.
  const std::optional<double> reinicio = LeValor(ex, linha, ParcelaF);
  if (reinicio) s = *reinicio;
  for (int i = 1; i < ParcelaF.vezes; ++i) s += LeValor(ex, linha, ParcelaF, i).value_or(0);
  const std::optional<double> f = LeValor(ex, linha, TotalF);
  m.F = f.value_or(0);
  if (f && m.F != s) GravaNoCampo(ex, CodigoM::ValorIncorreto, TotalF, {m.F, s});

  const std::optional<double> g = LeValor(ex, linha, SaldoG);
  if (g && m.E > m.F && *g != m.E - m.F)
    GravaNoCampo(ex, CodigoM::ValorIncorreto, SaldoG, {*g, m.E - m.F});
  const double h = LeValor(ex, linha, ValorH).value_or(0);
  if (g.value_or(0) < h) GravaNoCampo(ex, CodigoM::ValorIncorreto, ValorH);
  const std::optional<double> i = LeValor(ex, linha, SaldoI);
  m.I = i.value_or(0);
  if (i) {
    if (m.I > 0 && g.value_or(0) != h) GravaNoCampo(ex, CodigoM::ValorIncorreto, SaldoI);
    if (m.F > m.E && m.I != m.F - m.E + h)
      GravaNoCampo(ex, CodigoM::ValorIncorreto, SaldoI, {m.I, m.F - m.E + h});
  }
  m.J = LeValor(ex, linha, ValorJ).value_or(0);
  return m;
}

constexpr int QtdVencimentos = DataVencimento.vezes;
static_assert(ValorVencimento.vezes == QtdVencimentos &&
              ValorVencimento.largura == DataVencimento.largura);

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

// Due-date entry k (0 to 8): its date's and its amount's first and last columns.
constexpr int ColunaData(int k) { return DataVencimento.ColunaDe(k); }
constexpr int UltimaData(int k) { return DataVencimento.UltimaDe(k); }
constexpr int ColunaValor(int k) { return ValorVencimento.ColunaDe(k); }
constexpr int UltimaValor(int k) { return ValorVencimento.UltimaDe(k); }

Vencimento LeVencimento(std::string_view linha, int k, const Referencia& r) {
  Vencimento v;
  v.dataNumerica = LeCampo(linha, ColunaData(k), DataVencimento.tamanho, v.data);
  if (v.dataNumerica) {
    const std::string_view d = Campo(linha, ColunaData(k), DataVencimento.tamanho);
    v.dataValida = DigitosDeDataValidos(d, DataDDMMAAAA);
    v.antecede = v.dataValida && r.Antecede(ChaveDaData(d));
  }
  std::uint64_t valor = 0;
  v.valorNumerico = LeCampo(linha, ColunaValor(k), TamanhoValor, valor);
  v.valor = static_cast<double>(static_cast<std::int64_t>(valor));
  return v;
}

// First pass over due-date entry k, led by the date.
void ConfereDataDoVencimento(Execucao& ex, const Vencimento& v, int k) {
  if (!v.dataNumerica) {
    CampoNaoNumerico(ex, ColunaData(k), DataVencimento.tamanho);
    return;
  }
  if (v.data == 0) return;
  if (!v.dataValida) {
    ex.GravaErro(CodigoM::DataInvalida, ColunaData(k), UltimaData(k));
    return;
  }
  if (v.antecede) {
    ex.GravaErro(CodigoM::VencimentoIncorreto, ColunaData(k), UltimaData(k));
    return;
  }
  if (!v.valorNumerico)
    CampoNaoNumerico(ex, ColunaValor(k), TamanhoValor);
  else if (v.valor < 1)
    ex.GravaErro(CodigoM::CampoObrigatorioAusente, ColunaValor(k), UltimaValor(k));
}

// Second pass over due-date entry k, led by the amount, which it adds to `total`.
void ConfereValorDoVencimento(Execucao& ex, const Vencimento& v, int k, double& total) {
  if (!v.valorNumerico) {
    CampoNaoNumerico(ex, ColunaValor(k), TamanhoValor);
    return;
  }
  total += v.valor;
  if (!(v.valor > 0)) return;
  // A date that is not all digits cannot be read as a date; the first pass has reported it, and
  // the entry ends here.
  if (!v.dataNumerica) return;
  if (!v.dataValida) {
    ex.GravaErro(CodigoM::DataInvalida, ColunaData(k), UltimaData(k));
    return;
  }
  if (v.antecede) {
    ex.GravaErro(CodigoM::VencimentoIncorreto, ColunaData(k), UltimaData(k));
    return;
  }
  // A positive amount needs a due date: an all-zero date passed the date check but fails here.
  if (v.data < 1) ex.GravaErro(CodigoM::CampoObrigatorioAusente, ColunaData(k), UltimaData(k));
}

// The nine due-date entries, then the closing rules of L and K; `m` holds the amounts of 84-499.
void ConfereVencimentos(Execucao& ex, std::string_view linha, const Referencia& r,
                        const Montantes& m) {
  Vencimento vencimentos[QtdVencimentos];
  for (int k = 0; k < QtdVencimentos; ++k) vencimentos[k] = LeVencimento(linha, k, r);
  // The first entry's date and amount, for the rule that K above L needs a first payment.
  const double v1 = vencimentos[0].dataNumerica ? static_cast<double>(vencimentos[0].data) : 0;
  const double v2 = vencimentos[0].valorNumerico ? vencimentos[0].valor : 0;

  double t = 0;
  for (int k = 0; k < QtdVencimentos; ++k) {
    ConfereDataDoVencimento(ex, vencimentos[k], k);
    ConfereValorDoVencimento(ex, vencimentos[k], k, t);
  }

  const std::optional<double> l = LeValor(ex, linha, ValorL);
  if (l) t += *l;
  const std::optional<double> k = LeValor(ex, linha, SomaK);
  if (k) {
    if (m.J + m.I != *k) GravaNoCampo(ex, CodigoM::ValorIncorreto, SomaK, {*k, m.J + m.I});
    if (m.D != 0) {
      if (t - m.D > *k) GravaNoCampo(ex, CodigoM::ValorIncorreto, SomaK);
    } else if (t != *k) {
      GravaNoCampo(ex, CodigoM::ValorIncorreto, SomaK, {*k, t});
    }
  }
  if (k.value_or(0) > l.value_or(0)) {
    if (v1 == 0) ex.GravaErro(CodigoM::CampoObrigatorioAusente, ColunaData(0), UltimaData(0));
    if (v2 == 0) ex.GravaErro(CodigoM::CampoObrigatorioAusente, ColunaValor(0), UltimaValor(0));
  }
}

}  // namespace

void ValidaVersao3(Execucao& ex, std::string_view linha) {
  ex.RegistroAtual.LeIdentificacaoMensal(linha);

  const Referencia r = ConfereIdentificacao(ex, linha);
  RegistraRetornoAntigo(ex);
  const Montantes m = ConfereMontantes(ex, linha);
  ConfereVencimentos(ex, linha, r, m);
  for (int i = 0; i < Numero748.vezes; ++i)
    ExigeNumerico(ex, linha, Numero748.ColunaDe(i), Numero748.tamanho);
  ExigeNumerico(ex, linha, Numero876);
}

void PreparaROL03(Execucao& ex) {
  ex.TabelaAtual = &TabelaROL03();
  ex.TabelaCabecalho = ex.TabelaAtual;
}

bool ReconheceROL03(std::string_view primeiraLinha) {
  // The mark and the version read as one text: two fields, so no one field's columns.
  static_assert(Versao.coluna == Marca.Ultima() + 1);
  return Campo(primeiraLinha, Marca.coluna, Marca.tamanho + Versao.tamanho) == "****03";
}

}  // namespace rolval
