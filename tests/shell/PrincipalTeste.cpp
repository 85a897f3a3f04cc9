// The main window: its controls, Validar with and without a path, the open dialog and Sair.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <functional>

#include "VersaoPrograma.h"
#include "run/Execucao.h"
#include "shell/Principal.h"
#include "shell/Saida.h"
#include "shell/TelaQt.h"
#include "tests/shell/ApoioJanelas.h"
#include "tests/shell/ComPrincipal.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {
namespace {

class JanelaPrincipal : public ComPrincipal {
 protected:
  QLineEdit* NomeArq() { return Controle<QLineEdit>(principal.get(), "NomeArq"); }
  QPushButton* Botao(const char* nome) { return Controle<QPushButton>(principal.get(), nome); }
  QAction* Menu(const char* nome) { return Controle<QAction>(principal.get(), nome); }
  bool ArquivoNaPasta(const char* nome) { return std::filesystem::exists(pasta / nome); }
};

TEST_F(JanelaPrincipal, MostraCadaControleComSuaLegenda) {
  EXPECT_EQ(principal->windowTitle(), QStringLiteral("Programa de Validação de Documentos"));
  const struct {
    const char* controle;
    QString legenda;
  } rotulos[] = {
      {"Label1", QStringLiteral("Programa de Validação de Documentos")},
      {"Label4", QStringLiteral("Versão:")},
      {"lblVersao", QString::fromLatin1(VersaoTexto)},
      {"Label6", QStringLiteral("Ar&quivo a Validar:")},
  };
  for (const auto& r : rotulos) {
    QLabel* rotulo = Controle<QLabel>(principal.get(), r.controle);
    ASSERT_NE(rotulo, nullptr) << r.controle;
    EXPECT_EQ(rotulo->text(), r.legenda) << r.controle;
  }
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$"))
                  .match(Controle<QLabel>(principal.get(), "lblVersao")->text())
                  .hasMatch());
  // The access key of the caption takes the user to the path box.
  EXPECT_EQ(Controle<QLabel>(principal.get(), "Label6")->buddy(), NomeArq());

  const struct {
    const char* controle;
    QString legenda;
  } botoes[] = {{"BAbrir", QStringLiteral("...")},
                {"BValidar", QStringLiteral("&Validar")},
                {"Bsair", QStringLiteral("Sai&r")}};
  for (const auto& b : botoes) {
    ASSERT_NE(Botao(b.controle), nullptr) << b.controle;
    EXPECT_EQ(Botao(b.controle)->text(), b.legenda) << b.controle;
  }
  EXPECT_TRUE(Controle<QLabel>(principal.get(), "Label1")->font().bold());
  EXPECT_TRUE(Botao("BAbrir")->font().bold());
  ASSERT_NE(NomeArq(), nullptr);
  EXPECT_TRUE(NomeArq()->text().isEmpty());

  QMenu* mnuarq = Controle<QMenu>(principal.get(), "mnuarq");
  ASSERT_NE(mnuarq, nullptr);
  EXPECT_EQ(mnuarq->title(), QStringLiteral("&Arquivo"));
  // The four entries in their order; the recent files' submenu comes right after Abrir.
  const QList<QAction*> entradas = mnuarq->actions();
  ASSERT_EQ(entradas.size(), 5);
  EXPECT_EQ(entradas[0]->objectName(), QStringLiteral("mnuarqabr"));
  EXPECT_EQ(entradas[0]->text(), QStringLiteral("&Abrir"));
  EXPECT_EQ(entradas[1]->menu<QMenu*>(), Controle<QMenu>(principal.get(), "mnuarqrec"));
  EXPECT_EQ(entradas[2]->objectName(), QStringLiteral("mnuarqval"));
  EXPECT_EQ(entradas[2]->text(), QStringLiteral("&Validar"));
  EXPECT_EQ(entradas[3]->objectName(), QStringLiteral("arqlinha"));
  EXPECT_TRUE(entradas[3]->isSeparator());
  EXPECT_EQ(entradas[4]->objectName(), QStringLiteral("mnuarqsai"));
  EXPECT_EQ(entradas[4]->text(), QStringLiteral("Sai&r"));
}

// Validar from the button and from the menu behave alike.
using Comando = std::pair<const char*, std::function<void(Principal*)>>;
const std::vector<Comando>& ComandosValidar() {
  static const std::vector<Comando> comandos = {
      {"BValidar",
       [](Principal* p) {
         QTest::mouseClick(Controle<QPushButton>(p, "BValidar"), Qt::LeftButton);
       }},
      {"mnuarqval", [](Principal* p) { Controle<QAction>(p, "mnuarqval")->trigger(); }},
  };
  return comandos;
}

TEST_F(JanelaPrincipal, ValidarSemCaminhoAvisaENaoComecaExecucao) {
  for (const auto& [nome, validar] : ComandosValidar()) {
    dialogos.mensagens.clear();
    validar(principal.get());
    ASSERT_EQ(dialogos.mensagens.size(), 1u) << nome;
    EXPECT_EQ(dialogos.mensagens[0].texto,
              QStringLiteral("Você precisa informar o nome do arquivo a Validar"))
        << nome;
    EXPECT_EQ(dialogos.mensagens[0].titulo, QStringLiteral("Informação")) << nome;
    EXPECT_EQ(dialogos.mensagens[0].icone, IconeMensagem::Nenhum) << nome;
    // Nothing was started: no window came up.
    EXPECT_FALSE(JanelaCarregada(QStringLiteral("valida"))) << nome;
    EXPECT_EQ(JanelaVisivel(QStringLiteral("Saida")), nullptr) << nome;
    EXPECT_TRUE(principal->isEnabled()) << nome;
  }
}

TEST_F(JanelaPrincipal, CaminhoEmBrancoComecaExecucao) {
  for (const auto& [nome, validar] : ComandosValidar()) {
    dialogos.mensagens.clear();
    NomeArq()->setText(QStringLiteral("   "));
    validar(principal.get());
    // The run started, then found no file of that name.
    ASSERT_EQ(dialogos.mensagens.size(), 1u) << nome;
    EXPECT_EQ(dialogos.mensagens[0].texto,
              QStringLiteral("Não foi possível localizar o arquivo especificado."))
        << nome;
    EXPECT_EQ(dialogos.mensagens[0].titulo, QStringLiteral("Atenção")) << nome;
    EXPECT_EQ(dialogos.mensagens[0].icone, IconeMensagem::Informacao) << nome;
    EXPECT_FALSE(ArquivoNaPasta(NomeSaida)) << nome;
    EXPECT_FALSE(JanelaCarregada(QStringLiteral("valida"))) << nome;
    EXPECT_EQ(JanelaVisivel(QStringLiteral("Saida")), nullptr) << nome;
    EXPECT_TRUE(principal->isEnabled()) << nome;
  }
}

TEST_F(JanelaPrincipal, DialogoAbrirSoTrocaOCaminhoQuandoDevolveUmNome) {
  const struct {
    const char* comando;
    QString resposta;
    QString esperado;
  } casos[] = {
      {"BAbrir", QString(), QStringLiteral("digitado.txt")},
      {"BAbrir", QStringLiteral("/dados/rol.txt"), QStringLiteral("/dados/rol.txt")},
      {"mnuarqabr", QString(), QStringLiteral("digitado.txt")},
      {"mnuarqabr", QStringLiteral("/dados/outro"), QStringLiteral("/dados/outro")},
  };
  for (const auto& c : casos) {
    NomeArq()->setText(QStringLiteral("digitado.txt"));
    dialogos.respostaArquivo = c.resposta;
    const int antes = dialogos.perguntasArquivo;
    if (QString::fromLatin1(c.comando) == QStringLiteral("BAbrir"))
      QTest::mouseClick(Botao("BAbrir"), Qt::LeftButton);
    else
      Menu("mnuarqabr")->trigger();
    EXPECT_EQ(dialogos.perguntasArquivo, antes + 1) << c.comando;
    EXPECT_EQ(NomeArq()->text(), c.esperado) << c.comando;
    EXPECT_TRUE(dialogos.mensagens.empty());
  }
}

TEST(CaminhoColado, AspasEUriFileDaoOCaminho) {
  const struct {
    const char* colado;
    const char* caminho;
  } casos[] = {
      {"/dados/rol 05.txt", "/dados/rol 05.txt"},
      {"\"/dados/rol 05.txt\"", "/dados/rol 05.txt"},
      {"  '/dados/rol.txt'  ", "/dados/rol.txt"},
      {"file:///dados/rol%2005.txt", "/dados/rol 05.txt"},
      {"\"file:///dados/a%C3%A7%C3%A3o.txt\"", "/dados/ação.txt"},
      {"FILE:///dados/rol.txt", "/dados/rol.txt"},
      {"rol.txt  ", "rol.txt  "},                // blanks after a plain path are the run's to drop
      {"\"/dados/rol.txt", "\"/dados/rol.txt"},  // one quote only: as typed
      {"\"\"", ""},
      {"http://exemplo/rol.txt", "http://exemplo/rol.txt"},
  };
  for (const auto& c : casos)
    EXPECT_EQ(CaminhoColado(QString::fromUtf8(c.colado)), QString::fromUtf8(c.caminho)) << c.colado;
}

TEST_F(JanelaPrincipal, CaminhoColadoComoUriEValidado) {
  EscreveArquivo(pasta / "colado 1.txt", "ARQUIVO QUALQUER\r\n");
  const QString caminho = QString::fromStdString((pasta / "colado 1.txt").string());
  NomeArq()->setText(QUrl::fromLocalFile(caminho).toString());
  Botao("BValidar")->click();
  EXPECT_EQ(NomeArq()->text(), caminho);
  ASSERT_NE(principal->tela()->saida(), nullptr);
  EXPECT_TRUE(principal->tela()->saida()->windowTitle().endsWith(QStringLiteral("colado 1.txt")));
  principal->tela()->saida()->close();
}

TEST_F(JanelaPrincipal, SairFechaAsJanelasEPedeOFimDoPrograma) {
  for (const char* comando : {"Bsair", "mnuarqsai"}) {
    principal->show();
    QSignalSpy pedidos(principal.get(), &Principal::EncerramentoPedido);
    if (QString::fromLatin1(comando) == QStringLiteral("Bsair"))
      QTest::mouseClick(Botao("Bsair"), Qt::LeftButton);
    else
      Menu("mnuarqsai")->trigger();
    EXPECT_EQ(pedidos.count(), 1) << comando;
    EXPECT_FALSE(principal->isVisible()) << comando;
  }
}

}  // namespace
}  // namespace rolval::teste
