// The work folder: the executable's folder when it is writable, else the user's data folder; and
// the main window when no folder can be written.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <filesystem>

#include "shell/PastaTrabalho.h"
#include "shell/Principal.h"
#include "tests/shell/ApoioJanelas.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {
namespace {

namespace fs = std::filesystem;

class PastaDeTrabalho : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(pasta / "programa");
    // A plain file where a folder is expected: nothing can be created under it, not even by root.
    EscreveArquivo(pasta / "arquivo", "x");
  }
  std::string Texto(const char* nome) { return (pasta / nome).string(); }
  PastaTemporaria pasta;
};

TEST_F(PastaDeTrabalho, GravavelSoOndeUmArquivoPodeSerCriado) {
  EXPECT_TRUE(PastaGravavel(pasta / "programa"));
  EXPECT_TRUE(fs::is_empty(pasta / "programa"));  // the probe leaves nothing behind
  EXPECT_FALSE(PastaGravavel(pasta / "arquivo"));
  EXPECT_FALSE(PastaGravavel(pasta / "inexistente"));
  EXPECT_FALSE(PastaGravavel(fs::path()));
}

TEST_F(PastaDeTrabalho, EscolheAPastaDoProgramaQuandoGravavel) {
  EXPECT_EQ(EscolhePastaTrabalho(pasta / "programa", Texto("xdg").c_str(), Texto("casa").c_str()),
            pasta / "programa");
  EXPECT_FALSE(fs::exists(pasta / "xdg"));
}

TEST_F(PastaDeTrabalho, SemGravarNaPastaDoProgramaUsaAPastaDeDadosDoUsuario) {
  const fs::path programa = pasta / "arquivo" / "bin";
  const struct {
    std::string xdg;
    bool comXdg;
    fs::path esperada;
  } casos[] = {
      {Texto("xdg"), true, pasta / "xdg" / "rolval"},
      {"", false, pasta / "casa" / ".local" / "share" / "rolval"},
      {"", true, pasta / "casa" / ".local" / "share" / "rolval"},  // empty: not set
      {"relativa/dados", true,
       pasta / "casa" / ".local" / "share" / "rolval"},  // relative: ignored
  };
  for (const auto& c : casos) {
    fs::remove_all(pasta / "xdg");
    fs::remove_all(pasta / "casa");
    const auto escolhida =
        EscolhePastaTrabalho(programa, c.comXdg ? c.xdg.c_str() : nullptr, Texto("casa").c_str());
    ASSERT_TRUE(escolhida.has_value()) << c.xdg;
    EXPECT_EQ(*escolhida, c.esperada) << c.xdg;
    EXPECT_TRUE(fs::is_directory(c.esperada)) << "created when missing: " << c.xdg;
  }
}

TEST_F(PastaDeTrabalho, NenhumaPastaGravavel) {
  const fs::path programa = pasta / "arquivo" / "bin";
  EXPECT_FALSE(EscolhePastaTrabalho(programa, Texto("arquivo").c_str(), Texto("casa").c_str()));
  EXPECT_FALSE(EscolhePastaTrabalho(programa, nullptr, Texto("arquivo").c_str()));
  EXPECT_FALSE(EscolhePastaTrabalho(programa, nullptr, nullptr));
}

TEST_F(PastaDeTrabalho, ExecucaoNaPastaDeDadosProduzORelatorioAli) {
  const auto escolhida =
      EscolhePastaTrabalho(pasta / "arquivo" / "bin", Texto("xdg").c_str(), nullptr);
  ASSERT_TRUE(escolhida.has_value());
  DialogosGravados dialogos;
  Principal principal(escolhida, dialogos);
  principal.show();
  EscreveArquivo(pasta / "nao-rol.txt", "ARQUIVO QUALQUER\r\n");
  Controle<QLineEdit>(&principal, "NomeArq")->setText(QString::fromStdString(Texto("nao-rol.txt")));
  principal.BValidar_Click();
  EXPECT_TRUE(dialogos.mensagens.empty());
  EXPECT_TRUE(fs::exists(*escolhida / NomeSaida));
  EXPECT_TRUE(fs::exists(*escolhida / NomeParam));
  QWidget* saida = JanelaVisivel(QStringLiteral("Saida"));
  ASSERT_NE(saida, nullptr);
  saida->close();
  EXPECT_FALSE(fs::exists(*escolhida / NomeSaida));
}

TEST_F(PastaDeTrabalho, SemPastaGravavelValidarAvisaEmVezDeFalharCalado) {
  DialogosGravados dialogos;
  Principal principal(std::nullopt, dialogos);
  principal.show();
  Controle<QLineEdit>(&principal, "NomeArq")->setText(QString::fromStdString(Texto("nao-rol.txt")));
  principal.BValidar_Click();
  ASSERT_EQ(dialogos.mensagens.size(), 1u);
  EXPECT_EQ(dialogos.mensagens[0].titulo, QStringLiteral("Atenção"));
  EXPECT_FALSE(JanelaCarregada(QStringLiteral("valida")));
  EXPECT_EQ(JanelaVisivel(QStringLiteral("Saida")), nullptr);
}

}  // namespace
}  // namespace rolval::teste
