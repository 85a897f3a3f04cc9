#pragma once
// The command line of rolval-cli: options and files, read as getopt_long reads them (options and
// files in any order, "-j4" and "--jobs=4", "--" ends the options, "-" is a file).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/Entrada.h"

namespace rolval {

enum class FormatoSaida { Texto, Jsonl, Csv };

struct Opcoes {
  std::string pasta;       // --dir
  unsigned trabalhos = 0;  // --jobs (0: the number of processors)
  FormatoSaida formato = FormatoSaida::Texto;
  char separador = ';';         // --separator: between the fields of the csv format
  bool resumo = false;          // --summary
  bool contagem = false;        // --tally
  bool silencioso = false;      // --quiet: no progress bar, no hints
  bool semProgresso = false;    // --no-progress
  std::string listaDeArquivos;  // --files-from ("-": standard input)
  bool separadorNulo = false;   // --null: the list's names end at NUL bytes, not at line ends
  bool recursivo = false;       // --recursive
  std::uint64_t limiteCopia = LimiteCopiaPadrao;  // --stream-limit
  bool semSincronia = false;                      // --no-sync
  bool corrige = false;         // --fix: validate a corrected copy of the one FILE
  std::string destinoCorrecao;  // --fix-to: where that copy goes (empty: beside the FILE)
  bool ajuda = false;
  bool versao = false;
  std::vector<std::string> arquivos;
};

// Reads the arguments; on a usage error returns nothing and puts the reason in `erro`. --help and
// --version win over any usage error.
std::optional<Opcoes> LeOpcoes(int argc, char** argv, std::string& erro);

void EscreveAjuda();
void EscreveVersao();

}  // namespace rolval
