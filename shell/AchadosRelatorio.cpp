#include "shell/AchadosRelatorio.h"

#include <algorithm>

#include "run/Campo.h"
#include "run/Catalogos.h"

namespace rolval {

namespace {

// Where the blank before the line number can stand: after a registration part of 15 to 19
// characters and a period of 6 (as it was) or 7 (masked) characters.
constexpr std::size_t PrimeiraPosicaoNumeros = 15 + 6;
constexpr std::size_t UltimaPosicaoNumeros = 19 + 7;
constexpr std::size_t MaxDigitos = 18;  // more would not fit a 64-bit number

constexpr std::string_view Hifens73 =
    "-------------------------------------------------------------------------";
static_assert(Hifens73.size() == 73);

bool EDigito(char c) { return c >= '0' && c <= '9'; }

bool SoDigitos(std::string_view s) { return std::all_of(s.begin(), s.end(), EDigito); }

// A registration as the mask prints a number: ten digits at least, a slash before the last seven.
bool EInscricaoMascarada(std::string_view s) {
  if (s.size() < 11 || s[s.size() - 8] != '/') return false;
  return SoDigitos(s.substr(0, s.size() - 8)) && SoDigitos(s.substr(s.size() - 7));
}

// The registration part: 15 characters beginning with a blank (one blank and the 14 characters as
// they are, or four blanks and the masked number cut to 11); or, not cut, four blanks and a masked
// number of 12 to 15 characters or 14 characters as they are.
bool EParteInscricao(std::string_view s) {
  if (s.size() == 15) return s[0] == ' ';
  if (s.size() < 16 || s.size() > 19 || s.substr(0, 4) != "    ") return false;
  const std::string_view resto = s.substr(4);
  return EInscricaoMascarada(resto) || resto.size() == 14;
}

bool EPeriodoMascarado(std::string_view s) {
  return s.size() == 7 && s[2] == '/' && SoDigitos(s.substr(0, 2)) && SoDigitos(s.substr(3));
}

// A period printed as it was: six characters that the mask would have changed had they been a
// number, or blank.
bool EPeriodoCru(std::string_view s) {
  if (s.size() != 6) return false;
  const std::string_view aparado = Apara(s);
  return !aparado.empty() && !SoDigitos(aparado);
}

// A blank and a number of at least three digits at `p`; moves `p` past it.
bool LeNumero(std::string_view s, std::size_t& p, std::int64_t& valor) {
  if (p >= s.size() || s[p] != ' ') return false;
  std::size_t q = p + 1;
  valor = 0;
  while (q < s.size() && EDigito(s[q])) {
    if (q - p > MaxDigitos) return false;
    valor = valor * 10 + (s[q] - '0');
    ++q;
  }
  if (q - p - 1 < 3) return false;
  p = q;
  return true;
}

// No message of the catalogues begins with a number of three digits or more standing alone: a
// candidate whose message would is a wrong reading, taking a blank inside the period for the
// one before the line number.
bool MensagemComecaComNumero(std::string_view mensagem) {
  std::size_t n = 0;
  while (n < mensagem.size() && EDigito(mensagem[n])) ++n;
  return n >= 3 && (n == mensagem.size() || mensagem[n] == ' ');
}

}  // namespace

bool LeLinhaAchado(std::string_view linha, AchadoLido& achado) {
  const std::size_t ultima = std::min(UltimaPosicaoNumeros, linha.size());
  for (std::size_t p = PrimeiraPosicaoNumeros; p <= ultima; ++p) {
    std::size_t q = p;
    std::int64_t numeroLinha = 0;
    std::int64_t inicio = 0;
    std::int64_t fim = 0;
    if (!LeNumero(linha, q, numeroLinha) || !LeNumero(linha, q, inicio) || !LeNumero(linha, q, fim))
      continue;
    if (q < linha.size() && linha[q] != ' ') continue;
    const std::string_view mensagem = q < linha.size() ? linha.substr(q + 1) : std::string_view();
    if (MensagemComecaComNumero(mensagem)) continue;
    // The registration part and the period in front of the numbers: a masked period first.
    std::size_t larguraPeriodo = 0;
    if (EPeriodoMascarado(linha.substr(p - 7, 7)) && EParteInscricao(linha.substr(0, p - 7)))
      larguraPeriodo = 7;
    else if (EPeriodoCru(linha.substr(p - 6, 6)) && EParteInscricao(linha.substr(0, p - 6)))
      larguraPeriodo = 6;
    else
      continue;
    achado.inscricao = std::string(Apara(linha.substr(0, p - larguraPeriodo)));
    achado.periodo = std::string(linha.substr(p - larguraPeriodo, larguraPeriodo));
    achado.linha = numeroLinha;
    achado.inicio = inicio;
    achado.fim = fim;
    achado.mensagem = std::string(mensagem);
    achado.aviso = MensagemDeAviso(achado.mensagem);
    return true;
  }
  return false;
}

AchadosRelatorio LeAchados(std::string_view relatorio) {
  AchadosRelatorio resultado;
  int hifens = 0;
  std::int32_t bloco = 0;
  while (!relatorio.empty()) {
    // One report line: up to CR LF or a lone CR.
    const std::size_t cr = relatorio.find('\r');
    const std::string_view linha = relatorio.substr(0, cr);
    if (cr == std::string_view::npos) {
      relatorio = {};
    } else {
      relatorio.remove_prefix(cr + 1);
      if (!relatorio.empty() && relatorio.front() == '\n') relatorio.remove_prefix(1);
    }
    const auto quebras = static_cast<std::int32_t>(std::count(linha.begin(), linha.end(), '\n'));
    const std::int32_t primeiro = bloco;
    bloco += 1 + quebras;

    if (hifens < 2) {
      if (linha == Hifens73) ++hifens;
      continue;
    }
    if (linha.empty()) continue;
    AchadoLido achado;
    if (!LeLinhaAchado(linha, achado)) {
      ++resultado.erros;  // a finding all the same, though it names no line to go to
      continue;
    }
    achado.blocoInicial = primeiro;
    achado.blocoFinal = primeiro + quebras;
    ++(achado.aviso ? resultado.avisos : resultado.erros);
    resultado.achados.push_back(std::move(achado));
  }
  return resultado;
}

}  // namespace rolval
