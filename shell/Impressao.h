#pragma once
// Printing of the report: one empty line, then one printer line per line of the run's report.
// Each page carries a header (the validated file, when it was validated, the program's version
// and the run's status) and "Página n de N" at its foot, and each page after the first starts with
// the report's column headings again; the report's own lines print unchanged.
#include <QDateTime>
#include <QFont>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>
#include <vector>

class QPrinter;

namespace rolval {

// Where the report's lines go, one printer line each.
class ImpressoraLinhas {
 public:
  virtual ~ImpressoraLinhas() = default;
  virtual bool Comeca() = 0;  // opens the print document; false when the printer refuses it
  virtual void ImprimeLinha(const QString& linha) = 0;
  virtual bool Termina() = 0;   // ends the document, which sends it to the printer
  virtual void Abandona() = 0;  // drops a document begun but not ended: nothing is sent
};

// Prints the report `relatorio` (Latin-1 text, lines ended by CR LF or a lone CR), the run's own
// text, never a file another run may have replaced. False when anything failed on the way (no
// report, the printer refused or failed half-way: then nothing is sent).
bool ImprimeRelatorio(std::string_view relatorio, ImpressoraLinhas& impressora);

// The printer font: Courier New 10 point, or a monospace font of the same metrics where that
// font is missing.
QFont FonteImpressora();

// What a printed page says of the run besides the report's lines.
struct MoldePagina {
  QString arquivo;      // the validated file's name
  QDateTime validacao;  // when the run ended
  QString versao;       // the program's version
  QString situacao;     // "OK" or "NOK"
};

// The header line of every page: file, date and time of the validation, version and status.
QString CabecalhoPagina(const MoldePagina& molde);
// The foot of page `pagina` (1-based) of `total`.
QString RodapePagina(int pagina, int total);

// The report's column headings: its first run of a line of dashes, a heading line and a line of
// dashes, as the index of its first line; -1 when the report has none.
int InicioTitulosColunas(const QStringList& linhas);

// The printed lines laid on pages of `linhasPorPagina` lines: in order, each page after the first
// starting with the column headings again when those came on an earlier page. Never an empty page.
std::vector<QStringList> DivideEmPaginas(const QStringList& linhas, int linhasPorPagina);

// A QPrinter seen as lines: each line at the left margin under the previous one, a new page
// when the page is full. Lines wider than the page are cut at its edge. With a `molde`, the
// lines are kept until the end and laid on pages with a header, the column headings and the
// page's number; without one, each line is drawn as it comes.
class ImpressoraQt : public ImpressoraLinhas {
 public:
  explicit ImpressoraQt(QPrinter& impressora, std::optional<MoldePagina> molde = std::nullopt)
      : impressora_(impressora), molde_(std::move(molde)) {}
  bool Comeca() override;
  void ImprimeLinha(const QString& linha) override;
  bool Termina() override;
  void Abandona() override;

 private:
  void DesenhaLinha(const QString& linha);
  void DesenhaPaginas();

  QPrinter& impressora_;
  std::optional<MoldePagina> molde_;
  QStringList guardadas_;  // the lines kept for the pages, with a `molde`
  QPainter pintor_;
  int alturaLinha_ = 0;
  int ascendente_ = 0;
  int y_ = 0;
};

}  // namespace rolval
