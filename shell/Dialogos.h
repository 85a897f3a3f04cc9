#pragma once
// The modal dialogs of the windows: the open and save dialogs, the message boxes and the print
// dialog.
// The windows reach them only through `Dialogos`, so that another set (the tests') can answer
// them without a user; `DialogosQt` shows the real ones.
#include <QString>
#include <functional>
#include <memory>

#include "run/Tela.h"

class QFileDialog;
class QMessageBox;
class QPrintDialog;
class QPrintPreviewDialog;
class QPrinter;
class QWidget;

namespace rolval {

class Dialogos {
 public:
  virtual ~Dialogos() = default;
  // The open dialog, showing the folder `pasta` first (the current folder when empty); the chosen
  // file, or an empty text when none was chosen.
  virtual QString PerguntaArquivo(QWidget* pai, const QString& pasta) = 0;
  // The save dialog titled `titulo`, proposing the file `sugestao`, offering the one file-type
  // choice `filtro`; the file to write, or an empty text when the user cancelled. It does not ask
  // whether to write over a file that exists: the caller asks, once it has checked the name.
  virtual QString PerguntaArquivoSalvar(QWidget* pai, const QString& titulo,
                                        const QString& sugestao, const QString& filtro) = 0;
  // A message box with an OK button; returns when it is closed.
  virtual void MostraMensagem(QWidget* pai, const QString& texto, const QString& titulo,
                              IconeMensagem icone) = 0;
  // The print dialog, which sets up `impressora`; false when the user cancelled it.
  virtual bool PreparaImpressora(QWidget* pai, QPrinter& impressora) = 0;
  // A question answered Sim or Não; true for Sim.
  virtual bool Confirma(QWidget* pai, const QString& texto, const QString& titulo) = 0;
  // The print preview of what `pinta` draws on the printer it is given (set up as `impressora`),
  // from which the user may print it; returns when it is closed, telling whether it printed.
  virtual bool MostraVisualizacao(QWidget* pai, QPrinter& impressora,
                                  const std::function<void(QPrinter&)>& pinta) = 0;
};

class DialogosQt : public Dialogos {
 public:
  QString PerguntaArquivo(QWidget* pai, const QString& pasta) override;
  QString PerguntaArquivoSalvar(QWidget* pai, const QString& titulo, const QString& sugestao,
                                const QString& filtro) override;
  void MostraMensagem(QWidget* pai, const QString& texto, const QString& titulo,
                      IconeMensagem icone) override;
  bool PreparaImpressora(QWidget* pai, QPrinter& impressora) override;
  bool Confirma(QWidget* pai, const QString& texto, const QString& titulo) override;
  bool MostraVisualizacao(QWidget* pai, QPrinter& impressora,
                          const std::function<void(QPrinter&)>& pinta) override;
};

// The dialogs of a program that drives the windows with nobody before them (the screenshot and
// timing programs): no file is chosen, nothing printed or previewed, no question confirmed, and
// each message written to standard error under the program's name.
class DialogosSilenciosos : public Dialogos {
 public:
  explicit DialogosSilenciosos(const char* programa) : programa_(programa) {}
  QString PerguntaArquivo(QWidget*, const QString&) override { return {}; }
  QString PerguntaArquivoSalvar(QWidget*, const QString&, const QString&, const QString&) override {
    return {};
  }
  void MostraMensagem(QWidget* pai, const QString& texto, const QString& titulo,
                      IconeMensagem icone) override;
  bool PreparaImpressora(QWidget*, QPrinter&) override { return false; }
  bool Confirma(QWidget*, const QString&, const QString&) override { return false; }
  bool MostraVisualizacao(QWidget*, QPrinter&, const std::function<void(QPrinter&)>&) override {
    return false;
  }

 private:
  const char* programa_;
};

// The dialogs as `DialogosQt` shows them, built but not shown, each placed wholly on the screen of
// `pai` (over it) and no larger than that screen. The platform's own file dialog is
// used where the desktop has one; otherwise the program's, whose list offers every file, dotted
// name or not, under the open dialog's one file-type choice.
std::unique_ptr<QFileDialog> CriaDialogoAbrir(QWidget* pai, const QString& pasta = QString());
std::unique_ptr<QFileDialog> CriaDialogoSalvar(QWidget* pai, const QString& titulo,
                                               const QString& sugestao, const QString& filtro);
std::unique_ptr<QMessageBox> CriaCaixaMensagem(QWidget* pai, const QString& texto,
                                               const QString& titulo, IconeMensagem icone);
// The print dialog without the page-range choice.
std::unique_ptr<QPrintDialog> CriaDialogoImpressao(QPrinter& impressora, QWidget* pai);
// The print preview, drawn by `pinta`, as large as the screen allows.
std::unique_ptr<QPrintPreviewDialog> CriaVisualizacao(QPrinter& impressora, QWidget* pai,
                                                      const std::function<void(QPrinter&)>& pinta);

// The one file-type choice of the open dialog.
inline constexpr const char* FiltroTodosArquivos = "Todos os arquivos (*.*)";

}  // namespace rolval
