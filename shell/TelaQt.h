#pragma once
// The windows of a run in the desktop program: the progress window, the output window and the
// message boxes, as the run driver reaches them.
#include <QPointer>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "run/Tela.h"
#include "achados/ListaAchados.h"
#include "shell/IndiceLinhas.h"

class QWidget;

namespace rolval {

class Dialogos;
class Execucao;
class JanelaProgresso;
class Preferencias;
class Saida;

class TelaQt : public Tela {
 public:
  // `principal` is the main window: the owner of message boxes, of the progress and output
  // windows (placed over it), and the window the output window disables. `pastaTrabalho` holds
  // the report. `preferencias`: where the output window keeps its geometry (none: nowhere).
  TelaQt(QWidget* principal, std::filesystem::path pastaTrabalho, Dialogos& dialogos,
         Preferencias* preferencias = nullptr);
  ~TelaQt() override;
  TelaQt(const TelaQt&) = delete;
  TelaQt& operator=(const TelaQt&) = delete;

  // The run whose state the output window's Fechar resets; set once, before the first run. The
  // catalogue and code of each of its findings are kept for the output window.
  void DefineExecucao(Execucao* execucao);

  // Takes the mark (size, modification time) of the file a run is about to validate, for the
  // output window of that run; called before every run.
  void MarcaEntrada(const std::string& caminho) { marcaEntrada_ = MarcaDe(caminho); }

  void MostraProgresso() override;
  void AtualizaProgresso() override;
  void DefineValorProgresso(float valor) override;
  void DefineVer(std::string_view legendaUtf8) override;
  void DefineContrib(std::string_view contribuinteUtf8) override;
  void EscondeProgresso() override;
  void MostraSaida() override;
  void MostraMensagem(std::string_view textoUtf8, std::string_view tituloUtf8,
                      IconeMensagem icone) override;

  JanelaProgresso* progresso() const { return progresso_.get(); }
  Saida* saida() const;  // the output window, while it is loaded

 private:
  QPointer<QWidget> principal_;
  std::filesystem::path pasta_;
  Dialogos& dialogos_;
  Preferencias* preferencias_;
  Execucao* execucao_ = nullptr;
  std::unique_ptr<JanelaProgresso> progresso_;
  std::optional<MarcaArquivo> marcaEntrada_;
  std::string ver_;  // the caption last given, so that the same one each line costs nothing
  QPointer<Saida> saida_;
  ListaAchados achados_;  // of the run in progress, handed to its output window
};

}  // namespace rolval
