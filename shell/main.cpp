// rolval: the desktop program. Opens the main window; a run starts when the user chooses Validar.
#include <QApplication>
#include <cstdlib>

#include "shell/Dialogos.h"
#include "shell/PastaTrabalho.h"
#include "shell/Principal.h"

int main(int argc, char** argv) {
  QApplication aplicacao(argc, argv);
  QApplication::setApplicationName(QStringLiteral("rolval"));
  QApplication::setDesktopFileName(QStringLiteral("rolval"));

  const auto pasta =
      rolval::EscolhePastaTrabalho(QCoreApplication::applicationDirPath().toStdString(),
                                   std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  rolval::DialogosQt dialogos;
  rolval::Principal principal(pasta, dialogos);
  QObject::connect(&principal, &rolval::Principal::EncerramentoPedido, &aplicacao,
                   &QCoreApplication::quit, Qt::QueuedConnection);
  principal.show();
  return QApplication::exec();
}
