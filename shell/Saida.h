#pragma once
// The output window `Saida`: shows the findings of the run just finished in a grid (its first
// tab, see GradeAchados) and the report (the run's own text, never a file another run may have
// replaced) in the second, prints that same text, and when it closes deletes the saida.txt its
// run published (if still that one) and gives the main window back. The main window is disabled
// while it is open. Only its Fechar button resets the run state; closing it from the title bar
// does not. From a finding line of the report or a row of the grid (double-click, or Enter on it,
// or walking them with Anterior/Próximo, Shift+F3/F3, from the report's caret or the grid's
// current row, whichever tab is shown) it shows the record of the validated file that the
// finding names; Esc closes that record before the window. The findings are the run's own, as it
// wrote them, never read back from the report's text. It saves the report (the bytes of
// saida.txt) and the findings (JSON Lines), exports them as CSV (all, or the grid's rows) under
// names the user picks, copies a finding from the context menu of the grid or the report, opens
// the help at a finding's code (F1), shows the print as it will come out, says in its status
// line what it saved or printed, and shows, under the report and never in it, hints for the
// common faults of the validated file.
#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "achados/ListaAchados.h"
#include "shell/Impressao.h"
#include "shell/IndiceLinhas.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QPrinter;
class QScrollArea;
class QSplitter;
class QTabWidget;

namespace rolval {

class Dialogos;
class GradeAchados;
class Execucao;
class Preferencias;
class VisaoRegistro;

class Saida : public QWidget {
  Q_OBJECT

 public:
  // Shows the report of `execucao`; `pastaTrabalho` is where it was published. `principal` is
  // disabled until this window closes.
  // `marcaEntrada`: the validated file as it was when the run started (nothing when it could not
  // be examined then); a record is shown only from that same file. The window is one of
  // `principal`'s, centred on it. `preferencias`: where its geometry is kept (none: nowhere).
  // `achados`: the findings of the run, in its order, as it told them.
  Saida(Execucao& execucao, std::filesystem::path pastaTrabalho, QWidget* principal,
        Dialogos& dialogos, std::optional<MarcaArquivo> marcaEntrada = std::nullopt,
        Preferencias* preferencias = nullptr, ListaAchados achados = {});
  ~Saida() override;

  void BImprimir_Click();
  void BVisualizar_Click();  // the print preview, from which the user may print
  // Imprimir grade...: the print preview of the grid's rows, as filtered and sorted, as a table
  // on landscape pages with the report's page header, foot and column headings on every page;
  // the user prints from it.
  void mnuimpgrade_Click();
  void BFechar_Click();
  void mnusalrel_Click();   // Salvar relatório como...
  void mnusaljson_Click();  // Salvar achados (JSON Lines)...
  // Exportar achados (CSV)...: every finding, or (`filtrados`) the grid's rows in its order, as
  // rolval-cli --format csv writes them; proposes <name>.achados.csv beside the file.
  void mnuexpcsv_Click(bool filtrados);
  // The finding as one tab-separated row of the grid's columns, to the clipboard.
  void CopiaAchado(int achado) const;
  // Salvar cópia corrigida e validar: asks where (proposing <name>-corrigido.txt beside the
  // file), saves the corrected copy there, closes this window and validates the copy, whose
  // window then tells what was changed above its report.
  void BCorrigir_Click();
  // Tells above the report that it is the report of a corrected copy, and what was changed.
  void MostraCorrecao(const QString& texto);
  void BAnterior_Click();  // the finding before the report view's caret line
  void BProximo_Click();   // the finding after the report view's caret line

  // Shows finding `indice` (0-based, in the report's order) in the record view.
  void MostraAchado(int indice);
  const ListaAchados& achados() const { return achados_; }
  int achadoAtual() const { return atual_; }  // -1 before any is shown

 protected:
  void closeEvent(QCloseEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void CarregaRelatorio();
  void MostraTextoRelatorio();        // the report's text into its view
  void MarcaNoRelatorio(int indice);  // the finding's line marked in the report's view
  void MostraDicas();
  void MostraBotaoCorrecao(bool corrigivel);  // under the hints, when a copy can mend the file
  // Asks where to save (proposing `sufixo` after the input's name, beside it) and writes `bytes`
  // there whole; says so when it cannot, and never writes over the validated file. Whether it
  // saved; the file is then `salvoEm_`.
  bool SalvaComo(const QString& titulo, const QString& sufixo, const QString& filtro,
                 std::string_view bytes);
  QString NomeSugerido(const QString& sufixo) const;
  void PreparaPagina(QPrinter& impressora) const;
  bool Imprime(QPrinter& impressora) const;       // the report on a printer the user set up
  bool ImprimeGrade(QPrinter& impressora) const;  // the grid's rows, likewise
  // Whatever the dialog chose, no side of the page is printed closer to the edge than the margin.
  static void AjustaMargens(QPrinter& impressora);
  void MostraAchadoDaLinha(int bloco);  // the finding on that line of the report view, if any
  void AtualizaBotoes();
  int AchadoVizinho(int passo) const;
  void FechaRegistro();         // hides the record panel, the tab's view taking the keyboard
  QWidget* VisaoAtual() const;  // the grid or the report, whichever tab is shown
  int AchadoEmFoco() const;     // the grid's current row, or the report's caret line; -1: none
  void MenuRelatorio(const QPoint& ponto);

  static constexpr int AbaGrade = 0, AbaRelatorio = 1;
  // Findings up to which the report's view is filled at once; past it, when its tab is shown.
  static constexpr std::size_t LimiteRelatorioImediato = 20000;
  bool relatorioNaVisao_ = false;

  Execucao& execucao_;
  std::filesystem::path pasta_;
  QPointer<QWidget> principal_;
  Dialogos& dialogos_;
  Preferencias* preferencias_;
  std::string caminhoEntrada_;  // the file the run validated
  std::optional<MarcaArquivo> marcaEntrada_;
  std::string relatorio_;                 // the run's report, Latin-1, as shown and printed
  std::unique_ptr<IndiceLinhas> indice_;  // made on the first record shown
  ListaAchados achados_;
  int atual_ = -1;
  MoldePagina molde_;  // what each printed page says of the run
  QString salvoEm_;    // the file last saved

  QLabel* lblArquivo;
  QTabWidget* abas;  // the findings grid, then the report
  GradeAchados* grade;
  QPlainTextEdit* txtsaida;
  QLabel* lblDicas;
  QPushButton* BCorrigir = nullptr;  // made with the first hint that a copy can mend
  QLabel* lblCorrecao = nullptr;     // made when the report is a corrected copy's
  VisaoRegistro* registro;
  QScrollArea* painelRegistro;  // the record panel, scrolled when the window is short of room
  QSplitter* divisor;           // the tabs above, the record panel under them
  QLabel* lblResumo;
  QLabel* lblStatus;
  QPushButton* BSalvar;
  QPushButton* BAnterior;
  QPushButton* BProximo;
  QPushButton* BVisualizar;
  QPushButton* BImprimir;
  QPushButton* BFechar;
};

// The status line of the output window: the number of errors and of warnings of the run.
QString TextoResumo(const ListaAchados& achados);

// The report's text for display: Latin-1 decoded, each CR LF (or lone CR) a line break.
QString TextoRelatorio(const QByteArray& latin1);

// The caption of the output window: the program's name and version, then the name of the
// validated file when there is one.
QString TituloSaida(const QString& arquivo = QString());

// The separator of the CSV export: rolval-cli's own default.
inline constexpr char SeparadorCsv = ';';

// The findings as CSV, as rolval-cli --format csv writes them for the file `arquivo` (its
// bytes): all of them, or those of `quais` in that order.
std::string AchadosCsv(const ListaAchados& achados, std::string_view arquivo,
                       const std::vector<std::int32_t>* quais = nullptr);

// The findings as JSON Lines, as rolval-cli writes them for the file `arquivo` (its bytes).
std::string AchadosJsonLines(const ListaAchados& achados, std::string_view arquivo);

// Margin kept on every side of a printed page, in millimetres.
inline constexpr double MargemImpressaoMm = 15.0;

}  // namespace rolval
