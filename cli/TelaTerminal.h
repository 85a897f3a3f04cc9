#pragma once
// The windows of a run as a terminal shows them: a progress bar on stderr when stderr is a
// terminal, and message-box texts on stderr.
#include <string>
#include <vector>

#include "run/Tela.h"

namespace rolval {

class TelaTerminal : public Tela {
 public:
  explicit TelaTerminal(bool barra);
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

 private:
  void Desenha();
  bool barra_;
  bool visivel_ = false;
  int percentual_ = -1;
  std::string ver_;
  std::string contrib_;
  std::vector<std::string> mensagens_;
};

}  // namespace rolval
