// The progress window: loaded for the run, painted while the run holds the thread (no event loop
// turns during a run, so every paint seen then was made at once), and unloaded at the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "shell/JanelaProgresso.h"
#include "shell/Principal.h"
#include "shell/TelaQt.h"
#include "tests/shell/ApoioJanelas.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {
namespace {

// Records the paints of the progress window's controls, with what they showed.
class PinturasGravadas : public QObject {
 public:
  PinturasGravadas() { qApp->installEventFilter(this); }
  ~PinturasGravadas() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (evento->type() != QEvent::Paint) return false;
    const QString nome = objeto->objectName();
    if (nome == QStringLiteral("ProgressBar1"))
      valores.push_back(static_cast<QProgressBar*>(objeto)->value());
    else if (nome == QStringLiteral("ver") || nome == QStringLiteral("contrib"))
      legendas.push_back(nome + QLatin1Char('=') + static_cast<QLabel*>(objeto)->text());
    return false;
  }
  std::vector<int> valores;
  QStringList legendas;
};

TEST(JanelaProgresso, ExecucaoPintaAJanelaSemGirarOLacoDeEventos) {
  PastaTemporaria pasta;
  DialogosGravados dialogos;
  Principal principal(pasta.caminho(), dialogos);
  principal.show();
  // Three layout-05 headers: the bar moves on every line (900 bytes is seven 128-byte blocks).
  const std::string amostra =
      LeArquivo(std::string(ROLVAL_FONTE) + "/samples/rol05-limpo.txt").substr(0, 900);
  ASSERT_EQ(amostra.substr(0, 6), "****05");
  ASSERT_EQ(amostra.substr(898), "\r\n");
  EscreveArquivo(pasta / "tres.txt", amostra + amostra + amostra);
  Controle<QLineEdit>(&principal, "NomeArq")
      ->setText(QString::fromStdString((pasta / "tres.txt").string()));

  PinturasGravadas pinturas;
  principal.BValidar_Click();  // returns when the output window is shown; no event is handled after

  // The bar as painted, each value once (a repaint of the whole window paints it again).
  std::vector<int> mostrados = pinturas.valores;
  mostrados.erase(std::unique(mostrados.begin(), mostrados.end()), mostrados.end());
  EXPECT_EQ(mostrados, (std::vector<int>{0, 50, 99, 100}));
  EXPECT_TRUE(pinturas.legendas.contains(QStringLiteral("ver=Validando ROL Versão 5")))
      << pinturas.legendas.join(QLatin1Char('|')).toStdString();
  EXPECT_FALSE(JanelaCarregada(QStringLiteral("valida")));
  EXPECT_NE(JanelaVisivel(QStringLiteral("Saida")), nullptr);
}

TEST(JanelaProgresso, LegendasEsperamABarraAndarOuOIntervaloPassar) {
  PastaTemporaria pasta;
  DialogosGravados dialogos;
  TelaQt tela(nullptr, pasta.caminho(), dialogos);
  tela.MostraProgresso();
  QWidget* valida = JanelaVisivel(QStringLiteral("valida"));
  ASSERT_NE(valida, nullptr);
  ASSERT_EQ(valida, tela.progresso());
  EXPECT_EQ(Controle<QLabel>(valida, "Label2")->text(), QStringLiteral("Contribuinte:"));
  EXPECT_EQ(Controle<QProgressBar>(valida, "ProgressBar1")->minimum(), 0);
  EXPECT_EQ(Controle<QProgressBar>(valida, "ProgressBar1")->maximum(), 100);

  PinturasGravadas pinturas;
  QLabel* contrib = Controle<QLabel>(valida, "contrib");
  QLabel* ver = Controle<QLabel>(valida, "ver");
  // A new taxpayer right after a repaint, the bar still: it waits (a run of one-line returns
  // would otherwise repaint the window on every line).
  tela.DefineContrib("123/4567890");
  tela.AtualizaProgresso();
  EXPECT_TRUE(pinturas.legendas.isEmpty());
  EXPECT_TRUE(contrib->text().isEmpty());

  tela.DefineValorProgresso(37.0f);  // the bar is painted as soon as it moves
  tela.DefineValorProgresso(37.0f);
  EXPECT_EQ(pinturas.valores, std::vector<int>{37});
  EXPECT_TRUE(pinturas.legendas.isEmpty());

  tela.AtualizaProgresso();  // the bar moved: the waiting caption is painted now
  EXPECT_TRUE(pinturas.legendas.contains(QStringLiteral("contrib=123/4567890")))
      << pinturas.legendas.join(QLatin1Char('|')).toStdString();
  const auto pintadas = pinturas.legendas.size();
  tela.AtualizaProgresso();  // nothing changed
  EXPECT_EQ(pinturas.legendas.size(), pintadas);

  tela.DefineVer("Validando ROL ST Versão 2");
  tela.AtualizaProgresso();
  EXPECT_EQ(pinturas.legendas.size(), pintadas);
  // Past the interval a changed caption is painted even with the bar still.
  std::this_thread::sleep_for(std::chrono::milliseconds(JanelaProgresso::IntervaloLegendasMs + 20));
  tela.AtualizaProgresso();
  EXPECT_TRUE(pinturas.legendas.contains(QStringLiteral("ver=Validando ROL ST Versão 2")))
      << pinturas.legendas.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(ver->text(), QStringLiteral("Validando ROL ST Versão 2"));
  EXPECT_EQ(contrib->text(), QStringLiteral("123/4567890"));

  tela.EscondeProgresso();
  EXPECT_FALSE(JanelaCarregada(QStringLiteral("valida")));
  // Calls after the window is unloaded are harmless.
  tela.DefineContrib("x");
  tela.AtualizaProgresso();
}

TEST(JanelaProgresso, NaoFechaPelaBarraDeTitulo) {
  PastaTemporaria pasta;
  DialogosGravados dialogos;
  TelaQt tela(nullptr, pasta.caminho(), dialogos);
  tela.MostraProgresso();
  QWidget* valida = tela.progresso();
  EXPECT_FALSE(valida->close());
  EXPECT_TRUE(valida->isVisible());
  tela.EscondeProgresso();
}

}  // namespace
}  // namespace rolval::teste
