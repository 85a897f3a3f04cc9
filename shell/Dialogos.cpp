#include "shell/Dialogos.h"

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

}  // namespace

std::unique_ptr<QFileDialog> CriaDialogoAbrir(QWidget* pai) {
  auto dialogo = std::make_unique<QFileDialog>(pai);
  // The program's own dialog, so that the one file-type choice behaves the same on every desktop.
  dialogo->setOption(QFileDialog::DontUseNativeDialog, true);
  dialogo->setAcceptMode(QFileDialog::AcceptOpen);
  dialogo->setFileMode(QFileDialog::ExistingFile);
  dialogo->setNameFilter(QString::fromUtf8(FiltroTodosArquivos));
  OfereceTodosArquivos(*dialogo);
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

QString DialogosQt::PerguntaArquivo(QWidget* pai) {
  auto dialogo = CriaDialogoAbrir(pai);
  if (dialogo->exec() != QDialog::Accepted) return {};
  const QStringList escolhidos = dialogo->selectedFiles();
  return escolhidos.isEmpty() ? QString() : escolhidos.front();
}

void DialogosQt::MostraMensagem(QWidget* pai, const QString& texto, const QString& titulo,
                                IconeMensagem icone) {
  CriaCaixaMensagem(pai, texto, titulo, icone)->exec();
}

bool DialogosQt::PreparaImpressora(QWidget* pai, QPrinter& impressora) {
  return CriaDialogoImpressao(impressora, pai)->exec() == QDialog::Accepted;
}

}  // namespace rolval
