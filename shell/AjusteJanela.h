#pragma once
// Places a window so that the whole of it, title bar included, is on the screen it opens on, at
// any scale factor: no larger than that screen's free area, centred on the window it belongs to.
class QWidget;

namespace rolval {

// Shrinks `janela` to the free area of the screen of `referencia` (or its own screen) when it is
// larger, centres it on `referencia` when one is given, and moves it wholly into that area.
// The size of the title bar and borders is taken from `referencia` while `janela` has none yet.
void AjustaATela(QWidget& janela, const QWidget* referencia = nullptr);

}  // namespace rolval
