#pragma once
// The command line of rolval-cli: options and files.
#include <optional>
#include <string>
#include <vector>

namespace rolval {

enum class FormatoSaida { Texto, Jsonl };

struct Opcoes {
  std::string pasta;       // --dir
  unsigned trabalhos = 0;  // --jobs (0: the number of processors)
  FormatoSaida formato = FormatoSaida::Texto;
  bool resumo = false;  // --summary
  bool ajuda = false;
  bool versao = false;
  std::vector<std::string> arquivos;
};

// Reads the arguments; on a usage error returns nothing and puts the reason in `erro`.
std::optional<Opcoes> LeOpcoes(int argc, char** argv, std::string& erro);

void EscreveAjuda();

}  // namespace rolval
