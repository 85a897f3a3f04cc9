#include "shell/Saida.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>

#include "VersaoPrograma.h"
#include "achados/Escritores.h"
#include "layouts/Dicas.h"
#include "run/Execucao.h"
#include "shell/Ajuda.h"
#include "shell/AjusteJanela.h"
#include "shell/Dialogos.h"
#include "shell/GradeAchados.h"
#include "shell/Preferencias.h"
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

QString TituloSaida(const QString& arquivo) {
  QString titulo =
      QStringLiteral("Programa de Validação de Documentos - ") + QString::fromLatin1(VersaoTexto);
  if (!arquivo.isEmpty()) titulo += QStringLiteral(" - ") + arquivo;
  return titulo;
}

std::string AchadosCsv(const ListaAchados& achados, std::string_view arquivo,
                       const std::vector<std::int32_t>* quais) {
  const std::string nome = NomeEmUtf8(arquivo);
  std::string linhas(MarcaUtf8);
  AcrescentaCsvCabecalho(linhas, SeparadorCsv);
  const auto acrescenta = [&](std::size_t i) {
    AcrescentaCsvAchado(linhas, nome, achados.Le(i), SeparadorCsv);
  };
  if (quais == nullptr)
    for (std::size_t i = 0; i < achados.Tamanho(); ++i) acrescenta(i);
  else
    for (const std::int32_t i : *quais) acrescenta(static_cast<std::size_t>(i));
  return linhas;
}

std::string AchadosJsonLines(const ListaAchados& achados, std::string_view arquivo) {
  const std::string nome = NomeEmJson(arquivo);
  std::string linhas;
  for (std::size_t i = 0; i < achados.Tamanho(); ++i)
    AcrescentaJsonAchado(linhas, nome, achados.Le(i));
  return linhas;
}

QString TextoResumo(const ListaAchados& achados) {
  return QStringLiteral("Erros: %1    Avisos: %2").arg(achados.Erros()).arg(achados.Avisos());
}

Saida::Saida(Execucao& execucao, std::filesystem::path pastaTrabalho, QWidget* principal,
             Dialogos& dialogos, std::optional<MarcaArquivo> marcaEntrada,
             Preferencias* preferencias, ListaAchados achados)
    : QWidget(principal, Qt::Window),
      execucao_(execucao),
      pasta_(std::move(pastaTrabalho)),
      principal_(principal),
      dialogos_(dialogos),
      preferencias_(preferencias),
      caminhoEntrada_(execucao.controle.NomeArquivo),
      marcaEntrada_(marcaEntrada),
      achados_(std::move(achados)) {
  setObjectName(QStringLiteral("Saida"));
  setAttribute(Qt::WA_DeleteOnClose);

  const QString entrada = QString::fromStdString(caminhoEntrada_);
  lblArquivo = new QLabel(QStringLiteral("Arquivo: ") + entrada, this);
  lblArquivo->setObjectName(QStringLiteral("lblArquivo"));
  lblArquivo->setTextFormat(Qt::PlainText);
  lblArquivo->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblArquivo->setMinimumWidth(1);  // a long path is cut rather than widen the window
  txtsaida = new QPlainTextEdit(this);
  txtsaida->setObjectName(QStringLiteral("txtsaida"));
  txtsaida->setReadOnly(true);
  // Read-only, but with a caret the keyboard moves, so that Enter can open the finding under it.
  txtsaida->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  txtsaida->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont fonte = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fonte.setPointSize(9);
  txtsaida->setFont(fonte);
  grade = new GradeAchados(achados_, this);
  connect(grade, &GradeAchados::AchadoEscolhido, this, &Saida::MostraAchado);
  connect(grade, &GradeAchados::AtualMudou, this, &Saida::AtualizaBotoes);
  abas = new QTabWidget(this);
  abas->setObjectName(QStringLiteral("abas"));
  abas->setDocumentMode(true);  // no frame of its own around the grid and the report
  abas->addTab(grade, QStringLiteral("Achados"));
  abas->addTab(txtsaida, QStringLiteral("Relatório"));
  // On a small screen at a large scale the tabs give up height before the buttons and counts go
  // out of sight.
  txtsaida->setMinimumHeight(QFontMetrics(fonte).lineSpacing() * 2);
  // A run without findings has only its report to show.
  if (achados_.Tamanho() == 0) abas->setCurrentIndex(AbaRelatorio);
  connect(abas, &QTabWidget::currentChanged, this, &Saida::AtualizaBotoes);
  // "Copiar achado" beside the usual entries: in the grid on its rows, in the report on the
  // finding line clicked.
  auto* mnucopgrade = new QAction(QStringLiteral("&Copiar achado"), grade->Tabela());
  mnucopgrade->setObjectName(QStringLiteral("mnucopgrade"));
  connect(mnucopgrade, &QAction::triggered, grade, &GradeAchados::CopiaSelecao);
  grade->Tabela()->addAction(mnucopgrade);
  auto* mnuimpgrade = new QAction(QStringLiteral("Imprimir &grade..."), grade->Tabela());
  mnuimpgrade->setObjectName(QStringLiteral("mnuimpgrade"));
  connect(mnuimpgrade, &QAction::triggered, this, &Saida::mnuimpgrade_Click);
  grade->Tabela()->addAction(mnuimpgrade);
  txtsaida->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(txtsaida, &QWidget::customContextMenuRequested, this, &Saida::MenuRelatorio);
  lblDicas = new QLabel(this);
  lblDicas->setObjectName(QStringLiteral("lblDicas"));
  lblDicas->setTextFormat(Qt::PlainText);
  lblDicas->setWordWrap(true);
  lblDicas->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblDicas->setStyleSheet(
      QStringLiteral("QLabel { background: #fff5c8; color: #000; padding: 4px; }"));
  lblDicas->hide();
  registro = new VisaoRegistro(this);
  // The record panel scrolls within its part of the window when the window has less room than
  // the panel would take (a small screen at a large scale), instead of making the window taller
  // than the screen.
  painelRegistro = new QScrollArea(this);
  painelRegistro->setObjectName(QStringLiteral("painelRegistro"));
  painelRegistro->setWidget(registro);
  painelRegistro->setWidgetResizable(true);
  painelRegistro->setFrameShape(QFrame::NoFrame);
  painelRegistro->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  painelRegistro->hide();
  lblResumo = new QLabel(this);
  lblResumo->setObjectName(QStringLiteral("lblResumo"));
  // What the last save or print did; cut rather than push the counts out of sight.
  lblStatus = new QLabel(this);
  lblStatus->setObjectName(QStringLiteral("lblStatus"));
  lblStatus->setTextFormat(Qt::PlainText);
  lblStatus->setMinimumWidth(1);
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
  connect(txtsaida, &QPlainTextEdit::cursorPositionChanged, this, &Saida::AtualizaBotoes);

  BSalvar = new QPushButton(QStringLiteral("&Salvar"), this);
  BSalvar->setObjectName(QStringLiteral("BSalvar"));
  auto* mnusal = new QMenu(BSalvar);
  mnusal->setObjectName(QStringLiteral("mnusal"));
  QAction* mnusalrel = mnusal->addAction(QStringLiteral("Salvar &relatório como..."));
  mnusalrel->setObjectName(QStringLiteral("mnusalrel"));
  mnusalrel->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  QAction* mnusaljson = mnusal->addAction(QStringLiteral("Salvar &achados (JSON Lines)..."));
  mnusaljson->setObjectName(QStringLiteral("mnusaljson"));
  mnusaljson->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  QAction* mnuexpcsv = mnusal->addAction(QStringLiteral("&Exportar achados (CSV)..."));
  mnuexpcsv->setObjectName(QStringLiteral("mnuexpcsv"));
  QAction* mnuexpfil = mnusal->addAction(QStringLiteral("Exportar achados &filtrados (CSV)..."));
  mnuexpfil->setObjectName(QStringLiteral("mnuexpfil"));
  BSalvar->setMenu(mnusal);
  addActions({mnusalrel, mnusaljson});  // their keys work anywhere in the window
  connect(mnusalrel, &QAction::triggered, this, &Saida::mnusalrel_Click);
  connect(mnusaljson, &QAction::triggered, this, &Saida::mnusaljson_Click);
  connect(mnuexpcsv, &QAction::triggered, this, [this] { mnuexpcsv_Click(false); });
  connect(mnuexpfil, &QAction::triggered, this, [this] { mnuexpcsv_Click(true); });
  BImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
  BImprimir->setObjectName(QStringLiteral("BImprimir"));
  BImprimir->setToolTip(QStringLiteral("Imprimir (Ctrl+P)"));
  BFechar = new QPushButton(QStringLiteral("&Fechar"), this);
  BFechar->setObjectName(QStringLiteral("BFechar"));
  BFechar->setToolTip(QStringLiteral("Fechar (Esc)"));
  BVisualizar = new QPushButton(QStringLiteral("&Visualizar impressão"), this);
  BVisualizar->setObjectName(QStringLiteral("BVisualizar"));
  connect(BImprimir, &QPushButton::clicked, this, &Saida::BImprimir_Click);
  connect(BVisualizar, &QPushButton::clicked, this, &Saida::BVisualizar_Click);
  connect(BFechar, &QPushButton::clicked, this, &Saida::BFechar_Click);
  const auto tecla = [this](const QKeySequence& sequencia, auto acao) {
    connect(new QShortcut(sequencia, this), &QShortcut::activated, this, acao);
  };
  tecla(QKeySequence(Qt::CTRL | Qt::Key_P), &Saida::BImprimir_Click);
  // Esc closes the record panel first, then the window.
  tecla(QKeySequence(Qt::Key_Escape), [this] {
    if (registro->isVisible())
      FechaRegistro();
    else
      BFechar_Click();
  });
  tecla(QKeySequence(Qt::CTRL | Qt::Key_W), &Saida::BFechar_Click);
  // F1 on a finding opens the help at its code's entry.
  tecla(QKeySequence(Qt::Key_F1), [this] {
    JanelaAjuda* ajuda = MostraAjuda(this, preferencias_);
    const int achado = AchadoEmFoco();
    if (achado >= 0) {
      const Achado a = achados_.Le(static_cast<std::size_t>(achado));
      ajuda->VaiParaCodigo(a.catalogo, a.codigo);
    }
  });

  // The counts, what was last done and the walk through the findings on one line; the buttons
  // that act on the report on the next, so that a narrow window keeps the counts in sight.
  auto* situacao = new QHBoxLayout;
  situacao->addWidget(lblResumo);
  situacao->addSpacing(12);
  situacao->addWidget(lblStatus, 1);
  situacao->addWidget(BAnterior);
  situacao->addWidget(BProximo);
  auto* botoes = new QHBoxLayout;
  botoes->addStretch(1);
  botoes->addWidget(BSalvar);
  botoes->addWidget(BVisualizar);
  botoes->addWidget(BImprimir);
  botoes->addWidget(BFechar);
  divisor = new QSplitter(Qt::Vertical, this);
  divisor->setObjectName(QStringLiteral("divisor"));
  divisor->setChildrenCollapsible(false);
  divisor->addWidget(abas);
  divisor->addWidget(painelRegistro);
  divisor->setStretchFactor(0, 1);
  divisor->setStretchFactor(1, 0);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblArquivo);
  layout->addWidget(divisor, 1);
  layout->addWidget(lblDicas);
  layout->addLayout(situacao);
  layout->addLayout(botoes);
  // Wide enough for a report line (up to about 110 characters) without scrolling sideways, where
  // the screen has room for it.
  const QFontMetrics medidas(fonte);
  resize(medidas.horizontalAdvance(QLatin1Char('0')) * 116, medidas.lineSpacing() * 30);
  const bool restaurada = preferencias_ != nullptr && preferencias_->RestauraGeometria(*this);

  // Form_Load.
  setWindowTitle(TituloSaida(QFileInfo(entrada).fileName()));
  molde_ = {QFileInfo(entrada).fileName(), QDateTime::currentDateTime(),
            QString::fromLatin1(VersaoTexto),
            QString::fromLatin1(execucao_.StatusRelatorio().data(),
                                static_cast<qsizetype>(execucao_.StatusRelatorio().size()))};
  if (principal_ != nullptr) {
    principal_->setEnabled(false);
    setEnabled(true);  // a window of the main window's own, which that disabled with it
  }
  CarregaRelatorio();
  MostraDicas();
  AjustaATela(*this, restaurada ? nullptr : principal_.data());
  VisaoAtual()->setFocus();
}

void Saida::MostraDicas() {
  QStringList textos;
  bool corrigivel = false;
  for (const Dica& dica : DicasDoCaminho(caminhoEntrada_)) {
    textos << QStringLiteral("Dica: ") + QString::fromStdString(dica.texto);
    corrigivel = corrigivel || dica.corrigivel;
  }
  lblDicas->setText(textos.join(QLatin1Char('\n')));
  lblDicas->setVisible(!textos.isEmpty());
  MostraBotaoCorrecao(corrigivel);
}

Saida::~Saida() = default;

void Saida::CarregaRelatorio() {
  try {
    relatorio_ = execucao_.Relatorio().Texto();
  } catch (const std::exception&) {
    relatorio_.clear();  // a report that cannot be read back shows as none
  }
  // A long report takes its view seconds to lay out: it is put there when its tab is first
  // shown, so that the grid comes up at once.
  if (achados_.Tamanho() <= LimiteRelatorioImediato || abas->currentIndex() == AbaRelatorio)
    MostraTextoRelatorio();
  else
    connect(abas, &QTabWidget::currentChanged, this, [this](int aba) {
      if (aba == AbaRelatorio && !relatorioNaVisao_) MostraTextoRelatorio();
    });
  lblResumo->setText(TextoResumo(achados_));
  AtualizaBotoes();
}

void Saida::MostraTextoRelatorio() {
  txtsaida->setPlainText(TextoRelatorio(
      QByteArray::fromRawData(relatorio_.data(), static_cast<qsizetype>(relatorio_.size()))));
  relatorioNaVisao_ = true;
  if (atual_ >= 0) MarcaNoRelatorio(atual_);
}

void Saida::MostraAchado(int indice) {
  const auto total = static_cast<int>(achados_.Tamanho());
  if (indice < 0 || indice >= total) return;
  atual_ = indice;
  const auto i = static_cast<std::size_t>(indice);
  if (!indice_) indice_ = std::make_unique<IndiceLinhas>(caminhoEntrada_, marcaEntrada_);
  const bool abrindo = painelRegistro->isHidden();
  painelRegistro->show();
  registro->Mostra(achados_.Le(i), indice + 1, total, *indice_);
  // The panel opens as tall as its content at the window's width (its wrapped captions hint at
  // several lines each), the grid keeping the rest; later the user's division stays.
  if (abrindo && registro->layout()->hasHeightForWidth()) {
    const int altura = std::max(registro->layout()->heightForWidth(divisor->width()),
                                registro->minimumSizeHint().height());
    const int soma = divisor->height() - divisor->handleWidth();
    if (soma > altura) divisor->setSizes({soma - altura, altura});
  }
  grade->SelecionaAchado(indice);
  if (relatorioNaVisao_) MarcaNoRelatorio(indice);
  AtualizaBotoes();
}

// The finding's line marked in the report and brought into sight.
void Saida::MarcaNoRelatorio(int indice) {
  QTextCursor cursor(txtsaida->document()->findBlockByNumber(
      achados_.PrimeiraLinhaNaVisao(static_cast<std::size_t>(indice))));
  txtsaida->setTextCursor(cursor);
  txtsaida->ensureCursorVisible();
  QTextEdit::ExtraSelection marca;
  marca.cursor = cursor;
  marca.format.setBackground(QColor(255, 245, 200));
  marca.format.setProperty(QTextFormat::FullWidthSelection, true);
  txtsaida->setExtraSelections({marca});
}

void Saida::MostraAchadoDaLinha(int bloco) {
  const std::int64_t achado = achados_.AchadoDaLinhaNaVisao(bloco);
  if (achado >= 0) MostraAchado(static_cast<int>(achado));
}

// The finding F3 (`passo` 1) or Shift+F3 (-1) goes to from the report view's caret line, or -1
// when there is none: a finding on that line not shown yet, else the one after (or before) it.
// Showing a finding puts the caret on its line, so these walk the findings in order, and go on
// from wherever the user moved the caret.
int Saida::AchadoVizinho(int passo) const {
  if (abas->currentIndex() == AbaGrade) {
    // From the grid's current row: its finding when not shown yet, else the row before or after.
    const int naGrade = grade->AchadoAtual();
    if (naGrade >= 0 && naGrade != atual_) return naGrade;
    return grade->AchadoVizinho(passo);
  }
  const auto total = static_cast<std::int64_t>(achados_.Tamanho());
  const int bloco = txtsaida->textCursor().blockNumber();
  // The first finding whose lines do not end before the caret's line (findings are in the
  // report's order, so their view lines ascend).
  std::int64_t k = 0;
  for (std::int64_t passoBusca = total; passoBusca > 0;) {
    const std::int64_t metade = passoBusca / 2;
    if (achados_.UltimaLinhaNaVisao(static_cast<std::size_t>(k + metade)) < bloco) {
      k += metade + 1;
      passoBusca -= metade + 1;
    } else {
      passoBusca = metade;
    }
  }
  const bool naLinha =
      k < total && achados_.PrimeiraLinhaNaVisao(static_cast<std::size_t>(k)) <= bloco;
  if (naLinha && k != atual_) return static_cast<int>(k);
  if (passo < 0) return static_cast<int>(k - 1);
  const std::int64_t seguinte = naLinha ? k + 1 : k;
  return seguinte < total ? static_cast<int>(seguinte) : -1;
}

void Saida::BAnterior_Click() { MostraAchado(AchadoVizinho(-1)); }

void Saida::BProximo_Click() { MostraAchado(AchadoVizinho(1)); }

void Saida::FechaRegistro() {
  painelRegistro->hide();
  VisaoAtual()->setFocus();
}

QWidget* Saida::VisaoAtual() const {
  return abas->currentIndex() == AbaGrade ? static_cast<QWidget*>(grade->Tabela()) : txtsaida;
}

int Saida::AchadoEmFoco() const {
  if (abas->currentIndex() == AbaGrade) return grade->AchadoAtual();
  return static_cast<int>(achados_.AchadoDaLinhaNaVisao(txtsaida->textCursor().blockNumber()));
}

void Saida::MenuRelatorio(const QPoint& ponto) {
  std::unique_ptr<QMenu> menu(txtsaida->createStandardContextMenu(ponto));
  const auto achado =
      achados_.AchadoDaLinhaNaVisao(txtsaida->cursorForPosition(ponto).blockNumber());
  QAction* copiar = menu->addAction(QStringLiteral("&Copiar achado"));
  copiar->setObjectName(QStringLiteral("mnucoprel"));
  copiar->setEnabled(achado >= 0);
  connect(copiar, &QAction::triggered, this,
          [this, achado] { CopiaAchado(static_cast<int>(achado)); });
  menu->exec(txtsaida->viewport()->mapToGlobal(ponto));
}

void Saida::CopiaAchado(int achado) const {
  if (achado < 0 || achado >= static_cast<int>(achados_.Tamanho())) return;
  QStringList celulas;
  for (int c = 0; c < ModeloAchados::QtdColunas; ++c) celulas << grade->Modelo().Texto(achado, c);
  QApplication::clipboard()->setText(celulas.join(QLatin1Char('\t')) + QLatin1Char('\n'));
}

void Saida::AtualizaBotoes() {
  BAnterior->setEnabled(AchadoVizinho(-1) >= 0);
  BProximo->setEnabled(AchadoVizinho(1) >= 0);
}

bool Saida::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == txtsaida->viewport() && evento->type() == QEvent::Resize && atual_ >= 0) {
    // The report view shrinks when the record panel opens under it: the finding's line is kept
    // in sight once the view has its new size (when the caret is still on it).
    QMetaObject::invokeMethod(
        this,
        [this] {
          const auto i = static_cast<std::size_t>(atual_);
          const int bloco = txtsaida->textCursor().blockNumber();
          if (bloco >= achados_.PrimeiraLinhaNaVisao(i) && bloco <= achados_.UltimaLinhaNaVisao(i))
            txtsaida->ensureCursorVisible();
        },
        Qt::QueuedConnection);
  } else if (objeto == txtsaida->viewport() && evento->type() == QEvent::MouseButtonDblClick) {
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

QString Saida::NomeSugerido(const QString& sufixo) const {
  const QFileInfo entrada(QString::fromStdString(caminhoEntrada_));
  return entrada.absoluteDir().filePath(entrada.completeBaseName() + sufixo);
}

bool Saida::SalvaComo(const QString& titulo, const QString& sufixo, const QString& filtro,
                      std::string_view bytes) {
  QString destino;
  // The dialog comes back until the name is one that may be written, or the user cancels: the
  // validated file is refused before any question of writing over it.
  for (;;) {
    destino = dialogos_.PerguntaArquivoSalvar(this, titulo, NomeSugerido(sufixo), filtro);
    if (destino.isEmpty()) return false;
    std::error_code erro;
    if (std::filesystem::equivalent(destino.toStdString(), caminhoEntrada_, erro)) {
      dialogos_.MostraMensagem(
          this, QStringLiteral("O arquivo validado não pode ser substituído. Escolha outro nome."),
          QStringLiteral("Atenção"), IconeMensagem::Informacao);
      continue;
    }
    if (!QFileInfo::exists(destino) ||
        dialogos_.Confirma(this, QStringLiteral("%1 já existe.\nDeseja substituí-lo?").arg(destino),
                           titulo))
      break;
  }
  // Written under a temporary name and put in place whole: a failure leaves any earlier file.
  QSaveFile arquivo(destino);
  const bool gravou = arquivo.open(QIODevice::WriteOnly) &&
                      arquivo.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                          static_cast<qint64>(bytes.size()) &&
                      arquivo.commit();
  if (!gravou) {
    dialogos_.MostraMensagem(
        this, QStringLiteral("Não foi possível gravar %1: %2").arg(destino, arquivo.errorString()),
        QStringLiteral("Atenção"), IconeMensagem::Informacao);
    return false;
  }
  salvoEm_ = QDir::toNativeSeparators(destino);
  return true;
}

void Saida::mnusalrel_Click() {
  if (SalvaComo(QStringLiteral("Salvar relatório como"), QStringLiteral(".saida.txt"),
                QStringLiteral("Relatório (*.txt)"), relatorio_))
    lblStatus->setText(QStringLiteral("Relatório salvo em ") + salvoEm_);
}

void Saida::mnusaljson_Click() {
  if (SalvaComo(QStringLiteral("Salvar achados (JSON Lines)"), QStringLiteral(".achados.jsonl"),
                QStringLiteral("JSON Lines (*.jsonl)"),
                AchadosJsonLines(achados_, caminhoEntrada_)))
    lblStatus->setText(QStringLiteral("Achados salvos em ") + salvoEm_);
}

void Saida::mnuexpcsv_Click(bool filtrados) {
  const std::vector<std::int32_t>* quais = filtrados ? &grade->Modelo().Visiveis() : nullptr;
  if (SalvaComo(QStringLiteral("Exportar achados (CSV)"), QStringLiteral(".achados.csv"),
                QStringLiteral("CSV (*.csv)"), AchadosCsv(achados_, caminhoEntrada_, quais)))
    lblStatus->setText(QStringLiteral("Achados exportados em ") + salvoEm_);
}

// The document takes the validated file's name (the PDF's title); with no printer, the PDF file
// the dialog offers is named after it, beside it.
void Saida::PreparaPagina(QPrinter& impressora) const {
  impressora.setDocName(QFileInfo(QString::fromStdString(caminhoEntrada_)).fileName());
  impressora.setPageMargins(
      QMarginsF(MargemImpressaoMm, MargemImpressaoMm, MargemImpressaoMm, MargemImpressaoMm),
      QPageLayout::Millimeter);
  if (QPrinterInfo::availablePrinterNames().isEmpty())
    impressora.setOutputFileName(NomeSugerido(QStringLiteral(".pdf")));
}

void Saida::AjustaMargens(QPrinter& impressora) {
  QMarginsF margens = impressora.pageLayout().margins(QPageLayout::Millimeter);
  margens.setLeft(std::max(margens.left(), MargemImpressaoMm));
  margens.setTop(std::max(margens.top(), MargemImpressaoMm));
  margens.setRight(std::max(margens.right(), MargemImpressaoMm));
  margens.setBottom(std::max(margens.bottom(), MargemImpressaoMm));
  impressora.setPageMargins(margens, QPageLayout::Millimeter);
}

bool Saida::Imprime(QPrinter& impressora) const {
  AjustaMargens(impressora);
  ImpressoraQt linhas(impressora, molde_);
  return ImprimeRelatorio(relatorio_, linhas);
}

void Saida::BImprimir_Click() {
  QPrinter impressora(QPrinter::HighResolution);
  PreparaPagina(impressora);
  if (!dialogos_.PreparaImpressora(this, impressora)) return;
  // A printer that fails says nothing; the line says only what was done.
  if (Imprime(impressora)) lblStatus->setText(QStringLiteral("Impresso"));
}

bool Saida::ImprimeGrade(QPrinter& impressora) const {
  AjustaMargens(impressora);
  ImpressoraQt linhas(impressora, molde_);
  if (!linhas.Comeca()) return false;
  for (const QString& linha : grade->Modelo().LinhasParaImpressao()) linhas.ImprimeLinha(linha);
  return linhas.Termina();
}

void Saida::mnuimpgrade_Click() {
  QPrinter impressora(QPrinter::HighResolution);
  PreparaPagina(impressora);
  impressora.setPageOrientation(QPageLayout::Landscape);  // the grid's columns are wide
  if (dialogos_.MostraVisualizacao(this, impressora,
                                   [this](QPrinter& destino) { ImprimeGrade(destino); }))
    lblStatus->setText(QStringLiteral("Impresso"));
}

void Saida::BVisualizar_Click() {
  QPrinter impressora(QPrinter::HighResolution);
  PreparaPagina(impressora);
  if (dialogos_.MostraVisualizacao(this, impressora,
                                   [this](QPrinter& destino) { Imprime(destino); }))
    lblStatus->setText(QStringLiteral("Impresso"));
}

void Saida::BFechar_Click() {
  execucao_.LimpaVariaveis();
  hide();
  close();
}

// Form_Unload: from the Fechar button and from the title bar alike.
void Saida::closeEvent(QCloseEvent* evento) {
  if (preferencias_ != nullptr) preferencias_->GuardaGeometria(*this);
  // Only the saida.txt this run published: another run on the same folder may have put its own.
  RetiraSaidaPublicada(pasta_, execucao_.SaidaPublicada());
  if (principal_ != nullptr) {
    principal_->setEnabled(true);
    principal_->show();
  }
  evento->accept();
}

}  // namespace rolval
