#pragma once
// Validation of many files, each a run of its own (its own run object, its work files in memory),
// up to a number of them at once; results are handed over in the order of the files.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "achados/Contagem.h"
#include "cli/Entrada.h"
#include "cli/Opcoes.h"
#include "cli/TelaTerminal.h"
#include "run/ArquivoTrabalho.h"
#include "run/Campo.h"
#include "run/Publicacao.h"
#include "run/ValidaArquivo.h"

namespace rolval {

struct ResultadoArquivo {
  std::string arquivo;
  Desfecho desfecho = Desfecho::SemRelatorio;
  std::string documento;  // as DocumentoDaExecucao names it
  std::int32_t retornos = 0;
  std::int64_t achados = 0;
  std::int64_t avisos = 0;             // findings whose message begins "AVISO:"
  std::vector<std::string> mensagens;  // message-box texts of the run (UTF-8)
  std::vector<std::string> dicas;      // hints on what may be wrong with the file (UTF-8)
  ArquivoTrabalho relatorio;           // saida.txt of the run, byte for byte, when there is one
  std::string param;                   // param.txt of the run, when there is one
  // The findings in the machine-readable format asked for (jsonl, csv): a line or row each.
  ArquivoTrabalho achadosJson;
  bool achadosEntregues = false;  // they went to PedidoLote::saidaAchados as they came instead
  ContagemAchados contagem;       // of this file's findings (--tally only)

  bool TemRelatorio() const { return desfecho != Desfecho::SemRelatorio; }
  bool Ok() const { return desfecho == Desfecho::RelatorioOK; }
  int StatusSaida() const { return Ok() ? 0 : TemRelatorio() ? 1 : 2; }
};

// What the summary of the file says, as the writers take it (valid while `r` is).
inline ResumoArquivo ResumoDe(const ResultadoArquivo& r) {
  return {r.arquivo, r.documento, r.desfecho, r.retornos, r.achados, r.avisos, &r.mensagens};
}

struct PedidoLote {
  unsigned trabalhos = 1;
  FormatoSaida formato = FormatoSaida::Texto;  // of the findings written (text: none)
  char separador = ';';                        // of the csv format
  bool contagem = false;                       // the findings tallied
  std::filesystem::path pastaUnica;  // one file only: the folder its report is published in
  ModoProgresso progresso = ModoProgresso::Nenhum;  // one file only: the progress line
  bool dicas = false;                               // hints for files whose report is not OK
  std::uint64_t limiteCopia = LimiteCopiaPadrao;    // longest stream copied
  bool sincroniza = true;           // reports synced to the disk before they are put in place
  GuardaEscrita* guarda = nullptr;  // told while a report is half-published
  // Where the findings (jsonl, csv) go as they come, in large blocks, when files are validated
  // one at a time (the order of the files is then the order of the results): no work file holds
  // them. Empty: each file's findings are held in its result's work file.
  std::function<void(std::string_view)> saidaAchados;
};

// How many files past the next one to be handed over may be started (or wait, done) at once.
std::size_t JanelaDeResultados(unsigned trabalhos);

// Gives the next file to validate; false when there is none left.
using FonteArquivos = std::function<bool(std::string& arquivo)>;

// Runs every file `fonte` gives and calls `entrega` for each result in the order of the files,
// from the calling thread. `entrega` returns false to stop: no further result is handed over.
// `sozinho`: the source gives one file only, which gets the folder and progress of a single run.
// Names are taken as files are started, never more than a window ahead of the results handed
// over, so that memory stays flat however many files there are.
void ValidaLote(const FonteArquivos& fonte, bool sozinho, const PedidoLote& pedido,
                const std::function<bool(ResultadoArquivo&)>& entrega);

}  // namespace rolval
