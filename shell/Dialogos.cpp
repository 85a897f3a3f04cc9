#include "shell/Dialogos.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <algorithm>
#include <cstdio>

#include "shell/AjusteJanela.h"

namespace rolval {

namespace {

// The dialog's own file list filters "*.*" as a pattern that needs a dot in the name; the one
// choice means every file, so the list is told to let every name through each time the dialog
// applies the choice.
void OfereceTodosArquivos(QFileDialog& dialogo) {
  QFileSystemModel* modelo = dialogo.findChild<QFileSystemModel*>();
  if (modelo == nullptr) return;
  auto liberaNomes = [modelo](const QString&) { modelo->setNameFilters({}); };
  liberaNomes(QString());
  QObject::connect(&dialogo, &QFileDialog::filterSelected, modelo, liberaNomes);
}

// The program's dialog makes its file list when it is first shown (the platform's never does):
// the list is opened to every name then, once.
class LiberaNomesAoMostrar : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (evento->type() == QEvent::Show) {
      OfereceTodosArquivos(*static_cast<QFileDialog*>(objeto));
      objeto->removeEventFilter(this);
      deleteLater();
    }
    return false;
  }
};

}  // namespace

std::unique_ptr<QFileDialog> CriaDialogoAbrir(QWidget* pai, const QString& pasta) {
  auto dialogo = std::make_unique<QFileDialog>(pai);
  dialogo->setAcceptMode(QFileDialog::AcceptOpen);
  dialogo->setFileMode(QFileDialog::ExistingFile);
  dialogo->setNameFilter(QString::fromUtf8(FiltroTodosArquivos));
  if (!pasta.isEmpty()) dialogo->setDirectory(pasta);
  dialogo->installEventFilter(new LiberaNomesAoMostrar(dialogo.get()));
  AjustaATela(*dialogo, pai);
  return dialogo;
}

std::unique_ptr<QFileDialog> CriaDialogoSalvar(QWidget* pai, const QString& titulo,
                                               const QString& sugestao, const QString& filtro) {
  auto dialogo = std::make_unique<QFileDialog>(pai, titulo);
  dialogo->setAcceptMode(QFileDialog::AcceptSave);
  dialogo->setFileMode(QFileDialog::AnyFile);
  dialogo->setNameFilter(filtro);
  dialogo->selectFile(sugestao);
  // Whether to write over a file is asked by the window that saves, after it has refused the
  // names it must not write to.
  dialogo->setOption(QFileDialog::DontConfirmOverwrite);
  AjustaATela(*dialogo, pai);
  return dialogo;
}

std::unique_ptr<QMessageBox> CriaCaixaMensagem(QWidget* pai, const QString& texto,
                                               const QString& titulo, IconeMensagem icone) {
  auto caixa = std::make_unique<QMessageBox>(pai);
  caixa->setWindowTitle(titulo);
  caixa->setText(texto);
  caixa->setTextFormat(Qt::PlainText);
  caixa->setIcon(icone == IconeMensagem::Informacao ? QMessageBox::Information
                                                    : QMessageBox::NoIcon);
  caixa->setStandardButtons(QMessageBox::Ok);
  caixa->setDefaultButton(QMessageBox::Ok);
  return caixa;
}

std::unique_ptr<QPrintDialog> CriaDialogoImpressao(QPrinter& impressora, QWidget* pai) {
  auto dialogo = std::make_unique<QPrintDialog>(&impressora, pai);
  dialogo->setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialogo->setOption(QAbstractPrintDialog::PrintSelection, false);
  dialogo->setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  AjustaATela(*dialogo, pai);
  return dialogo;
}

std::unique_ptr<QPrintPreviewDialog> CriaVisualizacao(QPrinter& impressora, QWidget* pai,
                                                      const std::function<void(QPrinter&)>& pinta) {
  auto dialogo = std::make_unique<QPrintPreviewDialog>(&impressora, pai);
  QObject::connect(dialogo.get(), &QPrintPreviewDialog::paintRequested, dialogo.get(),
                   [pinta](QPrinter* destino) { pinta(*destino); });
  // A page and a half of A4 in sight where the screen has room for it.
  const QSize tela = dialogo->screen()->availableGeometry().size();
  dialogo->resize(std::min(tela.width(), 900), tela.height());
  AjustaATela(*dialogo, pai);
  return dialogo;
}

namespace {
QString Escolhido(QFileDialog& dialogo) {
  if (dialogo.exec() != QDialog::Accepted) return {};
  const QStringList escolhidos = dialogo.selectedFiles();
  return escolhidos.isEmpty() ? QString() : escolhidos.front();
}
}  // namespace

QString DialogosQt::PerguntaArquivo(QWidget* pai, const QString& pasta) {
  return Escolhido(*CriaDialogoAbrir(pai, pasta));
}

QString DialogosQt::PerguntaArquivoSalvar(QWidget* pai, const QString& titulo,
                                          const QString& sugestao, const QString& filtro) {
  return Escolhido(*CriaDialogoSalvar(pai, titulo, sugestao, filtro));
}

void DialogosQt::MostraMensagem(QWidget* pai, const QString& texto, const QString& titulo,
                                IconeMensagem icone) {
  CriaCaixaMensagem(pai, texto, titulo, icone)->exec();
}

bool DialogosQt::PreparaImpressora(QWidget* pai, QPrinter& impressora) {
  return CriaDialogoImpressao(impressora, pai)->exec() == QDialog::Accepted;
}

bool DialogosQt::Confirma(QWidget* pai, const QString& texto, const QString& titulo) {
  const auto caixa = CriaCaixaMensagem(pai, texto, titulo, IconeMensagem::Nenhum);
  caixa->setIcon(QMessageBox::Question);
  caixa->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
  caixa->setDefaultButton(QMessageBox::No);
  return caixa->exec() == QMessageBox::Yes;
}

bool DialogosQt::MostraVisualizacao(QWidget* pai, QPrinter& impressora,
                                    const std::function<void(QPrinter&)>& pinta) {
  // The preview is accepted when the user prints from it, rejected when closed.
  return CriaVisualizacao(impressora, pai, pinta)->exec() == QDialog::Accepted;
}

void DialogosSilenciosos::MostraMensagem(QWidget*, const QString& texto, const QString&,
                                         IconeMensagem) {
  std::fprintf(stderr, "%s: message: %s\n", programa_, texto.toUtf8().constData());
}

}  // namespace rolval
