// The output window's corrected copy: the button under the hints of a file a copy can mend, the
// save dialog proposing <name>-corrigido.txt beside it, the copy validated in the next window with
// what was changed said above its report, and a refusal told without a file written.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "run/Execucao.h"
#include "shell/Principal.h"
#include "shell/Saida.h"
#include "shell/TelaQt.h"
#include "tests/shell/ComPrincipal.h"

namespace rolval::teste {
namespace {

namespace fs = std::filesystem;

class CopiaCorrigidaDesktop : public ComPrincipal {
 protected:
  QString Texto(const std::string& nome) { return QString::fromStdString((pasta / nome).string()); }
  Saida* Valida(const std::string& nome, const std::string& conteudo) {
    EscreveArquivo(pasta / nome, conteudo);
    Controle<QLineEdit>(principal.get(), "NomeArq")->setText(Texto(nome));
    principal->BValidar_Click();
    return principal->tela()->saida();
  }
  static std::string Amostra() {
    return LeArquivo(fs::path(ROLVAL_FONTE) / "samples/rol05-limpo.txt");
  }
  static std::string ComLF(std::string texto) {
    for (std::size_t i = texto.find("\r\n"); i != std::string::npos; i = texto.find("\r\n", i))
      texto.erase(i, 1);
    return texto;
  }
};

TEST_F(CopiaCorrigidaDesktop, BotaoSalvaACopiaValidaEDizOQueMudou) {
  EscreveArquivo(pasta / "lf-corrigido.txt", "meu");
  Saida* saida = Valida("lf.txt", ComLF(Amostra()));
  ASSERT_NE(saida, nullptr);
  auto* botao = Controle<QPushButton>(saida, "BCorrigir");
  ASSERT_TRUE(botao->isVisible());
  dialogos.respostaSalvar = Texto("nova.txt");
  botao->click();
  ASSERT_EQ(dialogos.salvamentos.size(), 1u);
  EXPECT_EQ(dialogos.salvamentos[0].sugestao, Texto("lf-corrigido-2.txt"));  // the first is taken
  EXPECT_TRUE(LeArquivo(pasta / "nova.txt") == Amostra());
  EXPECT_EQ(LeArquivo(pasta / "lf-corrigido.txt"), "meu");

  Saida* copia = principal->tela()->saida();
  ASSERT_NE(copia, nullptr);  // the copy's window (it may be at the address of the first one)
  EXPECT_TRUE(LeArquivo(pasta / NomeSaida).starts_with("ARQUIVO OK."));
  auto* nota = Controle<QLabel>(copia, "lblCorrecao");
  EXPECT_TRUE(nota->isVisible());
  EXPECT_EQ(nota->text(),
            QStringLiteral("Relatório da cópia corrigida de lf.txt: 72 fins de linha LF trocados "
                           "por CR LF; nenhum outro byte mudou."));
  EXPECT_FALSE(Controle<QLabel>(copia, "lblDicas")->isVisible());
  EXPECT_EQ(copia->findChild<QPushButton*>(QStringLiteral("BCorrigir")), nullptr);
}

TEST_F(CopiaCorrigidaDesktop, RecusaDitaSemArquivoGravadoESemBotaoOndeNaoHaCorrecao) {
  Saida* saida = Valida("lf.txt", ComLF(Amostra()));
  ASSERT_NE(saida, nullptr);
  dialogos.respostaSalvar = Texto("lf.txt");  // the file itself: never written over
  Controle<QPushButton>(saida, "BCorrigir")->click();
  ASSERT_EQ(dialogos.mensagens.size(), 1u);
  EXPECT_TRUE(
      dialogos.mensagens[0].texto.startsWith(QStringLiteral("A cópia corrigida não foi gravada: ")))
      << dialogos.mensagens[0].texto.toStdString();
  EXPECT_EQ(principal->tela()->saida(), saida);
  EXPECT_TRUE(LeArquivo(pasta / "lf.txt") == ComLF(Amostra()));
  saida->close();

  // Records of another layout's length: a hint, but no copy could mend it.
  saida = Valida("st01.txt", std::string(754, 'x').replace(0, 6, "****05") + "\r\n");
  ASSERT_NE(saida, nullptr);
  EXPECT_TRUE(Controle<QLabel>(saida, "lblDicas")->isVisible());
  auto* botao = saida->findChild<QPushButton*>(QStringLiteral("BCorrigir"));
  EXPECT_TRUE(botao == nullptr || !botao->isVisible());
}

}  // namespace
}  // namespace rolval::teste
