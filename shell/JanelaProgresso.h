#pragma once
// The progress window `valida`: how far the run has read, the layout being validated and the
// taxpayer whose return is being read. It has no commands; the run shows it, writes into it and
// unloads it, and it is painted only when the run asks (the run holds the thread).
#include <QWidget>

class QLabel;
class QProgressBar;

namespace rolval {

class JanelaProgresso : public QWidget {
  Q_OBJECT

 public:
  JanelaProgresso();

  // Shows the window and waits, briefly and taking no user input, until it is on screen, so that
  // the repaints of the run reach the screen.
  void Mostra();
  // Repaints the window now when something in it changed since the last repaint.
  void Atualiza();
  void DefineValor(int valor);  // 0 to 100; the bar is repainted at once when it moves
  void DefineVer(const QString& legenda);
  void DefineContrib(const QString& contribuinte);

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  QProgressBar* ProgressBar1;
  QLabel* Label2;
  QLabel* contrib;
  QLabel* ver;
  bool mudou_ = false;
};

}  // namespace rolval
