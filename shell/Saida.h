#pragma once
// The output window `Saida`: shows the report of the run just finished, prints it, and when it
// closes deletes the report and gives the main window back. The main window is disabled while
// it is open. Only its Fechar button resets the run state; closing it from the title bar does not.
#include <QPointer>
#include <QWidget>
#include <filesystem>

class QPlainTextEdit;
class QPushButton;

namespace rolval {

class Dialogos;
class Execucao;

class Saida : public QWidget {
  Q_OBJECT

 public:
  // Loads the report from `pastaTrabalho`; `principal` is disabled until this window closes.
  Saida(Execucao& execucao, std::filesystem::path pastaTrabalho, QWidget* principal,
        Dialogos& dialogos);

  void BImprimir_Click();
  void BFechar_Click();

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  void CarregaRelatorio();
  std::filesystem::path CaminhoRelatorio() const;

  Execucao& execucao_;
  std::filesystem::path pasta_;
  QPointer<QWidget> principal_;
  Dialogos& dialogos_;
  QPlainTextEdit* txtsaida;
  QPushButton* BImprimir;
  QPushButton* BFechar;
};

// The report's text for display: Latin-1 decoded, each CR LF (or lone CR) a line break.
QString TextoRelatorio(const QByteArray& latin1);

// The caption of the output window: the program's name and version.
QString TituloSaida();

}  // namespace rolval
