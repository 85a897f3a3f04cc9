#pragma once
// What every fuzz target shares: a run object prepared as the run driver prepares it, over the
// in-memory file layer, and the walk of a layout validator over the lines of the fuzzer's input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/SistemaMemoria.h"
#include "run/Execucao.h"
#include "run/ValidaArquivo.h"

namespace rolval::fuzz {

// The file layer of the process: one for all iterations, emptied by NovaEntrada.
SistemaMemoria& Sistema();

// Hands the lines of `dados` to `layout` as the read loop does, with the run object prepared as
// the driver leaves it after recognition: state reset, `Documento` set, the two work files open.
// A line ends at CR LF or at a lone CR. Unlike the driver, a line of the wrong length is not the
// end of the reading: it is cut or filled with zeros to the length the layout expects, so that the
// validator sees every line (the driver never gives it a line of another length). After the last
// line come the end phase, with the layout's end-of-file closing, and the report.
// Failures of the run (FalhaExecucao) end the walk as the driver's handler would; anything else
// thrown goes on up and stops the fuzzer.
void PercorreLinhas(const LayoutArquivo& layout, const std::uint8_t* dados, std::size_t tamanho);

// Checks that the report and the status file agree with each other and with the run's findings;
// aborts when they do not.
void ConfereRelatorio(const Execucao& execucao);

}  // namespace rolval::fuzz
