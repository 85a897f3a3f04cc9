#include "shell/VisaoRegistro.h"

#include <QEvent>
#include <QHelpEvent>
#include <QToolTip>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "layouts/CamposLayouts.h"
#include "shell/ModeloAchados.h"

namespace rolval {

namespace {

// The record line is the third line of the view, under the two ruler lines.
constexpr int BlocoRegistro = 2;

QString Mensagem(const Achado& achado) {
  return QString::fromLatin1(achado.mensagem.data(),
                             static_cast<qsizetype>(achado.mensagem.size()));
}

QString Cabecalho(const Achado& achado, int ordem, int total) {
  QString texto = QStringLiteral("Achado %1 de %2").arg(ordem).arg(total);
  if (achado.linha > 0) {
    texto += QStringLiteral(" - linha %1").arg(achado.linha);
    if (achado.inicio > 0)
      texto += QStringLiteral(", colunas %1 a %2").arg(achado.inicio).arg(achado.fim);
  }
  return texto + QStringLiteral(": ") + Mensagem(achado);
}

QString AvisoDe(const LinhaArquivo& linha) {
  switch (linha.situacao) {
    case SituacaoLinha::ArquivoAusente:
      return QStringLiteral(
          "O arquivo validado não foi encontrado; o registro não pode ser mostrado.");
    case SituacaoLinha::ArquivoAlterado:
      return QStringLiteral(
          "O arquivo validado foi alterado depois da validação; o registro não pode ser mostrado.");
    case SituacaoLinha::ArquivoIlegivel:
      return QStringLiteral(
                 "Não foi possível ler o arquivo validado (%1); o registro não pode ser "
                 "mostrado.")
          .arg(QString::fromLocal8Bit(std::strerror(linha.erro)));
    case SituacaoLinha::LinhaInexistente:
      return QStringLiteral("O arquivo validado não tem a linha %1.").arg(linha.numero);
    case SituacaoLinha::Lida:
      break;
  }
  return {};
}

QTextEdit::ExtraSelection Realce(QPlainTextEdit* texto, int bloco, int inicio, int fim,
                                 const QColor& cor) {
  QTextEdit::ExtraSelection realce;
  realce.cursor = QTextCursor(texto->document()->findBlockByNumber(bloco));
  const int base = realce.cursor.block().position();
  realce.cursor.setPosition(base + inicio);
  realce.cursor.setPosition(base + fim, QTextCursor::KeepAnchor);
  realce.format.setBackground(cor);
  return realce;
}

}  // namespace

QString ValorLegivel(TipoCampo tipo, std::string_view b) {
  if (b.empty() || !std::all_of(b.begin(), b.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return {};
  const QString t = TextoLatin1(b);
  switch (tipo) {
    case TipoCampo::DataDDMMAAAA:
      return t.size() == 8 ? t.mid(0, 2) + '/' + t.mid(2, 2) + '/' + t.mid(4) : QString();
    case TipoCampo::DataAAAAMMDD:
      return t.size() == 8 ? t.mid(6, 2) + '/' + t.mid(4, 2) + '/' + t.mid(0, 4) : QString();
    case TipoCampo::PeriodoMMAAAA:
      return t.size() == 6 ? t.mid(0, 2) + '/' + t.mid(2) : QString();
    case TipoCampo::Valor: {
      // The amount in cents: its last two digits are the decimals.
      QString inteiros = t.left(std::max<qsizetype>(t.size() - 2, 0));
      while (inteiros.size() > 1 && inteiros[0] == QLatin1Char('0')) inteiros.remove(0, 1);
      if (inteiros.isEmpty()) inteiros = QStringLiteral("0");
      for (qsizetype i = inteiros.size() - 3; i > 0; i -= 3) inteiros.insert(i, QLatin1Char('.'));
      return inteiros + QLatin1Char(',') + t.right(2).rightJustified(2, QLatin1Char('0'));
    }
    default:
      return {};
  }
}

QString DescricaoCampo(const Achado& a) {
  QStringList partes;
  if (!a.tipoRegistro.empty())
    partes << QStringLiteral("Registro ") +
                  QString::fromLatin1(a.tipoRegistro.data(),
                                      static_cast<qsizetype>(a.tipoRegistro.size()))
                      .trimmed();
  if (a.campo != nullptr) {
    QString campo = QStringLiteral("campo ") + NomeDoCampo(*a.campo);
    campo += QStringLiteral(" (colunas %1 a %2)")
                 .arg(a.campo->ColunaDe(a.ocorrencia))
                 .arg(a.campo->UltimaDe(a.ocorrencia));
    if (!a.encontrado.empty()) {
      campo += QStringLiteral(": \"") + TextoLatin1(a.encontrado) + QLatin1Char('"');
      const QString legivel = ValorLegivel(a.campo->tipo, a.encontrado);
      if (!legivel.isEmpty()) campo += QStringLiteral(" = ") + legivel;
    }
    partes << campo;
  }
  const QString valores = TextoValores(a);
  if (!valores.isEmpty()) partes << valores;
  return partes.join(QStringLiteral(" - "));
}

QString ReguaNumeros(int colunas) {
  QString regua(std::max(colunas, 0), QLatin1Char(' '));
  for (int coluna = 10; coluna <= colunas; coluna += 10) {
    const QString numero = QString::number(coluna);
    regua.replace(coluna - numero.size(), numero.size(), numero);
  }
  return regua;
}

QString ReguaMarcas(int colunas) {
  QString regua(std::max(colunas, 0), QLatin1Char('.'));
  for (int coluna = 5; coluna <= colunas; coluna += 5)
    regua[coluna - 1] = coluna % 10 == 0 ? QLatin1Char('|') : QLatin1Char(':');
  return regua;
}

std::int64_t DeslocamentoDoAchado(const Achado& a) {
  if (a.deslocamento >= 0) return a.deslocamento;
  return a.linha > 0 && a.linha == a.linhaCabecalho ? a.deslocamentoCabecalho : -1;
}

QString TextoRegistro(std::string_view bytes) {
  QString texto(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* saida = texto.data();
  for (const char b : bytes) {
    const auto c = static_cast<unsigned char>(b);
    // Control bytes have no picture, and an LF or a tab would break the columns.
    const bool controle = c < 0x20 || (c >= 0x7F && c < 0xA0);
    *saida++ = controle ? QChar(0xFFFD) : QChar(c);
  }
  return texto;
}

VisaoRegistro::VisaoRegistro(QWidget* pai) : QWidget(pai) {
  setObjectName(QStringLiteral("VisaoRegistro"));
  lblAchado = new QLabel(this);
  lblAchado->setObjectName(QStringLiteral("lblAchado"));
  lblAchado->setWordWrap(true);
  lblAchado->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblCampo = new QLabel(this);
  lblCampo->setObjectName(QStringLiteral("lblCampo"));
  lblCampo->setWordWrap(true);
  lblCampo->setTextFormat(Qt::PlainText);
  lblCampo->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblCampo->hide();
  lblAviso = new QLabel(this);
  lblAviso->setObjectName(QStringLiteral("lblAviso"));
  lblAviso->setWordWrap(true);
  lblAviso->hide();
  txtregistro = new QPlainTextEdit(this);
  txtregistro->setObjectName(QStringLiteral("txtregistro"));
  txtregistro->setReadOnly(true);
  txtregistro->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtregistro->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtregistro->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont fonte = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fonte.setPointSize(9);
  txtregistro->setFont(fonte);
  // The view takes the keyboard (to scroll the record): a frame in the highlight colour says when
  // it has it.
  txtregistro->setStyleSheet(
      QStringLiteral("QPlainTextEdit#txtregistro { border: 2px solid palette(mid); }"
                     "QPlainTextEdit#txtregistro:focus { border: 2px solid palette(highlight); }"));
  // Three lines (the two ruler lines and the record) and the scroll bar, nothing more.
  const QFontMetrics medidas(fonte);
  const int margens = 2 * static_cast<int>(txtregistro->document()->documentMargin()) +
                      2 * txtregistro->frameWidth();
  txtregistro->setFixedHeight(medidas.lineSpacing() * 3 + margens +
                              txtregistro->horizontalScrollBar()->sizeHint().height() + 4);
  txtregistro->viewport()->installEventFilter(this);
  lblNumeroFixo = new QLabel(txtregistro->viewport());
  lblNumeroFixo->setObjectName(QStringLiteral("lblNumeroFixo"));
  lblNumeroFixo->setFont(fonte);
  lblNumeroFixo->setAutoFillBackground(true);
  lblNumeroFixo->setBackgroundRole(QPalette::Base);
  lblNumeroFixo->hide();
  connect(txtregistro->horizontalScrollBar(), &QScrollBar::valueChanged, this,
          &VisaoRegistro::AtualizaNumeroFixo);
  lblCabecalho = new QLabel(this);
  lblCabecalho->setObjectName(QStringLiteral("lblCabecalho"));
  lblCabecalho->setWordWrap(true);
  lblCabecalho->setTextFormat(Qt::PlainText);
  lblCabecalho->hide();
  // The header line in the record's font, one line without a scroll bar of its own (the panel
  // keeps its height for the grid): it follows the record's scrolling, so that a column is the
  // same column in both, and the arrow keys scroll it on its own past the end of a shorter record.
  txtcabecalho = new QPlainTextEdit(this);
  txtcabecalho->setObjectName(QStringLiteral("txtcabecalho"));
  txtcabecalho->setReadOnly(true);
  txtcabecalho->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtcabecalho->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtcabecalho->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtcabecalho->setFont(fonte);
  txtcabecalho->setFixedHeight(medidas.lineSpacing() + margens + 4);
  txtcabecalho->hide();
  connect(txtregistro->horizontalScrollBar(), &QScrollBar::valueChanged,
          txtcabecalho->horizontalScrollBar(), &QScrollBar::setValue);
  // Laid out after the record, it takes the record's place once it has a range.
  connect(txtcabecalho->horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this] {
    txtcabecalho->horizontalScrollBar()->setValue(txtregistro->horizontalScrollBar()->value());
  });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(lblAchado);
  layout->addWidget(lblCampo);
  layout->addWidget(lblAviso);
  layout->addWidget(txtregistro);
  layout->addWidget(lblCabecalho);
  layout->addWidget(txtcabecalho);
  layout->addStretch(1);
}

void VisaoRegistro::Mostra(const Achado& achado, int ordem, int total, IndiceLinhas& indice) {
  campoInicio_ = campoFim_ = 0;
  tabela_ = TabelaDoRegistro(achado.tipoRegistro);
  bytes_.clear();
  lblAchado->setText(Cabecalho(achado, ordem, total));
  const QString campo = DescricaoCampo(achado);
  lblCampo->setText(campo);
  lblCampo->setVisible(!campo.isEmpty());
  txtregistro->setExtraSelections({});
  lblCabecalho->hide();
  txtcabecalho->clear();
  txtcabecalho->hide();
  if (achado.linha <= 0) {
    // A finding of the whole file: its message is all there is to show.
    txtregistro->clear();
    txtregistro->hide();
    lblAviso->hide();
    return;
  }
  const LinhaArquivo linha = indice.Le(achado.linha, LimiteMostrado, DeslocamentoDoAchado(achado));
  if (linha.situacao != SituacaoLinha::Lida) {
    MostraTexto(AvisoDe(linha));
    return;
  }

  const auto comprimento = static_cast<std::int64_t>(linha.bytes.size());
  const bool temCampo = achado.inicio > 0 && achado.fim >= achado.inicio;
  // The ruler reaches the field's last column even past the line's end, up to the shown limit.
  std::int64_t colunas = comprimento;
  if (temCampo) colunas = std::max(colunas, std::min<std::int64_t>(achado.fim, LimiteMostrado));
  const int n = static_cast<int>(colunas);
  colunas_ = n;
  bytes_ = linha.bytes;
  txtregistro->setPlainText(ReguaNumeros(n) + QLatin1Char('\n') + ReguaMarcas(n) +
                            QLatin1Char('\n') + TextoRegistro(linha.bytes));

  QStringList avisos;
  if (linha.cortada)
    avisos << QStringLiteral("A linha tem mais de %1 caracteres; mostrado só o início.")
                  .arg(LimiteMostrado);
  if (temCampo && achado.inicio > comprimento && !linha.cortada)
    avisos << QStringLiteral("As colunas %1 a %2 ficam além do fim da linha, de %3 caracteres.")
                  .arg(achado.inicio)
                  .arg(achado.fim)
                  .arg(comprimento);
  lblAviso->setText(avisos.join(QLatin1Char(' ')));
  lblAviso->setVisible(!avisos.isEmpty());
  txtregistro->show();

  // Each field of the record type shaded in turn on the marks' line, so that its bounds show.
  QList<QTextEdit::ExtraSelection> realces;
  if (tabela_ != nullptr) {
    const QColor tons[2] = {QColor(222, 235, 250), QColor(250, 240, 222)};
    int k = 0;
    for (const CampoRegistro& c : tabela_->campos)
      for (int o = 0; o < std::max<int>(c.vezes, 1); ++o) {
        const int inicio = c.ColunaDe(o) - 1;
        const int fim = std::min(c.UltimaDe(o), n);
        if (inicio < fim) realces << Realce(txtregistro, 1, inicio, fim, tons[k++ % 2]);
      }
  }
  if (temCampo && achado.inicio <= colunas) {
    const int inicio = static_cast<int>(achado.inicio - 1);
    const int fimRegua = static_cast<int>(std::min<std::int64_t>(achado.fim, colunas));
    const QColor regua = palette().color(QPalette::Midlight);
    realces << Realce(txtregistro, 0, inicio, fimRegua, regua)
            << Realce(txtregistro, 1, inicio, fimRegua, regua);
    if (achado.inicio <= comprimento) {
      campoInicio_ = inicio;
      campoFim_ = static_cast<int>(std::min<std::int64_t>(achado.fim, comprimento));
      realces << Realce(txtregistro, BlocoRegistro, campoInicio_, campoFim_, QColor(255, 230, 120));
    }
  }
  txtregistro->setExtraSelections(realces);
  MostraCabecalho(achado, indice);
  RolaAteCampo();
}

void VisaoRegistro::MostraCabecalho(const Achado& achado, IndiceLinhas& indice) {
  if (achado.linhaCabecalho <= 0) return;
  lblCabecalho->show();
  if (achado.linhaCabecalho == achado.linha) {
    lblCabecalho->setText(QStringLiteral("Este registro é o cabeçalho da declaração."));
    return;
  }
  const QString legenda =
      QStringLiteral("Cabeçalho da declaração (linha %1)").arg(achado.linhaCabecalho);
  const LinhaArquivo cabecalho =
      indice.Le(achado.linhaCabecalho, LimiteMostrado, achado.deslocamentoCabecalho);
  if (cabecalho.situacao != SituacaoLinha::Lida) {
    lblCabecalho->setText(legenda + QStringLiteral(": ") + AvisoDe(cabecalho));
    return;
  }
  lblCabecalho->setText(legenda + QLatin1Char(':'));
  txtcabecalho->setPlainText(TextoRegistro(cabecalho.bytes));
  txtcabecalho->show();
}

// Each ruler number ends at its column (10, 20, ...). When the first column in sight falls inside
// one, that number is drawn whole from there, over the blank columns after it, so that the
// scrolled ruler never reads "0" for "560". The columns are found from the scroll offset and the
// font's advance (one per byte), not from the caret's rectangle, which lies a pixel to the left.
void VisaoRegistro::AtualizaNumeroFixo() {
  lblNumeroFixo->hide();
  const QTextBlock numeros = txtregistro->document()->findBlockByNumber(0);
  if (!numeros.isValid() || txtregistro->isHidden()) return;
  const qreal largura = QFontMetricsF(txtregistro->font()).horizontalAdvance(QLatin1Char('0'));
  if (largura <= 0) return;
  const qreal margem = txtregistro->document()->documentMargin();
  const int deslocamento = txtregistro->horizontalScrollBar()->value();
  // The first column (0-based) wholly in sight.
  const int primeira =
      std::max(0, static_cast<int>(std::ceil((deslocamento - margem) / largura - 0.01)));
  const int dezena = (primeira / 10 + 1) * 10;  // the number whose last column is at or after it
  const QString numero = QString::number(dezena);
  if (dezena > colunas_ || dezena - numero.size() >= primeira) return;  // none, or not cut
  const QRect linha = txtregistro->cursorRect(QTextCursor(numeros));
  const qreal esquerda = margem + primeira * largura - deslocamento;
  lblNumeroFixo->setText(numero);
  lblNumeroFixo->setGeometry(static_cast<int>(std::floor(esquerda)), linha.top(),
                             static_cast<int>(std::ceil(largura * numero.size())) + 1,
                             linha.height());
  lblNumeroFixo->show();
}

void VisaoRegistro::MostraTexto(const QString& aviso) {
  txtregistro->clear();
  txtregistro->hide();
  lblAviso->setText(aviso);
  lblAviso->show();
}

// The field's columns selected, its end brought into sight and then its start, so that a field
// wider than the view shows from its start.
void VisaoRegistro::RolaAteCampo() {
  const QTextBlock bloco = txtregistro->document()->findBlockByNumber(BlocoRegistro);
  if (!bloco.isValid()) return;
  QTextCursor cursor(bloco);
  const int base = bloco.position();
  if (campoFim_ > campoInicio_) {
    cursor.setPosition(base + campoFim_);
    txtregistro->setTextCursor(cursor);
    txtregistro->ensureCursorVisible();
    cursor.setPosition(base + campoInicio_, QTextCursor::KeepAnchor);
    txtregistro->setTextCursor(cursor);
    txtregistro->ensureCursorVisible();
  } else {
    txtregistro->setTextCursor(cursor);
    txtregistro->horizontalScrollBar()->setValue(0);
  }
  txtregistro->verticalScrollBar()->setValue(0);
  AtualizaNumeroFixo();
}

QString VisaoRegistro::DicaDaColuna(int coluna) const {
  if (tabela_ == nullptr) return {};
  int ocorrencia = 0;
  const CampoRegistro* c = CampoNaColuna(*tabela_, coluna, &ocorrencia);
  if (c == nullptr) return {};
  const int inicio = c->ColunaDe(ocorrencia), fim = c->UltimaDe(ocorrencia);
  QString dica = NomeDoCampo(*c);
  if (c->vezes > 1) dica += QStringLiteral(" (%1º)").arg(ocorrencia + 1);
  dica += QStringLiteral(", colunas %1 a %2").arg(inicio).arg(fim);
  if (static_cast<std::size_t>(inicio) <= bytes_.size()) {
    const std::string_view valor = std::string_view(bytes_).substr(
        static_cast<std::size_t>(inicio - 1), static_cast<std::size_t>(fim - inicio + 1));
    dica += QStringLiteral(": \"") + TextoRegistro(valor) + QLatin1Char('"');
    const QString legivel = ValorLegivel(c->tipo, valor);
    if (!legivel.isEmpty()) dica += QStringLiteral(" = ") + legivel;
  }
  return dica;
}

bool VisaoRegistro::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == txtregistro->viewport() && evento->type() == QEvent::ToolTip) {
    const auto* ajuda = static_cast<QHelpEvent*>(evento);
    // The column under the pointer, from the font's advance (one per byte) and the scroll.
    const qreal largura = QFontMetricsF(txtregistro->font()).horizontalAdvance(QLatin1Char('0'));
    const qreal x = ajuda->pos().x() + txtregistro->horizontalScrollBar()->value() -
                    txtregistro->document()->documentMargin();
    const QString dica =
        largura > 0 && x >= 0 ? DicaDaColuna(static_cast<int>(x / largura) + 1) : QString();
    if (dica.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(ajuda->globalPos(), dica, txtregistro->viewport());
    return true;
  }
  // The view gets its real width only once laid out: the field is brought into sight again then.
  if (objeto == txtregistro->viewport() && evento->type() == QEvent::Resize) RolaAteCampo();
  return QWidget::eventFilter(objeto, evento);
}

}  // namespace rolval
