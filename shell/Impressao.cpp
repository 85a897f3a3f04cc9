#include "shell/Impressao.h"

#include <QPrinter>

#include "run/Arquivos.h"
#include "run/Falha.h"

namespace rolval {

namespace {
// Longer than any line of a report; a longer line is cut there.
constexpr std::size_t LimiteLinhaRelatorio = 64 * 1024;
}  // namespace

bool ImprimeRelatorio(const std::filesystem::path& relatorio, ImpressoraLinhas& impressora) {
  LeitorLinhas leitor;  // closes the report when it goes, on every path out
  bool comecou = false;
  try {
    leitor.Abre(relatorio.string());
    if (!impressora.Comeca()) return false;
    comecou = true;
    impressora.ImprimeLinha(QString());
    std::string linha;
    while (!leitor.Fim()) {
      leitor.LeLinha(linha, LimiteLinhaRelatorio);
      impressora.ImprimeLinha(QString::fromLatin1(linha.data(), static_cast<qsizetype>(linha.size())));
    }
    comecou = false;
    return impressora.Termina();
  } catch (const std::exception&) {
    // A report that cannot be read, or a printer that fails half-way, ends the printing without a
    // message; half a report is not sent.
    if (comecou) impressora.Abandona();
    return false;
  }
}

QFont FonteImpressora() {
  QFont fonte;
  // Liberation Mono and Cousine have the widths of Courier New; Nimbus Mono PS those of Courier.
  fonte.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                     QStringLiteral("Cousine"), QStringLiteral("Nimbus Mono PS"),
                     QStringLiteral("DejaVu Sans Mono")});
  fonte.setStyleHint(QFont::TypeWriter);
  fonte.setFixedPitch(true);
  fonte.setPointSize(10);
  return fonte;
}

bool ImpressoraQt::Comeca() {
  if (!pintor_.begin(&impressora_)) return false;
  pintor_.setFont(FonteImpressora());
  const QFontMetrics medidas = pintor_.fontMetrics();
  alturaLinha_ = medidas.lineSpacing();
  ascendente_ = medidas.ascent();
  y_ = 0;
  return true;
}

void ImpressoraQt::ImprimeLinha(const QString& linha) {
  const QRect pagina = pintor_.viewport();
  if (y_ > 0 && y_ + alturaLinha_ > pagina.height()) {
    impressora_.newPage();
    y_ = 0;
  }
  if (!linha.isEmpty()) pintor_.drawText(0, y_ + ascendente_, linha);
  y_ += alturaLinha_;
}

bool ImpressoraQt::Termina() { return pintor_.end(); }

void ImpressoraQt::Abandona() {
  impressora_.abort();
  if (pintor_.isActive()) pintor_.end();
}

}  // namespace rolval
