// The work folder: the executable's folder when it is writable, else the user's data folder; and
// the main window when no folder can be written.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <unistd.h>

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

TEST_F(PastaDeTrabalho, ProgramaInstaladoNuncaGravaNaPropriaPasta) {
  // An install prefix root (or the user) can write to: the menu entry beside it marks it installed.
  const fs::path bin = pasta / "prefixo" / "bin";
  fs::create_directories(bin);
  fs::create_directories(pasta / "prefixo" / "share" / "applications");
  EscreveArquivo(pasta / "prefixo" / "share" / "applications" / "rolval.desktop",
                 "[Desktop Entry]\n");
  fs::create_directories(pasta / "alheia");
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown((pasta / "alheia").c_str(), 65534, 65534), 0);
  }
  const struct {
    fs::path programa;
    bool instalado;
  } casos[] = {
      {bin, true},
      {"/usr/bin", true},
      {"/opt/rolval/bin", true},
      {pasta / "alheia", root},  // another user's folder: an installation, even when writable
      {pasta / "programa", false},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(ProgramaInstalado(c.programa), c.instalado) << c.programa;
    if (!c.instalado) continue;
    fs::remove_all(pasta / "xdg");
    EXPECT_EQ(EscolhePastaTrabalho(c.programa, Texto("xdg").c_str(), nullptr),
              pasta / "xdg" / "rolval")
        << c.programa;
  }

  // A whole run of the installed program leaves nothing in its folder.
  DialogosGravados dialogos;
  Principal principal(EscolhePastaTrabalho(bin, Texto("xdg").c_str(), nullptr), dialogos);
  principal.show();
  EscreveArquivo(pasta / "nao-rol.txt", "ARQUIVO QUALQUER\r\n");
  Controle<QLineEdit>(&principal, "NomeArq")->setText(QString::fromStdString(Texto("nao-rol.txt")));
  principal.BValidar_Click();
  ASSERT_NE(JanelaVisivel(QStringLiteral("Saida")), nullptr);
  EXPECT_TRUE(fs::exists(pasta / "xdg" / "rolval" / NomeParam));
  EXPECT_TRUE(fs::is_empty(bin));
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
