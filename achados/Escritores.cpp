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

template <bool latin1>
constexpr std::array<bool, 256> FicaNoJson = [] {
  std::array<bool, 256> t{};
  for (int u = 0; u < 256; ++u) t[u] = u >= 0x20 && u != '"' && u != '\\' && (!latin1 || u < 0x80);
  return t;
}();

// In CSV a byte is copied as it is but for a quote (doubled) and, from Latin-1, a byte past ASCII
// (two bytes of UTF-8); a field goes in quotes when it holds a quote, a line end or the separator.
template <bool latin1>
constexpr std::array<bool, 256> FicaNoCsv = [] {
  std::array<bool, 256> t{};
  for (int u = 0; u < 256; ++u) t[u] = u != '"' && (!latin1 || u < 0x80);
  return t;
}();

constexpr std::array<bool, 256> PedeAspas = [] {
  std::array<bool, 256> t{};
  t['"'] = t['\r'] = t['\n'] = true;
  return t;
}();

// The most a text can take once written: six bytes a byte (a control character as \u00XX) and
// its quotes.
constexpr std::size_t MaximoTexto(std::string_view t) { return 6 * t.size() + 2; }
// Room for the keys, numbers and literals of one object or row, texts aside.
constexpr std::size_t MaximoFixo = 1024;

// Writes one line straight into the caller's buffer: room for the longest the line can take is
// made first, the bytes go through a pointer with no check a byte, and what was not used is
// given back at the end. A run with millions of findings writes them about as fast as its
// report.
class Escrita {
 public:
  Escrita(std::string& s, std::size_t maximo) : s_(s) {
    const std::size_t antes = s.size();
    s.resize(antes + maximo);
    p_ = s.data() + antes;
  }
  ~Escrita() { s_.resize(static_cast<std::size_t>(p_ - s_.data())); }
  Escrita(const Escrita&) = delete;
  Escrita& operator=(const Escrita&) = delete;

  void Byte(char c) { *p_++ = c; }
  void Bytes(std::string_view t) {
    std::memcpy(p_, t.data(), t.size());
    p_ += t.size();
  }
  // A literal (a key, a fixed piece): its length is known where it is called.
  template <std::size_t N>
  void Literal(const char (&t)[N]) {
    std::memcpy(p_, t, N - 1);
    p_ += N - 1;
  }
  void Inteiro(std::int64_t valor) { p_ = std::to_chars(p_, p_ + 24, valor).ptr; }
  void Booleano(bool valor) { valor ? Literal("true") : Literal("false"); }

  // An amount, count or check digit: whole numbers as integers, others in decimal; absent (or
  // not a number) as `nada`.
  void Valor(const std::optional<double>& valor, std::string_view nada) {
    if (!valor || !std::isfinite(*valor)) return Bytes(nada);
    const double v = *valor;
    if (v == std::trunc(v) && std::fabs(v) < 9.0e15) return Inteiro(static_cast<std::int64_t>(v));
    // Fifteen significant digits where they read back as the same number, else seventeen.
    char b[32];
    int n = std::snprintf(b, sizeof b, "%.15g", v);
    if (std::strtod(b, nullptr) != v) n = std::snprintf(b, sizeof b, "%.17g", v);
    Bytes(std::string_view(b, static_cast<std::size_t>(n)));
  }

  // A text as a JSON string, quotes included; Latin-1 bytes turned into UTF-8 when `latin1`.
  // The loops write through a local pointer: a byte stored through the member could be taken to
  // change the member itself, which would then be read again and stored at every byte.
  template <bool latin1>
  void Json(std::string_view t) {
    char* p = p_;
    *p++ = '"';
    for (const char c : t) {
      const auto u = static_cast<unsigned char>(c);
      if (FicaNoJson<latin1>[u]) {
        *p++ = c;
      } else if (latin1 && u >= 0x80) {
        *p++ = static_cast<char>(0xC0 | (u >> 6));
        *p++ = static_cast<char>(0x80 | (u & 0x3F));
      } else {
        p = Escapa(p, u);
      }
    }
    *p++ = '"';
    p_ = p;
  }

  // One CSV field: in quotes (and quotes doubled) only when it holds the separator, a quote or a
  // line end; Latin-1 bytes turned into UTF-8 when `latin1`. Written in one pass; a field that
  // turns out to need quotes (seldom) is moved one byte on to make room for the first.
  template <bool latin1>
  void Csv(std::string_view t, char separador) {
    char* const inicio = p_;
    char* p = inicio;
    bool aspas = false;
    for (const char c : t) {
      const auto u = static_cast<unsigned char>(c);
      aspas |= PedeAspas[u] | (c == separador);  // no branch a byte
      if (FicaNoCsv<latin1>[u]) [[likely]] {
        *p++ = c;
      } else if (c == '"') {
        *p++ = '"';
        *p++ = '"';
      } else {
        *p++ = static_cast<char>(0xC0 | (u >> 6));
        *p++ = static_cast<char>(0x80 | (u & 0x3F));
      }
    }
    if (aspas) {
      std::memmove(inicio + 1, inicio, static_cast<std::size_t>(p - inicio));
      *inicio = '"';
      p[1] = '"';
      p += 2;
    }
    p_ = p;
  }

 private:
  // The escape of a quote, a backslash or a control character in a JSON string, at `p`; where
  // it ends.
  static char* Escapa(char* p, unsigned char c) {
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

  std::string& s_;
  char* p_;
};

std::string_view NomeDoCatalogo(char catalogo) { return catalogo == 'M' ? "M" : "ST"; }

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

// The most the texts of a finding can take once written (its file's name aside).
std::size_t MaximoAchado(const Achado& a) {
  std::size_t n = MaximoFixo;
  for (const std::string_view t :
       {a.inscricao, a.periodo, a.mensagem, a.tipoRegistro, a.encontrado})
    n += MaximoTexto(t);
  if (a.campo != nullptr) n += MaximoTexto(a.campo->nome);
  return n;
}

}  // namespace

void AcrescentaJsonUtf8(std::string& s, std::string_view utf8) {
  Escrita(s, MaximoTexto(utf8)).Json<false>(utf8);
}

namespace {

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
  Escrita e(s, arquivoJson.size() + MaximoAchado(a));
  e.Literal("{\"type\":\"finding\",\"file\":");
  e.Bytes(arquivoJson);
  e.Literal(",\"line\":");
  e.Inteiro(a.linha);
  e.Literal(",\"first_column\":");
  e.Inteiro(a.inicio);
  e.Literal(",\"last_column\":");
  e.Inteiro(a.fim);
  e.Literal(",\"catalogue\":");
  e.Json<false>(NomeDoCatalogo(a.catalogo));
  e.Literal(",\"code\":");
  e.Inteiro(a.codigo);
  e.Literal(",\"registration\":");
  e.Json<true>(a.inscricao);
  e.Literal(",\"period\":");
  e.Json<true>(a.periodo);
  e.Literal(",\"message\":");
  e.Json<true>(a.mensagem);
  e.Literal(",\"warning\":");
  e.Booleano(a.Aviso());
  e.Literal(",\"record_type\":");
  e.Json<true>(a.tipoRegistro);
  e.Literal(",\"field\":");
  if (a.campo == nullptr) {
    e.Literal("null");
  } else {
    e.Literal("{\"number\":");
    if (a.campo->numero > 0)
      e.Inteiro(a.campo->numero);
    else
      e.Literal("null");
    e.Literal(",\"name\":");
    e.Json<false>(a.campo->nome);
    e.Literal(",\"first_column\":");
    e.Inteiro(a.campo->ColunaDe(a.ocorrencia));
    e.Literal(",\"last_column\":");
    e.Inteiro(a.campo->UltimaDe(a.ocorrencia));
    e.Byte('}');
  }
  e.Literal(",\"found\":");
  e.Json<true>(a.encontrado);
  e.Literal(",\"declared\":");
  e.Valor(a.declarado, "null");
  e.Literal(",\"computed\":");
  e.Valor(a.calculado, "null");
  e.Literal("}\n");
}

void AcrescentaJsonResumo(std::string& s, const ResumoArquivo& r) {
  const std::string arquivo = NomeEmJson(r.arquivo);
  std::size_t maximo = MaximoFixo + arquivo.size() + MaximoTexto(r.documento);
  if (r.mensagens != nullptr)
    for (const std::string& m : *r.mensagens) maximo += MaximoTexto(m) + 1;
  Escrita e(s, maximo);
  e.Literal("{\"type\":\"summary\",\"file\":");
  e.Bytes(arquivo);
  e.Literal(",\"document\":");
  e.Json<false>(r.documento);
  e.Literal(",\"status\":");
  e.Json<false>(NomeDoStatus(r.desfecho));
  e.Literal(",\"returns\":");
  e.Inteiro(r.retornos);
  e.Literal(",\"findings\":");
  e.Inteiro(r.achados);
  e.Literal(",\"warnings\":");
  e.Inteiro(r.avisos);
  e.Literal(",\"messages\":[");
  if (r.mensagens != nullptr)
    for (std::size_t i = 0; i < r.mensagens->size(); ++i) {
      if (i > 0) e.Byte(',');
      e.Json<false>((*r.mensagens)[i]);
    }
  e.Literal("]}\n");
}

void AcrescentaJsonContagem(std::string& s, const LinhaContagem& l) {
  Escrita e(s, MaximoFixo + MaximoTexto(l.mensagem));
  e.Literal("{\"type\":\"tally\",\"catalogue\":");
  e.Json<false>(NomeDoCatalogo(l.catalogo));
  e.Literal(",\"code\":");
  e.Inteiro(l.codigo);
  e.Literal(",\"message\":");
  e.Json<true>(l.mensagem);
  e.Literal(",\"findings\":");
  e.Inteiro(l.achados);
  e.Literal(",\"files\":");
  e.Inteiro(l.arquivos);
  e.Literal("}\n");
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
  Escrita e(s, MaximoTexto(arquivoUtf8) + MaximoAchado(a));
  e.Csv<false>(arquivoUtf8, sep);
  for (const std::int64_t n :
       {std::int64_t{a.linha}, std::int64_t{a.inicio}, std::int64_t{a.fim}}) {
    e.Byte(sep);
    e.Inteiro(n);
  }
  e.Byte(sep);
  e.Bytes(NomeDoCatalogo(a.catalogo));
  e.Byte(sep);
  e.Inteiro(a.codigo);
  for (const std::string_view texto : {a.inscricao, a.periodo, a.mensagem}) {
    e.Byte(sep);
    e.Csv<true>(texto, sep);
  }
  e.Byte(sep);
  e.Booleano(a.Aviso());
  e.Byte(sep);
  e.Csv<true>(a.tipoRegistro, sep);
  e.Byte(sep);
  if (a.campo != nullptr) {
    if (a.campo->numero > 0) e.Inteiro(a.campo->numero);
    e.Byte(sep);
    e.Csv<false>(a.campo->nome, sep);
    e.Byte(sep);
    e.Inteiro(a.campo->ColunaDe(a.ocorrencia));
    e.Byte(sep);
    e.Inteiro(a.campo->UltimaDe(a.ocorrencia));
  } else {
    e.Byte(sep);
    e.Byte(sep);
    e.Byte(sep);
  }
  e.Byte(sep);
  e.Csv<true>(a.encontrado, sep);
  e.Byte(sep);
  e.Valor(a.declarado, "");
  e.Byte(sep);
  e.Valor(a.calculado, "");
  e.Literal("\r\n");
}

void AcrescentaCsvCabecalhoResumo(std::string& s, char sep) {
  AcrescentaCsvCabecalho(s, {"file", "document", "status", "returns", "findings", "warnings"}, sep);
}

void AcrescentaCsvResumo(std::string& s, const ResumoArquivo& r, char sep) {
  const std::string arquivo = NomeEmUtf8(r.arquivo);
  Escrita e(s, MaximoFixo + MaximoTexto(arquivo) + MaximoTexto(r.documento));
  e.Csv<false>(arquivo, sep);
  e.Byte(sep);
  e.Csv<false>(r.documento, sep);
  e.Byte(sep);
  e.Bytes(NomeDoStatus(r.desfecho));
  for (const std::int64_t n : {r.retornos, r.achados, r.avisos}) {
    e.Byte(sep);
    e.Inteiro(n);
  }
  e.Literal("\r\n");
}

void AcrescentaCsvCabecalhoContagem(std::string& s, char sep) {
  AcrescentaCsvCabecalho(s, {"catalogue", "code", "message", "findings", "files"}, sep);
}

void AcrescentaCsvContagem(std::string& s, const LinhaContagem& l, char sep) {
  Escrita e(s, MaximoFixo + MaximoTexto(l.mensagem));
  e.Bytes(NomeDoCatalogo(l.catalogo));
  e.Byte(sep);
  e.Inteiro(l.codigo);
  e.Byte(sep);
  e.Csv<true>(l.mensagem, sep);
  e.Byte(sep);
  e.Inteiro(l.achados);
  e.Byte(sep);
  e.Inteiro(l.arquivos);
  e.Literal("\r\n");
}

void AcrescentaTextoContagem(std::string& s, const LinhaContagem& l) {
  {
    Escrita e(s, MaximoFixo);
    e.Literal("TALLY\t");
    e.Bytes(NomeDoCatalogo(l.catalogo));
    e.Byte('\t');
    e.Inteiro(l.codigo);
    e.Byte('\t');
    e.Inteiro(l.achados);
    e.Byte('\t');
    e.Inteiro(l.arquivos);
    e.Byte('\t');
  }
  AcrescentaUtf8(s, l.mensagem);
  s.push_back('\n');
}

}  // namespace rolval
