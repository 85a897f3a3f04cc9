#include "shell/Dialogos.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

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
  return dialogo;
}

std::unique_ptr<QFileDialog> CriaDialogoSalvar(QWidget* pai, const QString& titulo,
                                               const QString& sugestao, const QString& filtro) {
  auto dialogo = std::make_unique<QFileDialog>(pai, titulo);
  dialogo->setAcceptMode(QFileDialog::AcceptSave);
  dialogo->setFileMode(QFileDialog::AnyFile);
  dialogo->setNameFilter(filtro);
  dialogo->selectFile(sugestao);
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

}  // namespace rolval
