#pragma once
// The findings of a report, read back from its text: for each finding line, the line of the input
// file and the columns of the field it names, its message, and where it stands in the report.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "run/RegistroErros.h"

namespace rolval {

struct AchadoLido {
  // Lines of the report view (0-based, a line break at every CR LF, lone CR and LF, as the view
  // breaks them) that the finding line takes; more than one only when a byte of it is an LF.
  std::int32_t blocoInicial = 0;
  std::int32_t blocoFinal = 0;
  std::string inscricao;    // the registration part as printed, blanks around it removed
  std::string periodo;      // "MM/AAAA", or the period as it was when it was not a number
  std::int64_t linha = 0;   // line of the input file; 0 when the finding names none
  std::int64_t inicio = 0;  // first and last column of the field; 0 when it names none
  std::int64_t fim = 0;
  std::string mensagem;  // Latin-1, as the report holds it
  bool aviso = false;    // the message begins "AVISO:"
};

struct AchadosRelatorio {
  std::vector<AchadoLido> achados;  // in the report's order
  std::int32_t erros = 0;           // finding lines that are not warnings
  std::int32_t avisos = 0;
};

// The catalogue ('M' or 'S') and code of a finding, which its report line does not show.
struct CodigoAchado {
  char catalogo = 'M';
  int codigo = 0;
};

// Keeps the catalogue and code of each finding of a run, in the order the run writes them: the
// order of the report's finding lines.
class CodigosDosAchados : public OuvinteAchados {
 public:
  void Anota(const Achado& achado) override { codigos.push_back({achado.catalogo, achado.codigo}); }
  std::vector<CodigoAchado> codigos;
};

// Reads one finding line (Latin-1, without its end): the registration part (15 characters, or up
// to 19 for some unmasked or long ones), the period, then line, first column and last column (at
// least three digits each) and the message, each after a single blank. False when it is not one.
bool LeLinhaAchado(std::string_view linha, AchadoLido& achado);

// The findings of a report as the output window shows it (Latin-1 bytes): the lines after the
// second line of 73 hyphens. A report of an accepted file has none.
AchadosRelatorio LeAchados(std::string_view relatorio);

}  // namespace rolval
