#include "shell/JanelaProgresso.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "shell/AjusteJanela.h"

namespace rolval {

JanelaProgresso::JanelaProgresso(QWidget* principal)
    : QWidget(principal, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("valida"));
  setWindowTitle(QStringLiteral("Programa de Validação de Documentos"));
  QFont fonte = font();
  fonte.setPointSizeF(9.75);
  setFont(fonte);

  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  Label2 = new QLabel(QStringLiteral("Contribuinte:"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  contrib = new QLabel(this);
  contrib->setObjectName(QStringLiteral("contrib"));
  ver = new QLabel(this);
  ver->setObjectName(QStringLiteral("ver"));

  auto* linhaContrib = new QHBoxLayout;
  linhaContrib->addWidget(Label2);
  linhaContrib->addWidget(contrib, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ver);
  layout->addWidget(ProgressBar1);
  layout->addLayout(linhaContrib);
  // Wide enough for the whole title beside the title bar's buttons.
  const QFontMetrics medidas(QApplication::font());
  setMinimumWidth(std::max(360, medidas.horizontalAdvance(windowTitle()) * 3 / 2 + 96));
  adjustSize();
  AjustaATela(*this, principal);
}

void JanelaProgresso::Mostra() {
  show();
  raise();
  // Until the window system has put the window on screen, repaints go nowhere.
  const QDeadlineTimer prazo(500);
  while (windowHandle() != nullptr && !windowHandle()->isExposed() && !prazo.hasExpired())
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
  Pinta();
}

void JanelaProgresso::Atualiza() {
  if (!mudou_) return;
  const bool barraAndou = ProgressBar1->value() != valorPintado_;
  if (!barraAndou && desdePintura_.isValid() && desdePintura_.elapsed() < IntervaloLegendasMs)
    return;
  Pinta();
}

void JanelaProgresso::Pinta() {
  if (ver->text() != verPendente_) ver->setText(verPendente_);
  if (contrib->text() != contribPendente_) contrib->setText(contribPendente_);
  mudou_ = false;
  valorPintado_ = ProgressBar1->value();
  repaint();
  desdePintura_.restart();
}

void JanelaProgresso::DefineValor(int valor) {
  // The bar repaints itself at once whenever the new value shows differently.
  ProgressBar1->setValue(valor);
}

void JanelaProgresso::DefineVer(const QString& legenda) {
  if (legenda == verPendente_) return;
  verPendente_ = legenda;
  mudou_ = true;
}

void JanelaProgresso::DefineContrib(const QString& contribuinte) {
  if (contribuinte == contribPendente_) return;
  contribPendente_ = contribuinte;
  mudou_ = true;
}

// The window belongs to the run: only the run hides it.
void JanelaProgresso::closeEvent(QCloseEvent* evento) { evento->ignore(); }

}  // namespace rolval
