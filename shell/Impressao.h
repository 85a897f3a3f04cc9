#pragma once
// Printing of the report: one empty line, then one printer line per line of the run's report.
#include <QFont>
#include <QPainter>
#include <QString>
#include <string_view>

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

// A QPrinter seen as lines: each line at the left margin under the previous one, a new page
// when the page is full. Lines wider than the page are cut at its edge.
class ImpressoraQt : public ImpressoraLinhas {
 public:
  explicit ImpressoraQt(QPrinter& impressora) : impressora_(impressora) {}
  bool Comeca() override;
  void ImprimeLinha(const QString& linha) override;
  bool Termina() override;
  void Abandona() override;

 private:
  QPrinter& impressora_;
  QPainter pintor_;
  int alturaLinha_ = 0;
  int ascendente_ = 0;
  int y_ = 0;
};

}  // namespace rolval
