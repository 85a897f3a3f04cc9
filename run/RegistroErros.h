#pragma once
// The findings log: a finding as the log writes it (the catalogues are in run/Catalogos.h). The run
// object's GravaErro and GravaErroST write the lines (one per finding, in the fixed layout of the
// report) to the run's findings work file.
#include <cstdint>
#include <string_view>

#include "run/Catalogos.h"

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

}  // namespace rolval
