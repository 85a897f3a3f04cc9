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
  guardadas_.clear();
  return true;
}

void ImpressoraQt::ImprimeLinha(const QString& linha) {
  if (molde_)
    guardadas_ << linha;
  else
    DesenhaLinha(linha);
}

void ImpressoraQt::DesenhaLinha(const QString& linha) {
  const QRect pagina = pintor_.viewport();
  if (y_ > 0 && y_ + alturaLinha_ > pagina.height()) {
    impressora_.newPage();
    y_ = 0;
  }
  if (!linha.isEmpty()) pintor_.drawText(0, y_ + ascendente_, linha);
  y_ += alturaLinha_;
}

// Each page: the header, a rule under it and an empty line; the page's lines; the page's number
// on the last line of the page, at the right.
void ImpressoraQt::DesenhaPaginas() {
  const QRect area = pintor_.viewport();
  constexpr int LinhasCabecalho = 2;  // the header and the empty line under it
  constexpr int LinhasRodape = 2;     // an empty line and the page's number
  const int linhasPorPagina =
      std::max(1, area.height() / alturaLinha_ - LinhasCabecalho - LinhasRodape);
  const std::vector<QStringList> paginas = DivideEmPaginas(guardadas_, linhasPorPagina);
  const auto total = static_cast<int>(paginas.size());
  const QString cabecalho = CabecalhoPagina(*molde_);
  const QFontMetrics medidas = pintor_.fontMetrics();
  for (int n = 0; n < total; ++n) {
    if (n > 0) impressora_.newPage();
    pintor_.drawText(0, ascendente_, medidas.elidedText(cabecalho, Qt::ElideMiddle, area.width()));
    const int regua = alturaLinha_ + alturaLinha_ / 4;
    pintor_.drawLine(0, regua, area.width(), regua);
    y_ = alturaLinha_ * LinhasCabecalho;
    for (const QString& linha : paginas[static_cast<std::size_t>(n)]) {
      if (!linha.isEmpty()) pintor_.drawText(0, y_ + ascendente_, linha);
      y_ += alturaLinha_;
    }
    const QString rodape = RodapePagina(n + 1, total);
    const int fim = alturaLinha_ * (LinhasCabecalho + linhasPorPagina + LinhasRodape - 1);
    pintor_.drawText(area.width() - medidas.horizontalAdvance(rodape), fim + ascendente_, rodape);
  }
}

bool ImpressoraQt::Termina() {
  if (molde_) DesenhaPaginas();
  return pintor_.end();
}

void ImpressoraQt::Abandona() {
  guardadas_.clear();
  impressora_.abort();
  if (pintor_.isActive()) pintor_.end();
}

QString CabecalhoPagina(const MoldePagina& molde) {
  return QStringLiteral("%1   Validado em %2   Versão %3   %4")
      .arg(molde.arquivo, molde.validacao.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")),
           molde.versao, molde.situacao);
}

QString RodapePagina(int pagina, int total) {
  return QStringLiteral("Página %1 de %2").arg(pagina).arg(total);
}

int InicioTitulosColunas(const QStringList& linhas) {
  const auto hifens = [](const QString& linha) {
    return !linha.isEmpty() &&
           std::all_of(linha.begin(), linha.end(), [](QChar c) { return c == QLatin1Char('-'); });
  };
  for (int i = 0; i + 2 < linhas.size(); ++i)
    if (hifens(linhas[i]) && !hifens(linhas[i + 1]) && hifens(linhas[i + 2])) return i;
  return -1;
}

std::vector<QStringList> DivideEmPaginas(const QStringList& linhas, int linhasPorPagina) {
  constexpr int LinhasTitulos = 3;
  const int titulos = InicioTitulosColunas(linhas);
  // Pages too short for the headings and a line of the report go without them.
  const bool repete = titulos >= 0 && linhasPorPagina > LinhasTitulos;
  std::vector<QStringList> paginas;
  int i = 0;
  while (i < linhas.size() || paginas.empty()) {
    QStringList pagina;
    if (repete && !paginas.empty() && i >= titulos + LinhasTitulos)
      pagina = linhas.mid(titulos, LinhasTitulos);
    const int cabem = std::max(1, linhasPorPagina - static_cast<int>(pagina.size()));
    pagina += linhas.mid(i, cabem);
    i += cabem;
    paginas.push_back(pagina);
  }
  return paginas;
}

}  // namespace rolval
