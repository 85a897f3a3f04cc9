#pragma once
// The main window `Principal`: the path of the file to validate (typed, or picked in the open
// dialog), Validar, which runs the validation, and Sair. It owns the run object and the windows
// of the run; it is disabled while the output window is open.
#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace rolval {

class Dialogos;
class Execucao;
class TelaQt;

class Principal : public QMainWindow {
  Q_OBJECT

 public:
  // `pastaTrabalho`: where the run keeps its files; nothing when no writable folder was found,
  // and then Validar says so instead of running.
  Principal(std::optional<std::filesystem::path> pastaTrabalho, Dialogos& dialogos);
  ~Principal() override;

  void BAbrir_Click();
  void BValidar_Click();
  void Bsair_Click();

  Execucao* execucao() const { return execucao_.get(); }
  TelaQt* tela() const { return tela_.get(); }

 signals:
  // Sair was chosen: every window is closed and the program is to end.
  void EncerramentoPedido();

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  void CriaControles();

  Dialogos& dialogos_;
  std::unique_ptr<TelaQt> tela_;
  std::unique_ptr<Execucao> execucao_;
  bool emExecucao_ = false;

  QLabel* Label1;
  QLabel* Label4;
  QLabel* lblVersao;
  QLabel* Label6;
  QLineEdit* NomeArq;
  QPushButton* BAbrir;
  QPushButton* BValidar;
  QPushButton* Bsair;
  QLabel* Label2;
  QLabel* Label3;
  QAction* mnuarqabr;
  QAction* mnuarqval;
  QAction* arqlinha;
  QAction* mnuarqsai;
};

// The caption of the main window.
inline constexpr const char* TituloPrincipal = "Programa de Validação de Documentos";

}  // namespace rolval
