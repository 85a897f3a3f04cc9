#pragma once
// The modal dialogs of the windows: the open dialog, the message boxes and the print dialog.
// The windows reach them only through `Dialogos`, so that another set (the tests') can answer
// them without a user; `DialogosQt` shows the real ones.
#include <QString>
#include <memory>

#include "run/Tela.h"

class QFileDialog;
class QMessageBox;
class QPrintDialog;
class QPrinter;
class QWidget;

namespace rolval {

class Dialogos {
 public:
  virtual ~Dialogos() = default;
  // The open dialog; the chosen file, or an empty text when none was chosen.
  virtual QString PerguntaArquivo(QWidget* pai) = 0;
  // A message box with an OK button; returns when it is closed.
  virtual void MostraMensagem(QWidget* pai, const QString& texto, const QString& titulo,
                              IconeMensagem icone) = 0;
  // The print dialog, which sets up `impressora`; false when the user cancelled it.
  virtual bool PreparaImpressora(QWidget* pai, QPrinter& impressora) = 0;
};

class DialogosQt : public Dialogos {
 public:
  QString PerguntaArquivo(QWidget* pai) override;
  void MostraMensagem(QWidget* pai, const QString& texto, const QString& titulo,
                      IconeMensagem icone) override;
  bool PreparaImpressora(QWidget* pai, QPrinter& impressora) override;
};

// The dialogs as `DialogosQt` shows them, built but not shown.
// The open dialog offers every file, dotted name or not, under its one file-type choice.
std::unique_ptr<QFileDialog> CriaDialogoAbrir(QWidget* pai);
std::unique_ptr<QMessageBox> CriaCaixaMensagem(QWidget* pai, const QString& texto,
                                               const QString& titulo, IconeMensagem icone);
// The print dialog without the page-range choice.
std::unique_ptr<QPrintDialog> CriaDialogoImpressao(QPrinter& impressora, QWidget* pai);

// The one file-type choice of the open dialog.
inline constexpr const char* FiltroTodosArquivos = "Todos os arquivos (*.*)";

}  // namespace rolval
