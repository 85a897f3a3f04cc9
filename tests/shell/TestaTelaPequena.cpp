// Every window fits the screen it opens on, title bar and buttons included, and the run's windows
// open over the main window. ctest runs these once more on a 1280x800 screen at scale factor 2
// (shell_tela_pequena_escala2), where a window sized for a large screen would not fit.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "shell/JanelaProgresso.h"
#include "shell/Principal.h"
#include "shell/Saida.h"
#include "shell/TelaQt.h"
#include "tests/shell/ApoioJanelas.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {
namespace {

// The window, frame included, and each named button within the free area of its screen.
void ConfereNaTela(QWidget* janela, std::initializer_list<const char*> botoes = {}) {
  ASSERT_NE(janela, nullptr);
  const QRect area = janela->screen()->availableGeometry();
  EXPECT_TRUE(area.contains(janela->frameGeometry()))
      << janela->objectName().toStdString() << ": " << janela->frameGeometry().width() << "x"
      << janela->frameGeometry().height() << " on " << area.width() << "x" << area.height();
  for (const char* nome : botoes) {
    QWidget* botao = Controle<QWidget>(janela, nome);
    ASSERT_NE(botao, nullptr) << nome;
    EXPECT_TRUE(botao->isVisible()) << nome;
    EXPECT_TRUE(area.contains(QRect(botao->mapToGlobal(QPoint(0, 0)), botao->size()))) << nome;
  }
}

TEST(TelaPequena, JanelasCabemNaTelaESobreAPrincipal) {
  const QScreen* tela = QGuiApplication::primaryScreen();
  if (qEnvironmentVariable("QT_SCALE_FACTOR") == QStringLiteral("2")) {
    // The small screen is really in use: 1280x800 pixels, 640x400 for the windows.
    EXPECT_EQ(tela->devicePixelRatio(), 2.0);
    EXPECT_EQ(tela->geometry().size(), QSize(640, 400));
  }
  PastaTemporaria pasta;
  DialogosGravados dialogos;
  Principal principal(pasta.caminho(), dialogos);
  principal.show();
  ConfereNaTela(&principal, {"BValidar", "Bsair"});
  // In mid-screen, where a window centred on it has room on every side.
  principal.move(tela->availableGeometry().center() - principal.frameGeometry().center() +
                 principal.frameGeometry().topLeft());

  TelaQt tela_(&principal, pasta.caminho(), dialogos);
  tela_.MostraProgresso();
  JanelaProgresso* progresso = tela_.progresso();
  ConfereNaTela(progresso);
  EXPECT_EQ(progresso->parentWidget(), &principal);
  EXPECT_LE(
      (progresso->frameGeometry().center() - principal.frameGeometry().center()).manhattanLength(),
      4);
  EXPECT_GE(progresso->width(),
            progresso->fontMetrics().horizontalAdvance(progresso->windowTitle()));
  tela_.EscondeProgresso();

  Controle<QLineEdit>(&principal, "NomeArq")
      ->setText(QString::fromLatin1(ROLVAL_FONTE "/samples/rol05-com-erros.txt"));
  principal.BValidar_Click();
  Saida* saida = principal.tela()->saida();
  ASSERT_NE(saida, nullptr);
  EXPECT_EQ(saida->parentWidget(), &principal);
  EXPECT_TRUE(saida->isEnabled());
  EXPECT_FALSE(principal.isEnabled());
  saida->MostraAchado(0);  // with the record view open too
  QCoreApplication::processEvents();
  ConfereNaTela(saida, {"BImprimir", "BFechar", "BSalvar"});
}

}  // namespace
}  // namespace rolval::teste
