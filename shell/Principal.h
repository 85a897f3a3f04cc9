#pragma once
// The main window `Principal`: the path of the file to validate (typed, picked in the open dialog
// or among the recent files, dropped on the window, or given on the command line), Validar, which
// runs the validation, Sair, and the Ajuda menu. It owns the run object and the windows of the
// run; it is disabled while the output window is open.
#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace rolval {

class Dialogos;
class Execucao;
class Preferencias;
class TelaQt;

class Principal : public QMainWindow {
  Q_OBJECT

 public:
  // `pastaTrabalho`: where the run keeps its files; nothing when no writable folder was found,
  // and then Validar says so instead of running. `preferencias`: what is remembered between
  // sessions (last folder, recent files, window geometry); none to remember nothing.
  Principal(std::optional<std::filesystem::path> pastaTrabalho, Dialogos& dialogos,
            Preferencias* preferencias = nullptr);
  ~Principal() override;

  void BAbrir_Click();
  void BValidar_Click();
  void Bsair_Click();
  void mnuajucomo_Click();   // Como ler o relatório
  void mnuajusobre_Click();  // Sobre o ROLVAL

  // A file given from outside (command line, a drop on the window): put in the path box and
  // validated.
  void AbreArquivo(const QString& caminho);

  Execucao* execucao() const { return execucao_.get(); }
  TelaQt* tela() const { return tela_.get(); }

 signals:
  // Sair was chosen: every window is closed and the program is to end.
  void EncerramentoPedido();

 protected:
  void closeEvent(QCloseEvent* evento) override;
  void dragEnterEvent(QDragEnterEvent* evento) override;
  void dropEvent(QDropEvent* evento) override;

 private:
  void CriaControles();
  void AtualizaRecentes();
  QString PastaInicialAbrir() const;

  Dialogos& dialogos_;
  Preferencias* preferencias_;
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
  QMenu* mnuarqrec;
  QAction* mnuarqval;
  QAction* arqlinha;
  QAction* mnuarqsai;
  QAction* mnuajucomo;
  QAction* mnuajusobre;
};

// The path in a pasted text: without the quotes around it ("..." or '...'), and a file:// URI
// as the local path it names. Any other text comes back as it was.
QString CaminhoColado(const QString& texto);

// The caption of the main window.
inline constexpr const char* TituloPrincipal = "Programa de Validação de Documentos";

}  // namespace rolval
