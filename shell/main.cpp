// rolval: the desktop program. Opens the main window; a run starts when the user chooses Validar,
// or at once for a file named on the command line (rolval [ARQUIVO]).
#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "VersaoPrograma.h"
#include "shell/Dialogos.h"
#include "shell/Inicio.h"
#include "shell/PastaTrabalho.h"
#include "shell/Preferencias.h"
#include "shell/Principal.h"

int main(int argc, char** argv) {
  QApplication aplicacao(argc, argv);
  QApplication::setApplicationName(QStringLiteral("rolval"));
  QApplication::setApplicationVersion(QString::fromLatin1(rolval::VersaoTexto));
  QApplication::setDesktopFileName(QStringLiteral("rolval"));
  // The program speaks Portuguese, whatever the desktop's language: Qt's own dialogs too.
  rolval::InstalaTraducoesQt(aplicacao, rolval::IdiomaPrograma());

  QCommandLineParser analisador;
  rolval::PreparaLinhaComando(analisador);
  analisador.process(aplicacao);  // --help, --version and unknown options end here
  if (analisador.positionalArguments().size() > 1) {
    std::fprintf(stderr, "rolval: um arquivo só\n%s", qPrintable(analisador.helpText()));
    return 64;
  }
  const QString arquivo = rolval::ArquivoDaLinhaComando(analisador);

  const auto pasta =
      rolval::EscolhePastaTrabalho(QCoreApplication::applicationDirPath().toStdString(),
                                   std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  rolval::DialogosQt dialogos;
  rolval::Preferencias preferencias;
  rolval::Principal principal(pasta, dialogos, &preferencias);
  QObject::connect(&principal, &rolval::Principal::EncerramentoPedido, &aplicacao,
                   &QCoreApplication::quit, Qt::QueuedConnection);
  principal.show();
  // Validated once the event loop runs, with the main window on screen under the run's windows.
  if (!arquivo.isEmpty())
    QTimer::singleShot(0, &principal, [&principal, arquivo] { principal.AbreArquivo(arquivo); });
  return QApplication::exec();
}
