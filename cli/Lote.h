#pragma once
// Validation of many files, each a run of its own (its own run object and work folder), up to a
// number of them at once; results are handed over in the order of the files.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "cli/Opcoes.h"
#include "run/ValidaArquivo.h"

namespace rolval {

struct ResultadoArquivo {
  std::string arquivo;
  Desfecho desfecho = Desfecho::SemRelatorio;
  std::string documento;   // the tag, trailing blanks removed ("" when not recognised)
  std::int32_t retornos = 0;
  std::int64_t achados = 0;
  std::int64_t avisos = 0;  // findings whose message begins "AVISO:"
  std::vector<std::string> mensagens;  // message-box texts of the run (UTF-8)
  std::filesystem::path relatorio;     // saida.txt of the run, when there is one
  std::filesystem::path param;         // param.txt of the run, when there is one
  std::filesystem::path achadosJson;   // one JSON object per finding (jsonl format only)

  bool TemRelatorio() const { return desfecho != Desfecho::SemRelatorio; }
  bool Ok() const { return desfecho == Desfecho::RelatorioOK; }
  int StatusSaida() const { return Ok() ? 0 : TemRelatorio() ? 1 : 2; }
};

// Runs every file of `arquivos`, each in its own work folder under `pastaBase` (for a single file
// with `pastaUnica` set, that folder itself), and calls `entrega` for each result in the order of
// the files, from the calling thread. The result's files stay until `entrega` returns.
void ValidaLote(const std::vector<std::string>& arquivos, unsigned trabalhos, FormatoSaida formato,
                const std::filesystem::path& pastaBase, const std::filesystem::path& pastaUnica,
                bool barraDeProgresso, const std::function<void(ResultadoArquivo&)>& entrega);

}  // namespace rolval
