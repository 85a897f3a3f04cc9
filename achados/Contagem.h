#pragma once
// The tally of findings across files: per catalogue and code, how many findings and in how many
// files, with the message of the first finding of that code.
#include <cstdint>
#include <vector>

#include "achados/Escritores.h"
#include "run/RegistroErros.h"

namespace rolval {

class ContagemAchados {
 public:
  void Anota(const Achado& achado);
  // Adds the tally of another file (or files), given after every file already added.
  void Junta(const ContagemAchados& outra);
  // The lines, most findings first; then most files, catalogue 'M' before 'S', lower code first.
  std::vector<LinhaContagem> Linhas() const;
  bool Vazia() const { return contas_.empty(); }

 private:
  std::vector<LinhaContagem> contas_;  // in the order the codes were first seen
};

}  // namespace rolval
