#pragma once
// Helpers of the window tests: dialogs answered without a user, and finding windows and controls.
#include <QApplication>
#include <QDeadlineTimer>
#include <QPrinter>
#include <QString>
#include <QWidget>
#include <deque>
#include <functional>
#include <vector>

#include "achados/ListaAchados.h"
#include "layouts/Layouts.h"
#include "run/Execucao.h"
#include "shell/Dialogos.h"

namespace rolval::teste {

// Answers every dialog at once and remembers what was asked (the open dialog's folder, the save
// dialog's title, proposed name and file-type choice). The save dialog answers from
// `respostasSalvar` in turn while it has any, then `respostaSalvar`. The print dialog sets the
// print to go to a PDF file, a new one each time (`ArquivoPdf(n)`), with no margins, and is then
// accepted or cancelled; the print preview draws on such a PDF file too.
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
    if (respostasSalvar.empty()) return respostaSalvar;
    const QString resposta = respostasSalvar.front();
    respostasSalvar.pop_front();
    return resposta;
  }
  bool Confirma(QWidget*, const QString& texto, const QString& titulo) override {
    confirmacoes.push_back({texto, titulo, IconeMensagem::Nenhum});
    return respostaConfirma;
  }
  bool MostraVisualizacao(QWidget*, QPrinter& impressora,
                          const std::function<void(QPrinter&)>& pinta) override {
    ++impressoes;
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(ArquivoPdf(impressoes));
    pinta(impressora);
    ++visualizacoes;
    return true;  // printed from the preview
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
  std::deque<QString> respostasSalvar;
  bool respostaConfirma = true;
  std::vector<Mensagem> confirmacoes;
  int visualizacoes = 0;
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

// A run of ST 02 whose findings `grava` writes, its report made.
inline ListaAchados GeraRelatorioST02(Execucao& execucao,
                                      const std::function<void(Execucao&)>& grava) {
  ListaAchados lista;  // the run's findings, as a window takes them
  execucao.DefineOuvinte(&lista);
  execucao.LimpaVariaveis();
  AdotaLayout(execucao, *LayoutDe(DocROLST02));
  execucao.RegistroAtual.Inscricao = "0500000000";
  execucao.RegistroAtual.MesAnoRef = "072000";
  execucao.arquivoAchados.Abre();
  execucao.arquivoLista.Abre();
  grava(execucao);
  execucao.arquivoAchados.Fecha();
  execucao.arquivoLista.Fecha();
  execucao.GeraSaida();
  execucao.DefineOuvinte(nullptr);
  return lista;
}

// A run of `n` findings of ST 02 (fields 9 and 10 zeroed, one a line, lines 1 to n), its report
// made; the record of each is on a line of a file the run did not read.
inline ListaAchados GeraRelatorioDeAchados(Execucao& execucao, int n) {
  return GeraRelatorioST02(execucao, [n](Execucao& e) {
    for (int i = 1; i <= n; ++i) {
      e.NumLinha = i;
      e.GravaErroST(CodigoST::Campos9e10Zerados, 0, 230, 244);
    }
  });
}

template <class T>
T* Controle(QWidget* janela, const char* nome) {
  return janela == nullptr ? nullptr : janela->findChild<T*>(QString::fromLatin1(nome));
}

}  // namespace rolval::teste
