#include "shell/Principal.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "VersaoPrograma.h"
#include "layouts/Layouts.h"
#include "run/Campo.h"
#include "run/Execucao.h"
#include "shell/Ajuda.h"
#include "shell/AjusteJanela.h"
#include "shell/Dialogos.h"
#include "shell/Preferencias.h"
#include "shell/Saida.h"
#include "shell/TelaQt.h"

namespace rolval {

namespace {

QFont FonteNegrito(const QFont& base) {
  QFont fonte = base;
  fonte.setPointSizeF(8.25);
  fonte.setBold(true);
  return fonte;
}

// The one local file a drag carries; empty when it carries anything else.
QString ArquivoArrastado(const QMimeData* dados) {
  if (dados == nullptr || !dados->hasUrls() || dados->urls().size() != 1) return {};
  const QUrl url = dados->urls().front();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

QString CaminhoColado(const QString& texto) {
  QString caminho = texto.trimmed();
  bool mudou = false;
  if (caminho.size() >= 2 &&
      (caminho.front() == QLatin1Char('"') || caminho.front() == QLatin1Char('\'')) &&
      caminho.back() == caminho.front()) {
    caminho = caminho.mid(1, caminho.size() - 2);
    mudou = true;
  }
  if (caminho.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) {
    const QUrl url(caminho);
    if (url.isValid() && url.isLocalFile() && !url.toLocalFile().isEmpty())
      return url.toLocalFile();
  }
  return mudou ? caminho : texto;
}

Principal::Principal(std::optional<std::filesystem::path> pastaTrabalho, Dialogos& dialogos,
                     Preferencias* preferencias)
    : dialogos_(dialogos), preferencias_(preferencias) {
  setObjectName(QStringLiteral("Principal"));
  setAcceptDrops(true);
  CriaControles();
  if (pastaTrabalho) {
    tela_ = std::make_unique<TelaQt>(this, *pastaTrabalho, dialogos_, preferencias_);
    execucao_ = std::make_unique<Execucao>(*pastaTrabalho, *tela_);
    tela_->DefineExecucao(execucao_.get());
  }
  // Form_Load.
  setWindowTitle(QString::fromUtf8(TituloPrincipal));
  lblVersao->setText(QString::fromLatin1(VersaoTexto));
  AtualizaRecentes();
  if (preferencias_ != nullptr) preferencias_->RestauraGeometria(*this);
  AjustaATela(*this);
}

Principal::~Principal() {
  // An output window still open is unloaded while the run it shows is still here.
  if (tela_ && tela_->saida() != nullptr) {
    Saida* saida = tela_->saida();
    saida->close();
    delete saida;
  }
}

void Principal::CriaControles() {
  auto* centro = new QWidget(this);
  setCentralWidget(centro);

  Label1 = new QLabel(QString::fromUtf8(TituloPrincipal), centro);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setFont(FonteNegrito(Label1->font()));
  Label4 = new QLabel(QStringLiteral("Versão:"), centro);
  Label4->setObjectName(QStringLiteral("Label4"));
  lblVersao = new QLabel(QStringLiteral("?.?.?"), centro);
  lblVersao->setObjectName(QStringLiteral("lblVersao"));
  Label6 = new QLabel(QStringLiteral("Ar&quivo a Validar:"), centro);
  Label6->setObjectName(QStringLiteral("Label6"));
  NomeArq = new QLineEdit(centro);
  NomeArq->setObjectName(QStringLiteral("NomeArq"));
  NomeArq->setMinimumWidth(320);
  // A file dropped on the box is validated like one dropped anywhere on the window, not pasted
  // into it as a URL.
  NomeArq->setAcceptDrops(false);
  Label6->setBuddy(NomeArq);
  BAbrir = new QPushButton(QStringLiteral("..."), centro);
  BAbrir->setObjectName(QStringLiteral("BAbrir"));
  BAbrir->setFont(FonteNegrito(BAbrir->font()));
  BAbrir->setFixedWidth(BAbrir->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
  BValidar = new QPushButton(QStringLiteral("&Validar"), centro);
  BValidar->setObjectName(QStringLiteral("BValidar"));
  Bsair = new QPushButton(QStringLiteral("Sai&r"), centro);
  Bsair->setObjectName(QStringLiteral("Bsair"));
  auto* Line1 = new QFrame(centro);
  Line1->setObjectName(QStringLiteral("Line1"));
  Line1->setFrameShape(QFrame::HLine);
  Line1->setFrameShadow(QFrame::Sunken);
  Label2 = new QLabel(QStringLiteral("Validação dos arquivos de declaração do imposto estadual"),
                      centro);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label3 = new QLabel(QStringLiteral("Distribuição gratuita aos contribuintes"), centro);
  Label3->setObjectName(QStringLiteral("Label3"));

  auto* versao = new QHBoxLayout;
  versao->addWidget(Label4);
  versao->addWidget(lblVersao);
  versao->addStretch(1);
  auto* caminho = new QHBoxLayout;
  caminho->addWidget(NomeArq, 1);
  caminho->addWidget(BAbrir);
  auto* botoes = new QHBoxLayout;
  botoes->addStretch(1);
  botoes->addWidget(BValidar);
  botoes->addWidget(Bsair);
  auto* layout = new QVBoxLayout(centro);
  layout->addWidget(Label1);
  layout->addLayout(versao);
  layout->addSpacing(8);
  layout->addWidget(Label6);
  layout->addLayout(caminho);
  layout->addSpacing(8);
  layout->addLayout(botoes);
  layout->addWidget(Line1);
  layout->addWidget(Label2);
  layout->addWidget(Label3);

  QMenu* mnuarq = menuBar()->addMenu(QStringLiteral("&Arquivo"));
  mnuarq->setObjectName(QStringLiteral("mnuarq"));
  mnuarqabr = mnuarq->addAction(QStringLiteral("&Abrir"));
  mnuarqabr->setObjectName(QStringLiteral("mnuarqabr"));
  mnuarqabr->setShortcut(QKeySequence::Open);
  mnuarqrec = mnuarq->addMenu(QStringLiteral("Arquivos r&ecentes"));
  mnuarqrec->setObjectName(QStringLiteral("mnuarqrec"));
  mnuarqval = mnuarq->addAction(QStringLiteral("&Validar"));
  mnuarqval->setObjectName(QStringLiteral("mnuarqval"));
  arqlinha = mnuarq->addSeparator();
  arqlinha->setObjectName(QStringLiteral("arqlinha"));
  mnuarqsai = mnuarq->addAction(QStringLiteral("Sai&r"));
  mnuarqsai->setObjectName(QStringLiteral("mnuarqsai"));
  mnuarqsai->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* mnuaju = menuBar()->addMenu(QStringLiteral("Aj&uda"));
  mnuaju->setObjectName(QStringLiteral("mnuaju"));
  mnuajucomo = mnuaju->addAction(QString::fromUtf8(LegendaComoLer));
  mnuajucomo->setObjectName(QStringLiteral("mnuajucomo"));
  mnuajucomo->setShortcut(QKeySequence(Qt::Key_F1));
  mnuajusobre = mnuaju->addAction(QString::fromUtf8(TituloSobre));
  mnuajusobre->setObjectName(QStringLiteral("mnuajusobre"));

  // Enter in the path box validates, as Validar is the window's default button.
  BValidar->setDefault(true);
  connect(NomeArq, &QLineEdit::returnPressed, this, &Principal::BValidar_Click);
  connect(mnuajucomo, &QAction::triggered, this, &Principal::mnuajucomo_Click);
  connect(mnuajusobre, &QAction::triggered, this, &Principal::mnuajusobre_Click);

  connect(BAbrir, &QPushButton::clicked, this, &Principal::BAbrir_Click);
  connect(mnuarqabr, &QAction::triggered, this, &Principal::BAbrir_Click);
  connect(BValidar, &QPushButton::clicked, this, &Principal::BValidar_Click);
  connect(mnuarqval, &QAction::triggered, this, &Principal::BValidar_Click);
  connect(Bsair, &QPushButton::clicked, this, &Principal::Bsair_Click);
  connect(mnuarqsai, &QAction::triggered, this, &Principal::Bsair_Click);
}

void Principal::AtualizaRecentes() {
  mnuarqrec->clear();
  const QStringList recentes = preferencias_ != nullptr ? preferencias_->Recentes() : QStringList();
  int n = 0;
  for (const QString& caminho : recentes) {
    // "&1 name" .. "&8 name": the digit is the entry's access key.
    QAction* entrada = mnuarqrec->addAction(QStringLiteral("&%1 %2").arg(++n).arg(caminho));
    entrada->setData(caminho);
    connect(entrada, &QAction::triggered, this, [this, caminho] { NomeArq->setText(caminho); });
  }
  mnuarqrec->setEnabled(!recentes.isEmpty());
}

// The folder of the path in the box when that folder exists, else the folder last used.
QString Principal::PastaInicialAbrir() const {
  const QString caminho = CaminhoColado(NomeArq->text()).trimmed();
  if (!caminho.isEmpty()) {
    const QFileInfo info(caminho);
    if (info.isDir()) return info.absoluteFilePath();
    if (info.absoluteDir().exists()) return info.absolutePath();
  }
  return preferencias_ != nullptr ? preferencias_->UltimaPasta() : QString();
}

void Principal::BAbrir_Click() {
  const QString escolhido = dialogos_.PerguntaArquivo(this, PastaInicialAbrir());
  if (escolhido.isEmpty()) return;
  NomeArq->setText(escolhido);
  if (preferencias_ != nullptr)
    preferencias_->DefineUltimaPasta(QFileInfo(escolhido).absolutePath());
}

void Principal::AbreArquivo(const QString& caminho) {
  if (emExecucao_ || !isEnabled()) return;
  NomeArq->setText(caminho);
  BValidar_Click();
}

void Principal::mnuajucomo_Click() { MostraAjuda(this, preferencias_); }

void Principal::mnuajusobre_Click() {
  dialogos_.MostraMensagem(this, TextoSobre(), QString::fromUtf8(TituloSobre),
                           IconeMensagem::Informacao);
}

void Principal::dragEnterEvent(QDragEnterEvent* evento) {
  if (!emExecucao_ && !ArquivoArrastado(evento->mimeData()).isEmpty())
    evento->acceptProposedAction();
}

void Principal::dropEvent(QDropEvent* evento) {
  const QString arquivo = ArquivoArrastado(evento->mimeData());
  if (arquivo.isEmpty()) return;
  evento->acceptProposedAction();
  AbreArquivo(arquivo);
}

void Principal::BValidar_Click() {
  // A path pasted in quotes or as a file:// URI goes into the box as the path it names.
  const QString colado = CaminhoColado(NomeArq->text());
  if (colado != NomeArq->text()) NomeArq->setText(colado);
  if (NomeArq->text().isEmpty()) {
    dialogos_.MostraMensagem(this,
                             QStringLiteral("Você precisa informar o nome do arquivo a Validar"),
                             QStringLiteral("Informação"), IconeMensagem::Nenhum);
    return;
  }
  if (!execucao_) {
    dialogos_.MostraMensagem(
        this,
        QStringLiteral("Não há pasta com permissão de gravação para os arquivos "
                       "do validador."),
        QStringLiteral("Atenção"), IconeMensagem::Informacao);
    return;
  }
  if (emExecucao_) return;
  struct MarcaExecucao {
    bool& marca;
    explicit MarcaExecucao(bool& m) : marca(m) { marca = true; }
    ~MarcaExecucao() { marca = false; }
  } durante(emExecucao_);
  // Blanks typed after the path in the box are not part of it.
  const std::string caminho(AparaDireita(NomeArq->text().toStdString()));
  if (preferencias_ != nullptr) {
    const QFileInfo info(QString::fromStdString(caminho));
    if (info.isFile()) {
      preferencias_->AcrescentaRecente(info.absoluteFilePath());
      preferencias_->DefineUltimaPasta(info.absolutePath());
      AtualizaRecentes();
    }
  }
  // The file as the run is about to read it: the output window shows records only from it.
  tela_->MarcaEntrada(caminho);
  ValidaArquivo(*execucao_, caminho, TabelaPadrao());
}

void Principal::Bsair_Click() {
  QApplication::closeAllWindows();
  emit EncerramentoPedido();
}

void Principal::closeEvent(QCloseEvent* evento) {
  // A run holds the program until its end; the window cannot go in the middle of one.
  if (emExecucao_) {
    evento->ignore();
    return;
  }
  if (preferencias_ != nullptr) {
    preferencias_->GuardaGeometria(*this);
    preferencias_->Grava();
  }
  // The help window is the program's too, though a window of its own.
  for (QWidget* janela : QApplication::topLevelWidgets())
    if (qobject_cast<JanelaAjuda*>(janela) != nullptr) janela->close();
  QMainWindow::closeEvent(evento);
}

}  // namespace rolval
