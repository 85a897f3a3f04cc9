#pragma once
// Helpers of the window tests: dialogs answered without a user, and finding windows and controls.
#include <QApplication>
#include <QDeadlineTimer>
#include <QPrinter>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "shell/Dialogos.h"

namespace rolval::teste {

// Answers every dialog at once and remembers what was asked (the open dialog's folder, the save
// dialog's title, proposed name and file-type choice). The print dialog sets the print to
// go to a PDF file, a new one each time (`ArquivoPdf(n)`), with no margins, and is then accepted
// or cancelled.
class DialogosGravados : public Dialogos {
 public:
  struct Mensagem {
    QString texto;
    QString titulo;
    IconeMensagem icone;
  };

  QString PerguntaArquivo(QWidget*, const QString& pasta) override {
    ++perguntasArquivo;
    pastaPerguntada = pasta;
    return respostaArquivo;
  }
  QString PerguntaArquivoSalvar(QWidget*, const QString& titulo, const QString& sugestao,
                                const QString& filtro) override {
    salvamentos.push_back({titulo, sugestao, filtro});
    return respostaSalvar;
  }
  void MostraMensagem(QWidget*, const QString& texto, const QString& titulo,
                      IconeMensagem icone) override {
    mensagens.push_back({texto, titulo, icone});
  }
  bool PreparaImpressora(QWidget*, QPrinter& impressora) override {
    ++impressoes;
    documentoProposto = impressora.docName();
    arquivoProposto = impressora.outputFileName();
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(ArquivoPdf(impressoes));
    impressora.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    return aceitaImpressao;  // cancelled after the printer was set up: nothing may be printed
  }
  QString ArquivoPdf(int n) const { return pastaPdf + QStringLiteral("/impresso%1.pdf").arg(n); }

  struct Salvamento {
    QString titulo;
    QString sugestao;
    QString filtro;
  };

  QString respostaArquivo;
  int perguntasArquivo = 0;
  QString pastaPerguntada;
  QString respostaSalvar;
  std::vector<Salvamento> salvamentos;
  std::vector<Mensagem> mensagens;
  bool aceitaImpressao = true;
  QString pastaPdf;
  int impressoes = 0;
  QString documentoProposto;  // the document's name and output file as the dialog got them
  QString arquivoProposto;
};

// Turns the event loop until `condicao` holds or `ms` milliseconds pass; whether it held. (QTest's
// QTRY_ macros report to QTest's own log, which these GoogleTest suites do not read.)
inline bool EsperaAte(const std::function<bool()>& condicao, int ms = 5000) {
  const QDeadlineTimer prazo(ms);
  while (!condicao()) {
    if (prazo.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// The visible top-level window of that name, or null.
inline QWidget* JanelaVisivel(const QString& nome) {
  for (QWidget* janela : QApplication::topLevelWidgets())
    if (janela->objectName() == nome && janela->isVisible()) return janela;
  return nullptr;
}

// Whether a top-level window of that name exists at all (loaded), after pending deletions.
inline bool JanelaCarregada(const QString& nome) {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  for (QWidget* janela : QApplication::topLevelWidgets())
    if (janela->objectName() == nome) return true;
  return false;
}

template <class T>
T* Controle(QWidget* janela, const char* nome) {
  return janela == nullptr ? nullptr : janela->findChild<T*>(QString::fromLatin1(nome));
}

}  // namespace rolval::teste
