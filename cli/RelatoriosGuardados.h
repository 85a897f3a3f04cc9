#pragma once
// The reports of a batch kept in a folder (--dir with several files): <file name>.saida.txt and
// <file name>.param.txt, or <file name>.2.saida.txt ... under the first suffix for which neither
// name exists and neither is a path given as an input so far. Both are written whole under fresh
// names and linked into place exclusively, so that no file there is ever replaced or written
// through.
#include <filesystem>
#include <mutex>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "cli/Lote.h"
#include "run/Publicacao.h"

namespace rolval {

class RelatoriosGuardados {
 public:
  // `sincroniza`: each report synced to the disk before it is linked into place.
  RelatoriosGuardados(std::filesystem::path pasta, GuardaEscrita* guarda, bool sincroniza);
  // An input of the batch, told before it is started (from any thread). Only the inputs in the
  // folder itself are kept: no other could be one of its names.
  void Registra(const std::string& entrada);
  // Keeps the report of `r` and puts in `nome` the name it was kept under (before ".saida.txt");
  // returns the reason when it could not be kept ("" when it was).
  std::string Guarda(const ResultadoArquivo& r, std::string& nome);

 private:
  bool EEntrada(const std::string& nome) const;
  std::filesystem::path pasta_;
  std::filesystem::path pastaAbsoluta_;  // absolute and normal
  mutable std::mutex travaEntradas_;
  std::set<std::filesystem::path> entradas_;  // the inputs' paths in the folder, absolute, normal
  // The next suffix to try for each file name: a batch of many files of one name looks at each
  // taken name once, not once for every later file of that name.
  std::unordered_map<std::string, int> proximoSufixo_;
  GuardaEscrita* guarda_;
  bool sincroniza_;
};

}  // namespace rolval
