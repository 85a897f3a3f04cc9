#pragma once
// The run driver: one validation run of one file, from the reset of the run state to the report.
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "run/Execucao.h"

namespace rolval {

class FalhaExecucao;

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

// The same run taken in steps, for a caller whose input's bytes come while the run goes on (the
// page reads the next part of a file while the engine validates the part before): each step
// validates the lines the input holds whole, then hands back. With an input that holds all its
// bytes, as a file of the system does, the first step runs to the end.
class CorridaArquivo {
 public:
  CorridaArquivo(Execucao& execucao, std::string_view nomeArq, const TabelaLayouts& tabela);
  ~CorridaArquivo();
  CorridaArquivo(const CorridaArquivo&) = delete;
  CorridaArquivo& operator=(const CorridaArquivo&) = delete;
  // Goes as far as the input allows; false once the run has ended and Desfecho can be asked.
  bool Avanca();
  Desfecho Resultado() const { return desfecho_; }

 private:
  enum class Fase { Inicio, Linhas, Encerrada };
  bool Comeca();    // refusals, then up to the first line; false when the run ended there
  bool LeLinhas();  // true when it stopped for more input, false at the end of the lines
  void Termina();   // the last return's checks and the report
  void Falhou(const FalhaExecucao* falha);  // the run stopped by a failure
  void Encerra(Desfecho desfecho);
  Execucao& ex_;
  std::string nomeArq_;
  const TabelaLayouts& tabela_;
  Fase fase_ = Fase::Inicio;
  Desfecho desfecho_ = Desfecho::SemRelatorio;
  const LayoutArquivo* layout_ = nullptr;
  bool reconhecido_ = false;
  bool ler_ = true;
  bool legendaDefinida_ = false;
  int comprimento_ = 0;
  class ProgressoLeitura;
  std::unique_ptr<ProgressoLeitura> progresso_;
  std::string_view linha_;  // the last line read, a view into the reader's buffer
};

}  // namespace rolval
