#pragma once
// The reports of a batch kept in a folder (--dir with several files): <file name>.saida.txt and
// <file name>.param.txt, or <file name>.2.saida.txt ... under the first suffix for which neither
// name exists and neither is a path given as an input. Both are written whole under fresh names
// and linked into place exclusively, so that no file there is ever replaced or written through.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "cli/Lote.h"
#include "run/Publicacao.h"

namespace rolval {

class RelatoriosGuardados {
 public:
  RelatoriosGuardados(std::filesystem::path pasta, const std::vector<std::string>& entradas,
                      GuardaEscrita* guarda);
  // Keeps the report of `r`; returns the reason when it could not be kept ("" when it was).
  std::string Guarda(const ResultadoArquivo& r);

 private:
  bool EEntrada(const std::filesystem::path& caminho) const;
  std::filesystem::path pasta_;
  std::set<std::filesystem::path> entradas_;  // the inputs' paths, absolute and normal
  GuardaEscrita* guarda_;
};

}  // namespace rolval
