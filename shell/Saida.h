#pragma once
// The output window `Saida`: shows the report of the run just finished (the run's own text, never
// a file another run may have replaced), prints that same text, and when it closes deletes the
// saida.txt its run published (if still that one) and gives the main window back. The main window
// is disabled while it is open. Only its Fechar button resets the run state; closing it from the
// title bar does not. From a finding line of the report (double-click or Enter, or walking them
// with Anterior/Próximo, Shift+F3/F3) it shows the record of the validated file that the finding
// names.
#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "shell/AchadosRelatorio.h"
#include "shell/IndiceLinhas.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace rolval {

class Dialogos;
class Execucao;
class VisaoRegistro;

class Saida : public QWidget {
  Q_OBJECT

 public:
  // Shows the report of `execucao`; `pastaTrabalho` is where it was published. `principal` is
  // disabled until this window closes.
  // `marcaEntrada`: the validated file as it was when the run started (nothing when it could not
  // be examined then); a record is shown only from that same file.
  Saida(Execucao& execucao, std::filesystem::path pastaTrabalho, QWidget* principal,
        Dialogos& dialogos, std::optional<MarcaArquivo> marcaEntrada = std::nullopt);
  ~Saida() override;

  void BImprimir_Click();
  void BFechar_Click();
  void BAnterior_Click();  // the finding before the one shown (the first, when none is)
  void BProximo_Click();   // the finding after the one shown (the first, when none is)

  // Shows finding `indice` (0-based, in the report's order) in the record view.
  void MostraAchado(int indice);
  const AchadosRelatorio& achados() const { return achados_; }
  int achadoAtual() const { return atual_; }  // -1 before any is shown

 protected:
  void closeEvent(QCloseEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void CarregaRelatorio();
  void MostraAchadoDaLinha(int bloco);  // the finding on that line of the report view, if any
  void AtualizaBotoes();

  Execucao& execucao_;
  std::filesystem::path pasta_;
  QPointer<QWidget> principal_;
  Dialogos& dialogos_;
  std::string caminhoEntrada_;  // the file the run validated
  std::optional<MarcaArquivo> marcaEntrada_;
  std::string relatorio_;                 // the run's report, Latin-1, as shown and printed
  std::unique_ptr<IndiceLinhas> indice_;  // made on the first record shown
  AchadosRelatorio achados_;
  int atual_ = -1;

  QPlainTextEdit* txtsaida;
  VisaoRegistro* registro;
  QLabel* lblResumo;
  QPushButton* BAnterior;
  QPushButton* BProximo;
  QPushButton* BImprimir;
  QPushButton* BFechar;
};

// The status line of the output window: the number of errors and of warnings of the report.
QString TextoResumo(const AchadosRelatorio& achados);

// The report's text for display: Latin-1 decoded, each CR LF (or lone CR) a line break.
QString TextoRelatorio(const QByteArray& latin1);

// The caption of the output window: the program's name and version.
QString TituloSaida();

}  // namespace rolval
