#include "cli/Sinais.h"

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <csignal>

namespace rolval {

namespace {

// Process-wide, as the signal handlers that read them: the signal asked to end the program (0:
// none yet) and how many reports are being put in place.
std::atomic<int> sinalPedido{0};
std::atomic<int> escrevendo{0};

[[noreturn]] void MorreCom(int sinal) {
  std::signal(sinal, SIG_DFL);
  sigset_t so;
  sigemptyset(&so);
  sigaddset(&so, sinal);
  pthread_sigmask(SIG_UNBLOCK, &so, nullptr);
  std::raise(sinal);
  // A signal that does not end the process by default cannot get here; end as it would have.
  _exit(128 + sinal);
}

void AoSinal(int sinal) {
  int esperado = 0;
  sinalPedido.compare_exchange_strong(esperado, sinal);
  // Whoever ends the last report being put in place ends the program; with none, end now. The
  // signal is blocked while this handler runs, so it is delivered again, by default, on return.
  if (escrevendo.load() == 0) {
    std::signal(sinal, SIG_DFL);
    std::raise(sinal);
  }
}

}  // namespace

GuardaSinais& GuardaSinais::Instala() {
  static GuardaSinais guarda = [] {
    GuardaSinais g;
    struct sigaction atual {};
    sigaction(SIGPIPE, nullptr, &atual);
    g.sigpipeIgnorado_ = atual.sa_handler == SIG_IGN;
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);  // threads started later inherit it
    struct sigaction acao {};
    acao.sa_handler = AoSinal;
    sigemptyset(&acao.sa_mask);
    acao.sa_flags = SA_RESTART;
    for (const int sinal : {SIGINT, SIGTERM, SIGHUP}) {
      struct sigaction antes {};
      sigaction(sinal, nullptr, &antes);
      // A signal the caller chose to ignore (nohup, a shell's background job) stays ignored.
      if (antes.sa_handler != SIG_IGN) sigaction(sinal, &acao, nullptr);
    }
    return g;
  }();
  return guarda;
}

void GuardaSinais::Comeca() {
  escrevendo.fetch_add(1);
  if (sinalPedido.load() != 0) {
    // The program is ending: no report starts now. The last one finishing ends it.
    Termina();
    for (;;) ::pause();
  }
}

void GuardaSinais::Termina() {
  if (escrevendo.fetch_sub(1) == 1) {
    const int sinal = sinalPedido.load();
    if (sinal != 0) MorreCom(sinal);
  }
}

bool GuardaSinais::Interrompida() const { return sinalPedido.load() != 0; }

void GuardaSinais::TerminaCom(int sinal) {
  int esperado = 0;
  sinalPedido.compare_exchange_strong(esperado, sinal);
  if (escrevendo.load() == 0) MorreCom(sinalPedido.load());
  for (;;) ::pause();
}

}  // namespace rolval
