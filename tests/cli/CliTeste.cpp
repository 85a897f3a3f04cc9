// rolval-cli as a script sees it: stdout, stderr, exit status and the files left in --dir.
#include <gtest/gtest.h>
#include <filesystem>

#include "tests/cli/RodaCli.h"
#include "tests/support/Apoio.h"

namespace rolval {
namespace {

using namespace teste;

TEST(Cli, ArquivoNaoReconhecidoComDir) {
  PastaTemporaria pasta;
  EscreveArquivo(pasta / "x.txt", "hello\r\n");
  const SaidaCli s = Roda("--dir " + Aspas(pasta / "trab") + " " + Aspas(pasta / "x.txt"));
  EXPECT_EQ(s.status, 1);
  const std::string esperado =
      "ENCAMINHAMOS ABAIXO OS ERROS/AVISOS ENCONTRADOS:\r\n\r\nDocumento: DESCONHECIDO\r\n" +
      std::string(73, '-') + "\r\nInscrição      Período Lin Ini Fim Descrição do Erro\r\n" +
      std::string(73, '-') + "\r\n" + std::string(15, ' ') +
      "00/0000 000 000 000 Arquivo a ser validado não é ROL\r\n";
  // stdout is UTF-8 with LF line ends; the file is Latin-1 with CR LF.
  EXPECT_EQ(ComoArquivo(s.out), L1(esperado));
  EXPECT_EQ(s.out.find('\r'), std::string::npos);
  EXPECT_EQ(LeArquivo(pasta / "trab" / "saida.txt"), L1(esperado));
  EXPECT_EQ(LeArquivo(pasta / "trab" / "param.txt"), "\r\nNOK\r\n");
  EXPECT_FALSE(std::filesystem::exists(pasta / "trab" / "aux00001.txt"));
  EXPECT_FALSE(std::filesystem::exists(pasta / "trab" / "aux00002.txt"));
}

TEST(Cli, ArquivoAusente) {
  PastaTemporaria pasta;
  const SaidaCli s = Roda("--dir " + Aspas(pasta.caminho()) + " " + Aspas(pasta / "nada.txt"));
  EXPECT_EQ(s.status, 2);
  EXPECT_EQ(s.err, "rolval-cli: " + (pasta / "nada.txt").string() +
                       ": Não foi possível localizar o arquivo especificado.\n");
  EXPECT_TRUE(s.out.empty());
  EXPECT_FALSE(std::filesystem::exists(pasta / "saida.txt"));
}

TEST(Cli, ArquivoVazio) {
  PastaTemporaria pasta;
  EscreveArquivo(pasta / "vazio.txt", "");
  const SaidaCli s = Roda(Aspas(pasta / "vazio.txt"));
  EXPECT_EQ(s.status, 2);
  EXPECT_EQ(s.err, "rolval-cli: " + (pasta / "vazio.txt").string() +
                       ": Não foi possível acessar o arquivo que você marcou para ser validado.\n");
}

TEST(Cli, RelatorioOKSaiComZero) {
  PastaTemporaria pasta;
  std::string l = "****05";
  l.resize(898, '0');
  l.replace(35, 8, "0001ABC ");
  EscreveArquivo(pasta / "f.txt", l + "\r\n");
  const SaidaCli s = Roda("--dir " + Aspas(pasta / "t") + " " + Aspas(pasta / "f.txt"));
  // Whatever the layout's own checks find, the status follows the report.
  const std::string param = LeArquivo(pasta / "t" / "param.txt");
  EXPECT_EQ(s.status, param == "\r\nOK\r\n" ? 0 : 1);
  EXPECT_NE(s.out.find("Documento: ROL05"), std::string::npos);
}

TEST(Cli, SemDirNaoDeixaPastaTemporaria) {
  PastaTemporaria pasta;
  EscreveArquivo(pasta / "x.txt", "hello\r\n");
  std::filesystem::create_directory(pasta / "tmp");
  const SaidaCli s = Roda(Aspas(pasta / "x.txt"), "TMPDIR=" + Aspas(pasta / "tmp"));
  EXPECT_EQ(s.status, 1);
  EXPECT_TRUE(std::filesystem::is_empty(pasta / "tmp"));
}

TEST(Cli, UsoAjudaEVersao) {
  EXPECT_EQ(Roda("").status, 64);
  EXPECT_EQ(Roda("--bogus x").status, 64);
  EXPECT_EQ(Roda("--dir").status, 64);
  const SaidaCli ajuda = Roda("--help");
  EXPECT_EQ(ajuda.status, 0);
  EXPECT_NE(ajuda.out.find("Usage: rolval-cli"), std::string::npos);
  const SaidaCli versao = Roda("--version");
  EXPECT_EQ(versao.status, 0);
  EXPECT_EQ(versao.out.rfind("rolval-cli ", 0), 0u);
}

}  // namespace
}  // namespace rolval
