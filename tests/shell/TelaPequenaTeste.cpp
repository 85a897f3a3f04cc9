// Every window and dialog fits the screen it opens on, title bar and buttons included, the run's
// windows open over the main window, and the output window's counts stay in sight. ctest runs
// these once more at scale factor 2 on screens of 1280x800, 1366x768 and 1024x600
// (shell_tela_*_escala2), where a window sized for a large screen would not fit.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>

#include "shell/Ajuda.h"
#include "shell/Dialogos.h"
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
    // The small screen is really in use: ROLVAL_TELA pixels, half as many for the windows.
    EXPECT_EQ(tela->devicePixelRatio(), 2.0);
    const QStringList pixels = qEnvironmentVariable("ROLVAL_TELA").split(QLatin1Char('x'));
    ASSERT_EQ(pixels.size(), 2);
    EXPECT_EQ(tela->geometry().size(), QSize(pixels[0].toInt(), pixels[1].toInt()) / 2);
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
  ConfereNaTela(saida, {"BImprimir", "BFechar", "BSalvar", "BVisualizar", "lblResumo"});
  // The counts whole, however narrow the window.
  const QLabel* resumo = Controle<QLabel>(saida, "lblResumo");
  EXPECT_GE(resumo->width(), resumo->sizeHint().width()) << resumo->text().toStdString();

  // The help window and the dialogs, over the output window.
  JanelaAjuda* ajuda = MostraAjuda(saida, nullptr);
  ConfereNaTela(ajuda);
  ajuda->close();
  const auto salvar =
      CriaDialogoSalvar(saida, QStringLiteral("Salvar relatório como"),
                        QStringLiteral("/tmp/rol.saida.txt"), QStringLiteral("Relatório (*.txt)"));
  salvar->show();
  ConfereNaTela(salvar.get());
  salvar->close();
  QPrinter impressora;
  const auto visualizacao = CriaVisualizacao(impressora, saida, [](QPrinter&) {});
  visualizacao->show();
  ConfereNaTela(visualizacao.get());
  visualizacao->close();
}

}  // namespace
}  // namespace rolval::teste
