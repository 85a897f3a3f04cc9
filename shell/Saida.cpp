#include "shell/Saida.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>

#include "VersaoPrograma.h"
#include "run/Execucao.h"
#include "shell/Dialogos.h"
#include "shell/Impressao.h"
#include "shell/VisaoRegistro.h"

namespace rolval {

QString TextoRelatorio(const QByteArray& latin1) {
  QString texto = QString::fromLatin1(latin1);
  texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  // The last line's end is not an empty line of its own.
  if (texto.endsWith(QLatin1Char('\n'))) texto.chop(1);
  return texto;
}

QString TituloSaida() {
  return QStringLiteral("Programa de Validação de Documentos - ") +
         QString::fromLatin1(VersaoTexto);
}

QString TextoResumo(const AchadosRelatorio& achados) {
  return QStringLiteral("Erros: %1    Avisos: %2").arg(achados.erros).arg(achados.avisos);
}

Saida::Saida(Execucao& execucao, std::filesystem::path pastaTrabalho, QWidget* principal,
             Dialogos& dialogos, std::optional<MarcaArquivo> marcaEntrada)
    : QWidget(nullptr, Qt::Window),
      execucao_(execucao),
      pasta_(std::move(pastaTrabalho)),
      principal_(principal),
      dialogos_(dialogos),
      caminhoEntrada_(execucao.controle.NomeArquivo),
      marcaEntrada_(marcaEntrada) {
  setObjectName(QStringLiteral("Saida"));
  setAttribute(Qt::WA_DeleteOnClose);

  txtsaida = new QPlainTextEdit(this);
  txtsaida->setObjectName(QStringLiteral("txtsaida"));
  txtsaida->setReadOnly(true);
  txtsaida->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont fonte = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fonte.setPointSize(9);
  txtsaida->setFont(fonte);
  registro = new VisaoRegistro(this);
  registro->hide();
  lblResumo = new QLabel(this);
  lblResumo->setObjectName(QStringLiteral("lblResumo"));
  BAnterior = new QPushButton(QStringLiteral("A&nterior"), this);
  BAnterior->setObjectName(QStringLiteral("BAnterior"));
  BAnterior->setToolTip(QStringLiteral("Achado anterior (Shift+F3)"));
  BProximo = new QPushButton(QStringLiteral("Pró&ximo"), this);
  BProximo->setObjectName(QStringLiteral("BProximo"));
  BProximo->setToolTip(QStringLiteral("Próximo achado (F3)"));
  connect(BAnterior, &QPushButton::clicked, this, &Saida::BAnterior_Click);
  connect(BProximo, &QPushButton::clicked, this, &Saida::BProximo_Click);
  auto* teclaProximo = new QShortcut(QKeySequence(Qt::Key_F3), this);
  connect(teclaProximo, &QShortcut::activated, this, &Saida::BProximo_Click);
  auto* teclaAnterior = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this);
  connect(teclaAnterior, &QShortcut::activated, this, &Saida::BAnterior_Click);
  // A finding line opens its record: double-click on it, or Enter with the cursor on it.
  txtsaida->installEventFilter(this);
  txtsaida->viewport()->installEventFilter(this);

  BImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
  BImprimir->setObjectName(QStringLiteral("BImprimir"));
  BFechar = new QPushButton(QStringLiteral("&Fechar"), this);
  BFechar->setObjectName(QStringLiteral("BFechar"));
  connect(BImprimir, &QPushButton::clicked, this, &Saida::BImprimir_Click);
  connect(BFechar, &QPushButton::clicked, this, &Saida::BFechar_Click);

  auto* botoes = new QHBoxLayout;
  botoes->addWidget(lblResumo);
  botoes->addStretch(1);
  botoes->addWidget(BAnterior);
  botoes->addWidget(BProximo);
  botoes->addSpacing(12);
  botoes->addWidget(BImprimir);
  botoes->addWidget(BFechar);
  auto* divisor = new QSplitter(Qt::Vertical, this);
  divisor->setObjectName(QStringLiteral("divisor"));
  divisor->setChildrenCollapsible(false);
  divisor->addWidget(txtsaida);
  divisor->addWidget(registro);
  divisor->setStretchFactor(0, 1);
  divisor->setStretchFactor(1, 0);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(divisor, 1);
  layout->addLayout(botoes);
  // Wide enough for a report line (up to about 110 characters) without scrolling sideways.
  const QFontMetrics medidas(fonte);
  resize(medidas.horizontalAdvance(QLatin1Char('0')) * 116, medidas.lineSpacing() * 30);

  // Form_Load.
  setWindowTitle(TituloSaida());
  if (principal_ != nullptr) principal_->setEnabled(false);
  CarregaRelatorio();
}

Saida::~Saida() = default;

void Saida::CarregaRelatorio() {
  try {
    relatorio_ = execucao_.Relatorio().Texto();
  } catch (const std::exception&) {
    relatorio_.clear();  // a report that cannot be read back shows as none
  }
  txtsaida->setPlainText(TextoRelatorio(
      QByteArray::fromRawData(relatorio_.data(), static_cast<qsizetype>(relatorio_.size()))));
  achados_ = LeAchados(relatorio_);
  lblResumo->setText(TextoResumo(achados_));
  AtualizaBotoes();
}

void Saida::MostraAchado(int indice) {
  const auto total = static_cast<int>(achados_.achados.size());
  if (indice < 0 || indice >= total) return;
  atual_ = indice;
  const AchadoLido& achado = achados_.achados[static_cast<std::size_t>(indice)];
  if (!indice_) indice_ = std::make_unique<IndiceLinhas>(caminhoEntrada_, marcaEntrada_);
  registro->show();
  registro->Mostra(achado, indice + 1, total, *indice_);

  // The finding's line marked in the report and brought into sight.
  QTextCursor cursor(txtsaida->document()->findBlockByNumber(achado.blocoInicial));
  txtsaida->setTextCursor(cursor);
  txtsaida->ensureCursorVisible();
  QTextEdit::ExtraSelection marca;
  marca.cursor = cursor;
  marca.format.setBackground(QColor(255, 245, 200));
  marca.format.setProperty(QTextFormat::FullWidthSelection, true);
  txtsaida->setExtraSelections({marca});
  AtualizaBotoes();
}

void Saida::MostraAchadoDaLinha(int bloco) {
  const auto& lista = achados_.achados;
  // The findings are in the report's order: the last one that starts at or before the line.
  const auto depois =
      std::upper_bound(lista.begin(), lista.end(), bloco,
                       [](int b, const AchadoLido& a) { return b < a.blocoInicial; });
  if (depois == lista.begin()) return;
  const auto achado = std::prev(depois);
  if (bloco > achado->blocoFinal) return;
  MostraAchado(static_cast<int>(achado - lista.begin()));
}

void Saida::BAnterior_Click() { MostraAchado(atual_ < 0 ? 0 : atual_ - 1); }

void Saida::BProximo_Click() { MostraAchado(atual_ + 1); }

void Saida::AtualizaBotoes() {
  const auto total = static_cast<int>(achados_.achados.size());
  BAnterior->setEnabled(total > 0 && atual_ != 0);
  BProximo->setEnabled(total > 0 && atual_ < total - 1);
}

bool Saida::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == txtsaida->viewport() && evento->type() == QEvent::MouseButtonDblClick) {
    const auto* clique = static_cast<QMouseEvent*>(evento);
    MostraAchadoDaLinha(txtsaida->cursorForPosition(clique->position().toPoint()).blockNumber());
  } else if (objeto == txtsaida && evento->type() == QEvent::KeyPress) {
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    if ((tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) &&
        tecla->modifiers() == Qt::NoModifier) {
      MostraAchadoDaLinha(txtsaida->textCursor().blockNumber());
      return true;
    }
  }
  return QWidget::eventFilter(objeto, evento);
}

void Saida::BImprimir_Click() {
  QPrinter impressora(QPrinter::HighResolution);
  if (!dialogos_.PreparaImpressora(this, impressora)) return;
  ImpressoraQt linhas(impressora);
  ImprimeRelatorio(relatorio_, linhas);
}

void Saida::BFechar_Click() {
  execucao_.LimpaVariaveis();
  hide();
  close();
}

// Form_Unload: from the Fechar button and from the title bar alike.
void Saida::closeEvent(QCloseEvent* evento) {
  // Only the saida.txt this run published: another run on the same folder may have put its own.
  RetiraSaidaPublicada(pasta_, execucao_.SaidaPublicada());
  if (principal_ != nullptr) {
    principal_->setEnabled(true);
    principal_->show();
  }
  evento->accept();
}

}  // namespace rolval
