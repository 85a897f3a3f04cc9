#include "shell/AjusteJanela.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace rolval {

namespace {
QMargins Moldura(const QWidget& janela) {
  const QRect dentro = janela.geometry();
  const QRect fora = janela.frameGeometry();
  return {dentro.left() - fora.left(), dentro.top() - fora.top(), fora.right() - dentro.right(),
          fora.bottom() - dentro.bottom()};
}
}  // namespace

void AjustaATela(QWidget& janela, const QWidget* referencia) {
  QScreen* tela = referencia != nullptr ? referencia->screen() : janela.screen();
  if (tela == nullptr) tela = QGuiApplication::primaryScreen();
  if (tela == nullptr) return;
  const QRect area = tela->availableGeometry();
  // A window not sized yet takes its natural size when shown; that is the size to fit.
  if (!janela.testAttribute(Qt::WA_Resized) && !janela.isVisible()) janela.adjustSize();
  // Made now, the window knows its frame where the window system tells it before the first show.
  if (janela.isWindow()) janela.winId();
  QMargins moldura = Moldura(janela);
  if (moldura.isNull() && referencia != nullptr && referencia->isVisible())
    moldura = Moldura(*referencia);
  const int larguraMoldura = moldura.left() + moldura.right();
  const int alturaMoldura = moldura.top() + moldura.bottom();

  const QSize maximo(area.width() - larguraMoldura, area.height() - alturaMoldura);
  QSize tamanho = janela.size().boundedTo(maximo);
  janela.resize(tamanho);
  tamanho = janela.size();  // a window cannot go below its minimum

  QPoint canto = janela.frameGeometry().topLeft();
  if (referencia != nullptr) {
    const QPoint centro = referencia->frameGeometry().center();
    canto = QPoint(centro.x() - (tamanho.width() + larguraMoldura) / 2,
                   centro.y() - (tamanho.height() + alturaMoldura) / 2);
  }
  const int maxX = area.right() + 1 - (tamanho.width() + larguraMoldura);
  const int maxY = area.bottom() + 1 - (tamanho.height() + alturaMoldura);
  canto.setX(std::max(area.left(), std::min(canto.x(), maxX)));
  canto.setY(std::max(area.top(), std::min(canto.y(), maxY)));
  janela.move(canto);  // move() places the frame's corner
}

}  // namespace rolval
