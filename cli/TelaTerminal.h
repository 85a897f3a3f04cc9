#pragma once
// The windows of a run as a terminal shows them: a progress line on stderr, redrawn at most ten
// times a second, and message-box texts kept for the caller.
#include <chrono>
#include <string>
#include <vector>

#include "run/Tela.h"

namespace rolval {

enum class ModoProgresso {
  Nenhum,    // no progress line (stderr is not a terminal, --quiet, --no-progress)
  Completo,  // redrawn after a CR and erased with the terminal's erase-line sequence
  Simples,   // TERM=dumb or no TERM: CR and blanks only, no escape sequence
};

class TelaTerminal : public Tela {
 public:
  explicit TelaTerminal(ModoProgresso modo);
  void MostraProgresso() override;
  void AtualizaProgresso() override {}
  void DefineValorProgresso(float valor) override;
  void DefineVer(std::string_view legenda) override;
  void DefineContrib(std::string_view contribuinte) override;
  void EscondeProgresso() override;
  void MostraSaida() override {}
  void MostraMensagem(std::string_view texto, std::string_view titulo, IconeMensagem) override;

  // Message-box texts are kept, not printed, so that runs side by side do not mix them.
  const std::vector<std::string>& mensagens() const { return mensagens_; }

  // The shortest time between two redraws.
  static constexpr std::chrono::milliseconds Intervalo{100};

 private:
  // Draws the line now, or once the interval since the last drawing has passed.
  void Mudou();
  void Desenha();
  void Apaga();
  ModoProgresso modo_;
  bool visivel_ = false;
  bool desenhado_ = false;  // something is on the terminal's line
  bool pendente_ = false;   // a change not drawn yet
  std::chrono::steady_clock::time_point ultimo_{};
  std::size_t largura_ = 0;  // columns taken by the line drawn last
  int percentual_ = -1;
  std::string ver_;
  std::string contrib_;
  std::vector<std::string> mensagens_;
};

}  // namespace rolval
