#include "achados/Escritores.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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

// The escape of one byte below 0x80 in a JSON string; empty when it stands as it is.
bool EscapaJson(std::string& s, unsigned char c) {
  switch (c) {
    case '"':
      s.append("\\\"");
      return true;
    case '\\':
      s.append("\\\\");
      return true;
    case '\b':
      s.append("\\b");
      return true;
    case '\f':
      s.append("\\f");
      return true;
    case '\n':
      s.append("\\n");
      return true;
    case '\r':
      s.append("\\r");
      return true;
    case '\t':
      s.append("\\t");
      return true;
    default:
      if (c >= 0x20) return false;
      s.append("\\u00");
      s.push_back(Hex[c >> 4]);
      s.push_back(Hex[c & 0xF]);
      return true;
  }
}

// A JSON string of UTF-8 text, in quotes.
void AcrescentaJsonUtf8(std::string& s, std::string_view utf8) {
  s.push_back('"');
  for (const char c : utf8)
    if (!EscapaJson(s, static_cast<unsigned char>(c))) s.push_back(c);
  s.push_back('"');
}

// A JSON string of Latin-1 bytes, turned into UTF-8 as it is written, in quotes.
void AcrescentaJsonLatin1(std::string& s, std::string_view latin1) {
  s.push_back('"');
  for (const char c : latin1) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x80) {
      s.push_back(static_cast<char>(0xC0 | (u >> 6)));
      s.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else if (!EscapaJson(s, u)) {
      s.push_back(c);
    }
  }
  s.push_back('"');
}

void AcrescentaChave(std::string& s, std::string_view chave) {
  s.push_back(',');
  s.push_back('"');
  s.append(chave);
  s.append("\":");
}

std::string_view NomeDoCatalogo(char catalogo) { return catalogo == 'M' ? "M" : "ST"; }

// One CSV field: in quotes (and quotes doubled) only when it holds the separator, a quote or a
// line end; Latin-1 bytes turned into UTF-8 when `latin1`.
void AcrescentaCsvCampo(std::string& s, std::string_view bytes, bool latin1, char separador) {
  bool aspas = false;
  for (const char c : bytes)
    if (c == separador || c == '"' || c == '\r' || c == '\n') {
      aspas = true;
      break;
    }
  if (aspas) s.push_back('"');
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (latin1 && u >= 0x80) {
      s.push_back(static_cast<char>(0xC0 | (u >> 6)));
      s.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else {
      if (c == '"') s.push_back('"');
      s.push_back(c);
    }
  }
  if (aspas) s.push_back('"');
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

void AcrescentaJsonAchado(std::string& s, std::string_view arquivoUtf8, const Achado& a) {
  s.append("{\"type\":\"finding\",\"file\":");
  AcrescentaJsonUtf8(s, arquivoUtf8);
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
    AcrescentaInteiro(s, a.campo->coluna);
    AcrescentaChave(s, "last_column");
    AcrescentaInteiro(s, a.campo->Ultima());
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
  AcrescentaJsonUtf8(s, NomeEmUtf8(r.arquivo));
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
  AcrescentaCsvCampo(s, arquivoUtf8, false, sep);
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
    AcrescentaCsvCampo(s, texto, true, sep);
  }
  s.push_back(sep);
  s.append(a.Aviso() ? "true" : "false");
  s.push_back(sep);
  AcrescentaCsvCampo(s, a.tipoRegistro, true, sep);
  s.push_back(sep);
  if (a.campo != nullptr) {
    if (a.campo->numero > 0) AcrescentaInteiro(s, a.campo->numero);
    s.push_back(sep);
    AcrescentaCsvCampo(s, a.campo->nome, false, sep);
    s.push_back(sep);
    AcrescentaInteiro(s, a.campo->coluna);
    s.push_back(sep);
    AcrescentaInteiro(s, a.campo->Ultima());
  } else {
    s.append(3, sep);
  }
  s.push_back(sep);
  AcrescentaCsvCampo(s, a.encontrado, true, sep);
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
  AcrescentaCsvCampo(s, NomeEmUtf8(r.arquivo), false, sep);
  s.push_back(sep);
  AcrescentaCsvCampo(s, r.documento, false, sep);
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
  AcrescentaCsvCampo(s, l.mensagem, true, sep);
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
