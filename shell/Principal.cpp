#include "shell/Principal.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "VersaoPrograma.h"
#include "layouts/Layouts.h"
#include "run/Campo.h"
#include "run/Execucao.h"
#include "shell/Dialogos.h"
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

}  // namespace

Principal::Principal(std::optional<std::filesystem::path> pastaTrabalho, Dialogos& dialogos)
    : dialogos_(dialogos) {
  setObjectName(QStringLiteral("Principal"));
  CriaControles();
  if (pastaTrabalho) {
    tela_ = std::make_unique<TelaQt>(this, *pastaTrabalho, dialogos_);
    execucao_ = std::make_unique<Execucao>(*pastaTrabalho, *tela_);
    tela_->DefineExecucao(execucao_.get());
  }
  // Form_Load.
  setWindowTitle(QString::fromUtf8(TituloPrincipal));
  lblVersao->setText(QString::fromLatin1(VersaoTexto));
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
  mnuarqval = mnuarq->addAction(QStringLiteral("&Validar"));
  mnuarqval->setObjectName(QStringLiteral("mnuarqval"));
  arqlinha = mnuarq->addSeparator();
  arqlinha->setObjectName(QStringLiteral("arqlinha"));
  mnuarqsai = mnuarq->addAction(QStringLiteral("Sai&r"));
  mnuarqsai->setObjectName(QStringLiteral("mnuarqsai"));

  connect(BAbrir, &QPushButton::clicked, this, &Principal::BAbrir_Click);
  connect(mnuarqabr, &QAction::triggered, this, &Principal::BAbrir_Click);
  connect(BValidar, &QPushButton::clicked, this, &Principal::BValidar_Click);
  connect(mnuarqval, &QAction::triggered, this, &Principal::BValidar_Click);
  connect(Bsair, &QPushButton::clicked, this, &Principal::Bsair_Click);
  connect(mnuarqsai, &QAction::triggered, this, &Principal::Bsair_Click);
}

void Principal::BAbrir_Click() {
  const QString escolhido = dialogos_.PerguntaArquivo(this);
  if (!escolhido.isEmpty()) NomeArq->setText(escolhido);
}

void Principal::BValidar_Click() {
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
  QMainWindow::closeEvent(evento);
}

}  // namespace rolval
