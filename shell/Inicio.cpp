#include "shell/Inicio.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace rolval {

void PreparaLinhaComando(QCommandLineParser& analisador) {
  analisador.setApplicationDescription(QStringLiteral(
      "Programa de Validação de Documentos: valida ARQUIVO, se informado, ao abrir."));
  analisador.addHelpOption();
  analisador.addVersionOption();
  analisador.addPositionalArgument(QStringLiteral("arquivo"), QStringLiteral("Arquivo a validar."),
                                   QStringLiteral("[ARQUIVO]"));
}

QString ArquivoDaLinhaComando(const QCommandLineParser& analisador) {
  const QStringList arquivos = analisador.positionalArguments();
  if (arquivos.isEmpty() || arquivos.front().isEmpty()) return {};
  return QFileInfo(arquivos.front()).absoluteFilePath();
}

QLocale IdiomaPrograma() {
  const QLocale portugues(QLocale::Portuguese, QLocale::Brazil);
  QLocale::setDefault(portugues);
  return portugues;
}

QTranslator* InstalaTraducoesQt(QCoreApplication& aplicacao, const QLocale& idioma) {
  auto* traducao = new QTranslator(&aplicacao);
  // "qt_<language>" gathers the translations of every Qt module installed.
  if (!traducao->load(idioma, QStringLiteral("qt"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(traducao)) {
    delete traducao;
    return nullptr;
  }
  return traducao;
}

}  // namespace rolval
