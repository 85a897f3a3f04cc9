#pragma once
// How rolval-cli ends on a signal (SIGINT, SIGTERM, SIGHUP; SIGPIPE when it was not ignored): at
// once, by that signal, as every Unix tool does, unless a report is being put in place in a folder
// at that moment; then as soon as that is done. Every other file of a run lives in memory or in
// unnamed temporary files, so ending leaves nothing behind and nothing half-written.
#include "run/Publicacao.h"

namespace rolval {

class GuardaSinais : public GuardaEscrita {
 public:
  // Installs the handlers (once per process; signal handlers are the process's). SIGPIPE is
  // blocked, so that a write to a closed pipe fails with EPIPE where it is made; whether SIGPIPE
  // was ignored when the program started is remembered.
  static GuardaSinais& Instala();

  void Comeca() override;
  void Termina() override;
  bool Interrompida() const override;

  bool SigpipeIgnorado() const { return sigpipeIgnorado_; }
  // Ends the program by `sinal` as soon as no report is being put in place. Does not return.
  [[noreturn]] void TerminaCom(int sinal);

 private:
  GuardaSinais() = default;
  bool sigpipeIgnorado_ = false;
};

}  // namespace rolval
