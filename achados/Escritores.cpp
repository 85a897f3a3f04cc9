#include "achados/Escritores.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "run/Campo.h"
#include "run/Latin1.h"

namespace rolval {

namespace {

constexpr char Hex[] = "0123456789abcdef";

void AcrescentaInteiro(std::string& s, std::int64_t valor) {
  char b[24];
  const auto r = std::to_chars(b, b + sizeof b, valor);
  s.append(b, r.ptr);
}

// An amount, count or check digit: whole numbers as integers, others in decimal;
// absent (or not a number) as `nada`.
void AcrescentaValor(std::string& s, const std::optional<double>& valor, std::string_view nada) {
  if (!valor || !std::isfinite(*valor)) {
    s.append(nada);
    return;
  }
  const double v = *valor;
  if (v == std::trunc(v) && std::fabs(v) < 9.0e15) {
    AcrescentaInteiro(s, static_cast<std::int64_t>(v));
    return;
  }
  // Fifteen significant digits where they read back as the same number, else seventeen.
  char b[32];
  int n = std::snprintf(b, sizeof b, "%.15g", v);
  if (std::strtod(b, nullptr) != v) n = std::snprintf(b, sizeof b, "%.17g", v);
  s.append(b, static_cast<std::size_t>(n));
}

// The escape of a quote, a backslash or a control character in a JSON string, written at `p`;
// returns the end of what it wrote.
char* EscapaJson(char* p, unsigned char c) {
  *p++ = '\\';
  switch (c) {
    case '"':
    case '\\':
      *p++ = static_cast<char>(c);
      return p;
    case '\b':
      *p++ = 'b';
      return p;
    case '\f':
      *p++ = 'f';
      return p;
    case '\n':
      *p++ = 'n';
      return p;
    case '\r':
      *p++ = 'r';
      return p;
    case '\t':
      *p++ = 't';
      return p;
    default:
      *p++ = 'u';
      *p++ = '0';
      *p++ = '0';
      *p++ = Hex[c >> 4];
      *p++ = Hex[c & 0xF];
      return p;
  }
}

template <bool latin1>
constexpr std::array<bool, 256> FicaComoEsta = [] {
  std::array<bool, 256> t{};
  for (int u = 0; u < 256; ++u) t[u] = u >= 0x20 && u != '"' && u != '\\' && (!latin1 || u < 0x80);
  return t;
}();

template <bool latin1>
void AcrescentaJsonTexto(std::string& s, std::string_view t) {
  // Built in a buffer on the stack (six bytes at most for one) and appended at once; a long text
  // a piece at a time.
  constexpr std::size_t Pedaco = 256;
  char b[Pedaco * 6 + 2];
  char* p = b;
  *p++ = '"';
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (p - b > static_cast<std::ptrdiff_t>(Pedaco * 6 - 6)) {
      s.append(b, static_cast<std::size_t>(p - b));
      p = b;
    }
    const auto u = static_cast<unsigned char>(t[i]);
    if (FicaComoEsta<latin1>[u]) {
      *p++ = static_cast<char>(u);
    } else if (latin1 && u >= 0x80) {
      *p++ = static_cast<char>(0xC0 | (u >> 6));
      *p++ = static_cast<char>(0x80 | (u & 0x3F));
    } else {
      p = EscapaJson(p, u);
    }
  }
  *p++ = '"';
  s.append(b, static_cast<std::size_t>(p - b));
}

}  // namespace

void AcrescentaJsonUtf8(std::string& s, std::string_view utf8) {
  AcrescentaJsonTexto<false>(s, utf8);
}

namespace {

void AcrescentaJsonLatin1(std::string& s, std::string_view latin1) {
  AcrescentaJsonTexto<true>(s, latin1);
}

// ,"chave": written as one piece: the key's text is known where it is called.
template <std::size_t N>
void AcrescentaChave(std::string& s, const char (&chave)[N]) {
  constexpr std::size_t n = N - 1;
  char b[n + 4];
  b[0] = ',';
  b[1] = '"';
  std::memcpy(b + 2, chave, n);
  b[n + 2] = '"';
  b[n + 3] = ':';
  s.append(b, n + 4);
}

std::string_view NomeDoCatalogo(char catalogo) { return catalogo == 'M' ? "M" : "ST"; }

template <bool latin1>
constexpr std::array<bool, 256> FicaNoCsv = [] {
  std::array<bool, 256> t{};
  for (int u = 0; u < 256; ++u) t[u] = u != '"' && u != '\r' && u != '\n' && (!latin1 || u < 0x80);
  return t;
}();

// One CSV field, in one pass: in quotes (and quotes doubled) only when it holds the separator, a
// quote or a line end; Latin-1 bytes turned into UTF-8 when `latin1`.
template <bool latin1>
void AcrescentaCsvCampo(std::string& s, std::string_view bytes, char separador) {
  const std::size_t inicio = s.size();
  bool aspas = false;
  std::size_t copiado = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto u = static_cast<unsigned char>(bytes[i]);
    if (FicaNoCsv<latin1>[u]) {
      if (bytes[i] == separador) aspas = true;
      continue;
    }
    if (u == '\r' || u == '\n') {
      aspas = true;
      continue;
    }
    s.append(bytes.data() + copiado, i - copiado);
    copiado = i + 1;
    if (u == '"') {
      s.append("\"\"");
      aspas = true;
    } else {
      const char par[2] = {static_cast<char>(0xC0 | (u >> 6)),
                           static_cast<char>(0x80 | (u & 0x3F))};
      s.append(par, 2);
    }
  }
  s.append(bytes.data() + copiado, bytes.size() - copiado);
  if (aspas) {
    s.insert(inicio, 1, '"');
    s.push_back('"');
  }
}

void AcrescentaCsvCabecalho(std::string& s, std::initializer_list<std::string_view> nomes,
                            char separador) {
  bool primeiro = true;
  for (const std::string_view nome : nomes) {
    if (!primeiro) s.push_back(separador);
    primeiro = false;
    s.append(nome);
  }
  s.append("\r\n");
}

// The length of the UTF-8 sequence that starts `s` at `i`, well formed (no overlong form, no
// surrogate, nothing past U+10FFFF); 0 when there is none.
std::size_t SequenciaUtf8(std::string_view s, std::size_t i) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
  const unsigned char c = b(0);
  if (c < 0x80) return 1;
  std::size_t n = 0;
  unsigned char menor = 0x80, maior = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) menor = 0xA0;
    if (c == 0xED) maior = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) menor = 0x90;
    if (c == 0xF4) maior = 0x8F;
  } else {
    return 0;
  }
  if (i + n > s.size() || b(1) < menor || b(1) > maior) return 0;
  for (std::size_t k = 2; k < n; ++k)
    if (b(k) < 0x80 || b(k) > 0xBF) return 0;
  return n;
}

}  // namespace

std::string_view NomeDoStatus(Desfecho desfecho) {
  switch (desfecho) {
    case Desfecho::RelatorioOK:
      return "OK";
    case Desfecho::RelatorioNOK:
    case Desfecho::RelatorioSemJanela:
      return "NOK";
    case Desfecho::SemRelatorio:
      break;
  }
  return "NO_REPORT";
}

std::string DocumentoDaExecucao(const Execucao& execucao) {
  const std::string_view tag = AparaDireita(execucao.controle.Documento);
  return tag.empty() ? DocumentoDesconhecido : std::string(tag);
}

std::string NomeEmUtf8(std::string_view nome) {
  for (std::size_t i = 0; i < nome.size();) {
    const std::size_t n = SequenciaUtf8(nome, i);
    if (n == 0) return ParaUtf8(nome);
    i += n;
  }
  return std::string(nome);
}

namespace {

// Bytes in base64 (RFC 4648, with padding).
std::string Base64(std::string_view bytes) {
  static constexpr char Alfabeto[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string s;
  s.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t resto = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t grupo = 0;
    for (std::size_t k = 0; k < 3; ++k)
      grupo = grupo << 8 | (k < resto ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    for (std::size_t k = 0; k < 4; ++k)
      s.push_back(k <= resto ? Alfabeto[(grupo >> (18 - 6 * k)) & 0x3F] : '=');
  }
  return s;
}

}  // namespace

std::string NomeEmJson(std::string_view nome) {
  std::string s;
  const std::string utf8 = NomeEmUtf8(nome);
  AcrescentaJsonUtf8(s, utf8);
  if (utf8 != nome) {
    s.append(",\"file_bytes\":\"");
    s.append(Base64(nome));
    s.push_back('"');
  }
  return s;
}

void AcrescentaJsonAchado(std::string& s, std::string_view arquivoJson, const Achado& a) {
  s.append("{\"type\":\"finding\",\"file\":");
  s.append(arquivoJson);
  AcrescentaChave(s, "line");
  AcrescentaInteiro(s, a.linha);
  AcrescentaChave(s, "first_column");
  AcrescentaInteiro(s, a.inicio);
  AcrescentaChave(s, "last_column");
  AcrescentaInteiro(s, a.fim);
  AcrescentaChave(s, "catalogue");
  AcrescentaJsonUtf8(s, NomeDoCatalogo(a.catalogo));
  AcrescentaChave(s, "code");
  AcrescentaInteiro(s, a.codigo);
  AcrescentaChave(s, "registration");
  AcrescentaJsonLatin1(s, a.inscricao);
  AcrescentaChave(s, "period");
  AcrescentaJsonLatin1(s, a.periodo);
  AcrescentaChave(s, "message");
  AcrescentaJsonLatin1(s, a.mensagem);
  AcrescentaChave(s, "warning");
  s.append(a.Aviso() ? "true" : "false");
  AcrescentaChave(s, "record_type");
  AcrescentaJsonLatin1(s, a.tipoRegistro);
  AcrescentaChave(s, "field");
  if (a.campo == nullptr) {
    s.append("null");
  } else {
    s.append("{\"number\":");
    if (a.campo->numero > 0)
      AcrescentaInteiro(s, a.campo->numero);
    else
      s.append("null");
    AcrescentaChave(s, "name");
    AcrescentaJsonUtf8(s, a.campo->nome);
    AcrescentaChave(s, "first_column");
    AcrescentaInteiro(s, a.campo->ColunaDe(a.ocorrencia));
    AcrescentaChave(s, "last_column");
    AcrescentaInteiro(s, a.campo->UltimaDe(a.ocorrencia));
    s.push_back('}');
  }
  AcrescentaChave(s, "found");
  AcrescentaJsonLatin1(s, a.encontrado);
  AcrescentaChave(s, "declared");
  AcrescentaValor(s, a.declarado, "null");
  AcrescentaChave(s, "computed");
  AcrescentaValor(s, a.calculado, "null");
  s.append("}\n");
}

void AcrescentaJsonResumo(std::string& s, const ResumoArquivo& r) {
  s.append("{\"type\":\"summary\",\"file\":");
  s.append(NomeEmJson(r.arquivo));
  AcrescentaChave(s, "document");
  AcrescentaJsonUtf8(s, r.documento);
  AcrescentaChave(s, "status");
  AcrescentaJsonUtf8(s, NomeDoStatus(r.desfecho));
  AcrescentaChave(s, "returns");
  AcrescentaInteiro(s, r.retornos);
  AcrescentaChave(s, "findings");
  AcrescentaInteiro(s, r.achados);
  AcrescentaChave(s, "warnings");
  AcrescentaInteiro(s, r.avisos);
  AcrescentaChave(s, "messages");
  s.push_back('[');
  if (r.mensagens != nullptr)
    for (std::size_t i = 0; i < r.mensagens->size(); ++i) {
      if (i > 0) s.push_back(',');
      AcrescentaJsonUtf8(s, (*r.mensagens)[i]);
    }
  s.append("]}\n");
}

void AcrescentaJsonContagem(std::string& s, const LinhaContagem& l) {
  s.append("{\"type\":\"tally\",\"catalogue\":");
  AcrescentaJsonUtf8(s, NomeDoCatalogo(l.catalogo));
  AcrescentaChave(s, "code");
  AcrescentaInteiro(s, l.codigo);
  AcrescentaChave(s, "message");
  AcrescentaJsonLatin1(s, l.mensagem);
  AcrescentaChave(s, "findings");
  AcrescentaInteiro(s, l.achados);
  AcrescentaChave(s, "files");
  AcrescentaInteiro(s, l.arquivos);
  s.append("}\n");
}

void AcrescentaCsvCabecalho(std::string& s, char sep) {
  AcrescentaCsvCabecalho(
      s,
      {"file", "line", "first_column", "last_column", "catalogue", "code", "registration", "period",
       "message", "warning", "record_type", "field_number", "field_name", "field_first_column",
       "field_last_column", "found", "declared", "computed"},
      sep);
}

void AcrescentaCsvAchado(std::string& s, std::string_view arquivoUtf8, const Achado& a, char sep) {
  AcrescentaCsvCampo<false>(s, arquivoUtf8, sep);
  for (const std::int64_t n :
       {std::int64_t{a.linha}, std::int64_t{a.inicio}, std::int64_t{a.fim}}) {
    s.push_back(sep);
    AcrescentaInteiro(s, n);
  }
  s.push_back(sep);
  s.append(NomeDoCatalogo(a.catalogo));
  s.push_back(sep);
  AcrescentaInteiro(s, a.codigo);
  for (const std::string_view texto : {a.inscricao, a.periodo, a.mensagem}) {
    s.push_back(sep);
    AcrescentaCsvCampo<true>(s, texto, sep);
  }
  s.push_back(sep);
  s.append(a.Aviso() ? "true" : "false");
  s.push_back(sep);
  AcrescentaCsvCampo<true>(s, a.tipoRegistro, sep);
  s.push_back(sep);
  if (a.campo != nullptr) {
    if (a.campo->numero > 0) AcrescentaInteiro(s, a.campo->numero);
    s.push_back(sep);
    AcrescentaCsvCampo<false>(s, a.campo->nome, sep);
    s.push_back(sep);
    AcrescentaInteiro(s, a.campo->ColunaDe(a.ocorrencia));
    s.push_back(sep);
    AcrescentaInteiro(s, a.campo->UltimaDe(a.ocorrencia));
  } else {
    s.append(3, sep);
  }
  s.push_back(sep);
  AcrescentaCsvCampo<true>(s, a.encontrado, sep);
  s.push_back(sep);
  AcrescentaValor(s, a.declarado, "");
  s.push_back(sep);
  AcrescentaValor(s, a.calculado, "");
  s.append("\r\n");
}

void AcrescentaCsvCabecalhoResumo(std::string& s, char sep) {
  AcrescentaCsvCabecalho(s, {"file", "document", "status", "returns", "findings", "warnings"}, sep);
}

void AcrescentaCsvResumo(std::string& s, const ResumoArquivo& r, char sep) {
  AcrescentaCsvCampo<false>(s, NomeEmUtf8(r.arquivo), sep);
  s.push_back(sep);
  AcrescentaCsvCampo<false>(s, r.documento, sep);
  s.push_back(sep);
  s.append(NomeDoStatus(r.desfecho));
  for (const std::int64_t n : {r.retornos, r.achados, r.avisos}) {
    s.push_back(sep);
    AcrescentaInteiro(s, n);
  }
  s.append("\r\n");
}

void AcrescentaCsvCabecalhoContagem(std::string& s, char sep) {
  AcrescentaCsvCabecalho(s, {"catalogue", "code", "message", "findings", "files"}, sep);
}

void AcrescentaCsvContagem(std::string& s, const LinhaContagem& l, char sep) {
  s.append(NomeDoCatalogo(l.catalogo));
  s.push_back(sep);
  AcrescentaInteiro(s, l.codigo);
  s.push_back(sep);
  AcrescentaCsvCampo<true>(s, l.mensagem, sep);
  s.push_back(sep);
  AcrescentaInteiro(s, l.achados);
  s.push_back(sep);
  AcrescentaInteiro(s, l.arquivos);
  s.append("\r\n");
}

void AcrescentaTextoContagem(std::string& s, const LinhaContagem& l) {
  s.append("TALLY\t");
  s.append(NomeDoCatalogo(l.catalogo));
  s.push_back('\t');
  AcrescentaInteiro(s, l.codigo);
  s.push_back('\t');
  AcrescentaInteiro(s, l.achados);
  s.push_back('\t');
  AcrescentaInteiro(s, l.arquivos);
  s.push_back('\t');
  AcrescentaUtf8(s, l.mensagem);
  s.push_back('\n');
}

}  // namespace rolval
