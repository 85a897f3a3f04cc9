#pragma once
// The Ajuda menu of the desktop program: the window "Como ler o relatório" (the parts of the
// report, its columns, errors and warnings, the hints, and every message of the two catalogues
// with what usually causes it and how to fix it) and the text of "Sobre o ROLVAL".
#include <QString>
#include <QWidget>

class QTextBrowser;

namespace rolval {

class Preferencias;

class JanelaAjuda : public QWidget {
  Q_OBJECT

 public:
  // `preferencias`: where its size and place are kept; none to keep nothing.
  explicit JanelaAjuda(Preferencias* preferencias);
  bool Restaurada() const { return restaurada_; }  // took the size and place last kept
  // Scrolls to the catalogue's entry for that code.
  void VaiParaCodigo(char catalogo, int codigo);
  QTextBrowser* Texto() const { return txtajuda; }

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  Preferencias* preferencias_;
  bool restaurada_ = false;
  QTextBrowser* txtajuda;
};

// Shows the help window, one for the whole program (raised when already open), placed on the
// screen of `perto`; a window of its own, so that it stays usable while the main window is
// disabled under the output window.
JanelaAjuda* MostraAjuda(const QWidget* perto, Preferencias* preferencias);

// The anchor of a code's entry in the help page ("M35", "ST35").
QString AncoraDoCodigo(char catalogo, int codigo);

// The help page (HTML).
QString TextoAjuda();

// The text of "Sobre o ROLVAL": name, version and licence.
QString TextoSobre();

// The captions of the two entries of the Ajuda menu.
inline constexpr const char* LegendaComoLer = "&Como ler o relatório";
inline constexpr const char* TituloSobre = "Sobre o ROLVAL";

}  // namespace rolval
