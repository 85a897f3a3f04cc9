#include "shell/Impressao.h"

#include <QPrinter>

#include <algorithm>

namespace rolval {

bool ImprimeRelatorio(std::string_view relatorio, ImpressoraLinhas& impressora) {
  if (relatorio.empty()) return false;
  bool comecou = false;
  try {
    if (!impressora.Comeca()) return false;
    comecou = true;
    impressora.ImprimeLinha(QString());
    while (!relatorio.empty()) {
      const std::size_t fim = std::min(relatorio.find('\r'), relatorio.size());
      impressora.ImprimeLinha(QString::fromLatin1(relatorio.data(), static_cast<qsizetype>(fim)));
      relatorio.remove_prefix(fim);
      if (!relatorio.empty()) relatorio.remove_prefix(1);  // the CR
      if (!relatorio.empty() && relatorio.front() == '\n') relatorio.remove_prefix(1);
    }
    comecou = false;
    return impressora.Termina();
  } catch (const std::exception&) {
    // A printer that fails half-way ends the printing without a message; half a report is not sent.
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
