#pragma once
// Start-up of the desktop program: its command line (rolval [ARQUIVO]) and Qt's own translations,
// so that the standard dialogs speak the user's language.
#include <QString>

class QCommandLineParser;
class QCoreApplication;
class QLocale;
class QTranslator;

namespace rolval {

// Sets up `analisador` for the program's command line: --help, --version and one optional file.
void PreparaLinhaComando(QCommandLineParser& analisador);

// The file named on an analysed command line, as an absolute path (it goes into the path box as
// the run will read it); empty when none was named.
QString ArquivoDaLinhaComando(const QCommandLineParser& analisador);

// The program's language, Brazilian Portuguese, and the default locale of its texts from now on.
QLocale IdiomaPrograma();

// Loads and installs Qt's own translations for `idioma` (Debian's qt6-translations-l10n); the
// translator installed, owned by `aplicacao`, or null when there are none for that language.
QTranslator* InstalaTraducoesQt(QCoreApplication& aplicacao, const QLocale& idioma);

}  // namespace rolval
