#pragma once
// The machine-readable renderings of findings, written by hand into a caller's buffer (a run with
// millions of findings writes them about as fast as its report): JSON Lines (UTF-8, one object a
// line) and CSV (RFC 4180, UTF-8, ';' or ',' between fields). The report text itself is
// run/Relatorio's. How a run's outcome and a warning are named is decided here for every face.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "run/RegistroErros.h"
#include "run/ValidaArquivo.h"

namespace rolval {

// "OK", "NOK" or "NO_REPORT": the status of a run as every output names it.
std::string_view NomeDoStatus(Desfecho desfecho);

// The document of a file not recognised, in every output: the report's own word.
inline constexpr const char* DocumentoDesconhecido = "DESCONHECIDO";

// The document of a finished run as every output names it: the tag without its trailing blanks,
// or DocumentoDesconhecido.
std::string DocumentoDaExecucao(const Execucao& execucao);

// A UTF-8 text as a JSON string, quotes and escapes included.
void AcrescentaJsonUtf8(std::string& s, std::string_view utf8);

// A file's name as UTF-8: names are bytes; one that is not valid UTF-8 is taken as Latin-1.
std::string NomeEmUtf8(std::string_view nome);

// A file's name as the JSON Lines give it after "file": the name as a JSON string (NomeEmUtf8) and,
// for a name that is not UTF-8, then ,"file_bytes": with its very bytes in base64, so that no two
// names come out alike to a program.
std::string NomeEmJson(std::string_view nome);

// What the summary of one file says.
struct ResumoArquivo {
  std::string_view arquivo;  // as given (bytes)
  std::string_view documento;
  Desfecho desfecho = Desfecho::SemRelatorio;
  std::int64_t retornos = 0;
  std::int64_t achados = 0;
  std::int64_t avisos = 0;
  const std::vector<std::string>* mensagens = nullptr;  // UTF-8; none: an empty list
};

// One line of a tally: a catalogue's code, its message, how many findings and in how many files.
struct LinhaContagem {
  char catalogo;  // 'M' or 'S'
  int codigo;
  std::string mensagem;  // Latin-1, as the report prints it
  std::int64_t achados;
  std::int64_t arquivos;
};

// {"type":"finding","file":...,"line":...,"first_column":...,"last_column":...,
//  "catalogue":"M"|"ST","code":...,"registration":...,"period":...,"message":...,"warning":...,
//  "record_type":...,"field":{"number":...,"name":...,"first_column":...,"last_column":...}|null,
//  "found":...,"declared":...,"computed":...} and a line end. `arquivoJson` as NomeEmJson gives it.
void AcrescentaJsonAchado(std::string& s, std::string_view arquivoJson, const Achado& achado);

// {"type":"summary","file":...,"document":...,"status":...,"returns":...,"findings":...,
//  "warnings":...,"messages":[...]} and a line end.
void AcrescentaJsonResumo(std::string& s, const ResumoArquivo& resumo);

// {"type":"tally","catalogue":...,"code":...,"message":...,"findings":...,"files":...} and a line
// end.
void AcrescentaJsonContagem(std::string& s, const LinhaContagem& linha);

// The byte-order mark a CSV output begins with, so that a spreadsheet reads it as UTF-8.
inline constexpr std::string_view MarcaUtf8 = "\xEF\xBB\xBF";

// The header row of the findings, the row of one finding (the JSON Lines' keys, in their order,
// the field's four parts in columns of their own), each ending in CR LF.
void AcrescentaCsvCabecalho(std::string& s, char separador);
void AcrescentaCsvAchado(std::string& s, std::string_view arquivoUtf8, const Achado& achado,
                         char separador);

// The header row and one row of the per-file summary.
void AcrescentaCsvCabecalhoResumo(std::string& s, char separador);
void AcrescentaCsvResumo(std::string& s, const ResumoArquivo& resumo, char separador);

// The header row and one row of a tally.
void AcrescentaCsvCabecalhoContagem(std::string& s, char separador);
void AcrescentaCsvContagem(std::string& s, const LinhaContagem& linha, char separador);

// One tally line as text: "TALLY", catalogue, code, findings, files and message, tab-separated,
// UTF-8, LF.
void AcrescentaTextoContagem(std::string& s, const LinhaContagem& linha);

}  // namespace rolval
