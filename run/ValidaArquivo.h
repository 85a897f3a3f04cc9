#pragma once
// The run driver: one validation run of one file, from the reset of the run state to the report.
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "run/Execucao.h"

namespace rolval {

// One layout the driver recognises: everything the driver needs to frame and dispatch its lines,
// close its last return, keep its state and lay out its report.
struct LayoutArquivo {
  std::string_view documento;  // the 12-character tag
  int comprimento;             // record length before the first line (without the line end)
  bool verificaTamanho;        // whether the file size must be a whole number of records
  std::string_view legenda;    // the progress caption (UTF-8)
  bool (*reconhece)(std::string_view primeiraLinha);
  void (*valida)(Execucao&, std::string_view linha);  // null: lines are framed and counted only
  void (*prepara)(Execucao&);                         // before the first line is read; may be null
  // Per-line framing before the length check; returns the expected length of this line. May be
  // null.
  int (*enquadra)(Execucao&, std::string_view linha, int comprimentoAnterior);
  // Checks before the dispatch of a line; false ends the reading. May be null.
  bool (*antesDeValidar)(Execucao&, std::string_view linha);
  // At the end of the file, after the last line: the checks of the return still open. May be null.
  void (*fechaArquivo)(Execucao&) = nullptr;
  // The state the layout keeps from line to line, made once the layout is recognised. May be null
  // for a layout that keeps none.
  std::unique_ptr<EstadoLayout> (*criaEstado)() = nullptr;
  FormaRelatorio forma{};  // how the report lays out the findings and the list of returns
};

// A layout's state of type T, for the row's `criaEstado`.
template <class T>
std::unique_ptr<EstadoLayout> CriaEstado() {
  return std::make_unique<T>();
}

struct TabelaLayouts {
  std::span<const LayoutArquivo> layouts;  // tried on the first line in this order
};

// What the driver does once it recognises `layout`: the run takes its document tag, its report's
// form and a new state of its own.
void AdotaLayout(Execucao& execucao, const LayoutArquivo& layout);

// The first layout of the table whose recogniser takes `primeiraLinha`; null when none does.
const LayoutArquivo* ReconheceLayout(const TabelaLayouts& tabela, std::string_view primeiraLinha);

// How a run ended.
enum class Desfecho {
  RelatorioOK,         // report with status OK, output window shown
  RelatorioNOK,        // report with status NOK, output window shown
  RelatorioSemJanela,  // a report was written by the failure handler; no output window
  SemRelatorio,        // the run ended without a report (a message box, or nothing)
};

// One run of the file `nomeArq`, its path taken exactly. With a report folder, the run refuses
// (a message, nothing written) when saida.txt or param.txt there is that file itself.
Desfecho ValidaArquivo(Execucao& execucao, std::string_view nomeArq, const TabelaLayouts& tabela);

}  // namespace rolval
