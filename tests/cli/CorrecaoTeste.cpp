// rolval-cli --fix and --fix-to as a user runs them: the copy under a free name, what changed on
// standard error, the copy's report on standard output; refusals with exit status 2 and nothing
// written; a signal in the middle of the writing leaves nothing.
#include <signal.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/cli/RodaCli.h"

namespace rolval {
namespace {

using namespace teste;
namespace fs = std::filesystem;

std::set<std::string> Conteudo(const fs::path& pasta) {
  std::set<std::string> nomes;
  for (const auto& e : fs::directory_iterator(pasta)) nomes.insert(e.path().filename().string());
  return nomes;
}

std::string AmostraLimpa() {
  return LeArquivo(fs::path(ROLVAL_FONTES) / "samples/rol05-limpo.txt");
}

// The sound sample with LF line ends, repeated `vezes` times.
std::string ComLF(int vezes = 1) {
  std::string lf;
  for (const char c : AmostraLimpa())
    if (c != '\r') lf.push_back(c);
  std::string texto;
  for (int i = 0; i < vezes; ++i) texto += lf;
  return texto;
}

TEST(Correcao, CopiaSobNomeLivreEValidada) {
  PastaTemporaria pasta;
  const fs::path entrada = pasta / "rol.txt";
  EscreveArquivo(entrada, ComLF());
  EscreveArquivo(pasta / "rol-corrigido.txt", "meu");
  struct Caso {
    const char* nome;
    std::vector<std::string> args;
    fs::path copia;
  };
  const Caso casos[] = {
      {"beside the file, the first name taken",
       {"--fix", entrada.string()},
       pasta / "rol-corrigido-2.txt"},
      {"beside the file again", {entrada.string(), "--fix"}, pasta / "rol-corrigido-3.txt"},
      {"--fix-to",
       {"--fix-to=" + (pasta / "novo.txt").string(), entrada.string()},
       pasta / "novo.txt"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    const Fim f = Executa(Chamada(c.args));
    EXPECT_EQ(f.Status(), 0) << f.err;
    EXPECT_EQ(f.err, "rolval-cli: " + entrada.string() +
                         ": 72 fins de linha LF trocados por CR LF; nenhum outro byte mudou; "
                         "cópia: " +
                         c.copia.string() + "\n");
    EXPECT_EQ(f.out.rfind("ARQUIVO OK.\n", 0), 0u) << f.out;
    EXPECT_TRUE(LeArquivo(c.copia) == AmostraLimpa());
  }
  EXPECT_EQ(LeArquivo(pasta / "rol-corrigido.txt"), "meu");
  EXPECT_TRUE(LeArquivo(entrada) == ComLF());
}

TEST(Correcao, RecusasSaemComDoisENadaGravam) {
  PastaTemporaria pasta;
  const fs::path entrada = pasta / "rol.txt";
  EscreveArquivo(entrada, ComLF());
  const fs::path sao = pasta / "sao.txt";
  EscreveArquivo(sao, AmostraLimpa());
  fs::create_directories(pasta / "fechada");
  fs::permissions(pasta.caminho(), fs::perms::all);
  fs::permissions(entrada, fs::perms::all);
  using fs::perms;
  fs::permissions(pasta / "fechada", perms::owner_read | perms::owner_exec | perms::group_read |
                                         perms::group_exec | perms::others_read |
                                         perms::others_exec);
  struct Caso {
    const char* nome;
    std::vector<std::string> args;
    std::string motivo;  // what standard error holds
    bool semPrivilegios = false;
  };
  const Caso casos[] = {
      {"--fix-to an existing file",
       {"--fix-to", sao.string(), entrada.string()},
       "nenhuma cópia corrigida foi gravada: '" + sao.string() +
           "' já existe, e a cópia nunca é gravada sobre um arquivo"},
      {"--fix-to the file itself",
       {"--fix-to", entrada.string(), entrada.string()},
       "' já existe, e a cópia nunca é gravada sobre um arquivo"},
      {"nothing to correct", {"--fix", sao.string()}, "nada a corrigir"},
      {"a folder that cannot be written",
       {"--fix-to", (pasta / "fechada" / "x.txt").string(), entrada.string()},
       "Permission denied",
       true},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    Chamada ch(c.args);
    ch.semPrivilegios = c.semPrivilegios;
    const Fim f = Executa(ch);
    EXPECT_EQ(f.Status(), 2) << f.err;
    EXPECT_NE(f.err.find(c.motivo), std::string::npos) << f.err;
    EXPECT_EQ(f.out, "");
    EXPECT_EQ(Conteudo(pasta.caminho()), (std::set<std::string>{"rol.txt", "sao.txt", "fechada"}));
    EXPECT_TRUE(fs::is_empty(pasta / "fechada"));
  }
  EXPECT_TRUE(LeArquivo(entrada) == ComLF());
  EXPECT_TRUE(LeArquivo(sao) == AmostraLimpa());

  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--fix", entrada.string(), sao.string()}, {"--fix", "-"}, {"--fix", "-r", "x"}}) {
    const Fim f = Executa(Chamada(args));
    EXPECT_EQ(f.Status(), 64) << args.back();
    EXPECT_NE(f.err.find("option '--fix' takes exactly one FILE"), std::string::npos) << f.err;
  }
}

TEST(Correcao, SinalNoMeioDaEscritaNaoDeixaNada) {
  PastaTemporaria pasta;
  const fs::path entrada = pasta / "grande.txt";
  EscreveArquivo(entrada, ComLF(600));  // about 39 MB
  Processo p(Chamada({"--fix", entrada.string()}));
  // The copy is being written once its temporary file is there.
  bool escrevendo = false;
  const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!escrevendo && !p.Terminou() && std::chrono::steady_clock::now() < limite) {
    for (const std::string& nome : Conteudo(pasta.caminho()))
      escrevendo = escrevendo || nome.starts_with(".grande-corrigido.txt.");
    if (!escrevendo) std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  ASSERT_TRUE(escrevendo) << "the copy was done before it could be stopped";
  ::kill(p.pid(), SIGTERM);
  const Fim f = p.Espera();
  EXPECT_EQ(f.Sinal(), SIGTERM) << "status " << f.Status() << ": " << f.err;
  EXPECT_EQ(f.out, "");
  EXPECT_EQ(Conteudo(pasta.caminho()), std::set<std::string>{"grande.txt"});
}

}  // namespace
}  // namespace rolval
