#pragma once
// The progress window `valida`: how far the run has read, the layout being validated and the
// taxpayer whose return is being read. It has no commands; the run shows it, writes into it and
// unloads it, and it is painted only when the run asks (the run holds the thread).
// A run of 200,000 returns changes the taxpayer 200,000 times: the captions are repainted at a
// refresh only once the bar has moved since their last repaint, or a quarter of a second has
// passed.
#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace rolval {

class JanelaProgresso : public QWidget {
  Q_OBJECT

 public:
  // A window of its own over `principal` (centred on it), or on its own when there is none.
  explicit JanelaProgresso(QWidget* principal = nullptr);

  // Shows the window and waits, briefly and taking no user input, until it is on screen, so that
  // the repaints of the run reach the screen.
  void Mostra();
  // Repaints the window now when its captions changed since their last repaint (see above).
  void Atualiza();
  void DefineValor(int valor);  // 0 to 100; the bar is repainted at once when it moves
  // The captions, shown at the next repaint.
  void DefineVer(const QString& legenda);
  void DefineContrib(const QString& contribuinte);

  // Time after which changed captions are repainted even when the bar has not moved.
  static constexpr int IntervaloLegendasMs = 250;

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  void Pinta();

  QProgressBar* ProgressBar1;
  QLabel* Label2;
  QLabel* contrib;
  QLabel* ver;
  QString verPendente_;
  QString contribPendente_;
  bool mudou_ = false;
  int valorPintado_ = -1;  // the bar's value at the last repaint of the captions
  QElapsedTimer desdePintura_;
};

}  // namespace rolval
