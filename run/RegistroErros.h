#pragma once
// The findings log: the monthly and the tax-substitution catalogues of messages, and a finding as
// the log writes it. The run object's GravaErro and GravaErroST write the lines (one per finding,
// in the fixed layout of the report) to the run's findings work file.
#include <cstdint>
#include <string_view>

namespace rolval {

// One finding as written to the findings log, in its printed pieces (Latin-1 bytes).
struct Achado {
  char catalogo;  // 'M' (monthly catalogue) or 'S' (tax-substitution catalogue)
  int codigo;
  std::string_view inscricao;  // the registration part, as printed, without surrounding blanks
  std::string_view periodo;    // as printed ("05/2005")
  std::int32_t linha;
  int inicio;
  int fim;
  std::string_view mensagem;
};

// Told of every finding as it is written (for machine-readable output); optional.
class OuvinteAchados {
 public:
  virtual ~OuvinteAchados() = default;
  virtual void Anota(const Achado& achado) = 0;
};

// The fixed text of a code of the monthly catalogue ('M') or of the tax-substitution catalogue
// ('S'), as UTF-8; empty for a code without a text of its own (those built with a number).
std::string_view TextoDoCatalogo(char catalogo, int codigo);

}  // namespace rolval
