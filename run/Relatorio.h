#pragma once
// The report writer: saida.txt in its error form (the findings under their headings) or its
// accepted form ("ARQUIVO OK." and the list of returns), from the run's two work files.
#include <cstdint>
#include <string>
#include <string_view>

#include "run/ArquivoTrabalho.h"

namespace rolval {

// A report with findings has this many lines before its first finding line (the heading, a blank
// line, the document, and the column titles between two lines of hyphens); then one line per
// finding, in the order they were found.
inline constexpr std::int32_t LinhasAntesDosAchados = 6;

// How a layout's report is laid out. `inscricaoComoLida`: the finding lines print the registration
// as it was read, under the column title "Inscrição" (a file not recognised is reported so too);
// otherwise masked, under "REG/TB". `nomeRetornos`: what the closing count line calls the returns.
struct FormaRelatorio {
  bool inscricaoComoLida = false;
  std::string_view nomeRetornos = "ROL(s)";
};

// Writes the report of a run of document `documento`, laid out in `forma`, into `saida` (emptied
// first): with
// findings, the finding lines of `achados`; without, the list lines of `lista` and the count of
// `qtdROLs` returns. Returns the status it stands for, "OK" or "NOK".
std::string EscreveRelatorio(ArquivoTrabalho& saida, std::string_view documento,
                             const FormaRelatorio& forma, bool houveErro,
                             const ArquivoTrabalho& achados, const ArquivoTrabalho& lista,
                             std::int32_t qtdROLs);

}  // namespace rolval
