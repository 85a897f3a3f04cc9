// rolval-cli by the conventions of Unix tools: options as getopt_long reads them, messages named
// by program and file, and the ways of giving files (standard input, a pipe, a list, a folder).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "layouts/Dicas.h"
#include "tests/cli/RodaCli.h"

namespace rolval {
namespace {

using namespace teste;
namespace fs = std::filesystem;

const fs::path Amostras = fs::path(ROLVAL_FONTES) / "samples";

TEST(Convencoes, OpcoesEMensagens) {
  PastaTemporaria pasta;
  const std::string f = Aspas(Amostras / "rol03-com-erros.txt");
  const std::string relatorio = Roda(f).out;
  fs::copy_file(Amostras / "rol03-com-erros.txt", pasta / "-f");
  struct Caso {
    const char* nome;
    std::string args;
    int status;
    std::string out;  // stdout, or its start when it ends with "..."
    std::string err;
  };
  const std::string uso = "\nTry 'rolval-cli --help'.\n";
  const Caso casos[] = {
      {"-j4 as -j 4", "-j4 " + f, 1, relatorio, ""},
      {"--jobs=4", "--jobs=4 " + f, 1, relatorio, ""},
      {"options after the file", f + " -j 2", 1, relatorio, ""},
      {"-- ends the options", "-- -f", 1, relatorio, ""},
      {"--help wins over an unknown option", "--help --bogus", 0, "Usage: rolval-cli ...", ""},
      {"--help after an unknown option", "--bogus -h", 0, "Usage: rolval-cli ...", ""},
      {"--version wins over a missing value", "--version --dir", 0, "rolval-cli ...", ""},
      {"unknown option", "--bogus " + f, 64, "",
       "rolval-cli: unknown or ambiguous option '--bogus'" + uso},
      {"unknown letter", "-x " + f, 64, "", "rolval-cli: unknown option '-x'" + uso},
      {"missing value", f + " -j", 64, "", "rolval-cli: option '--jobs' needs a value" + uso},
      {"value not taken", "--summary=1 " + f, 64, "",
       "rolval-cli: option '--summary' takes no value" + uso},
      {"--null without a list", "-0 " + f, 64, "",
       "rolval-cli: option '--null' goes with '--files-from'" + uso},
      {"standard input twice", "- -", 64, "",
       "rolval-cli: standard input ('-') can be read only once" + uso},
      {"a folder without -r", Aspas(pasta.caminho()), 2, "",
       "rolval-cli: " + pasta.caminho().string() +
           ": is a folder; to validate the files in it, use -r\n"},
      {"a list that cannot be read", "--files-from " + Aspas(pasta / "nada"), 2, "",
       "rolval-cli: " + (pasta / "nada").string() +
           ": cannot read the list of files: No such file or directory\n"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    const SaidaCli s = Roda(c.args, "cd " + Aspas(pasta.caminho()) + " &&");
    EXPECT_EQ(s.status, c.status);
    if (c.out.size() > 3 && c.out.compare(c.out.size() - 3, 3, "...") == 0)
      EXPECT_EQ(s.out.rfind(c.out.substr(0, c.out.size() - 3), 0), 0u) << s.out;
    else
      EXPECT_EQ(s.out, c.out);
    EXPECT_EQ(s.err, c.err);
  }
}

// The same reports whichever way the files are given.
TEST(Convencoes, ArquivosDeQualquerOrigem) {
  PastaTemporaria pasta;
  const std::string a = (Amostras / "rol03-com-erros.txt").string();
  const std::string b = (Amostras / "rol05-limpo.txt").string();
  const std::string refA = Roda(Aspas(a)).out, refB = Roda(Aspas(b)).out;
  const fs::path d = pasta / "d";
  fs::create_directories(d / "sub");
  fs::copy_file(b, d / "a.txt");
  fs::copy_file(a, d / "b.txt");
  fs::copy_file(a, d / "sub" / "c.txt");
  fs::create_symlink(b, d / "ligado.txt");
  fs::create_directory_symlink(d / "sub", d / "ligada");
  auto com = [](const std::string& nome, const std::string& ref) {
    return "==> " + nome + " <==\n" + ref;
  };
  struct Caso {
    const char* nome;
    Chamada chamada;
    std::string esperado;
  };
  Caso casos[] = {
      {"- from a pipe", Chamada{{"-"}}, refA},
      {"<(cat FILE)", Chamada{}, refA},
      {"--files-from - with -0", Chamada{{"-0", "--files-from", "-"}}, com(a, refA) + com(b, refB)},
      {"-r on a folder with links", Chamada{{"--recursive", d.string()}},
       com((d / "a.txt").string(), refB) + com((d / "b.txt").string(), refA) +
           com((d / "sub" / "c.txt").string(), refA)},
  };
  casos[0].chamada.entrada = LeArquivo(a);
  casos[1].chamada.bash = "exec \"$ROLVAL_CLI\" <(cat " + Aspas(a) + ")";
  casos[2].chamada.entrada = a + '\0' + b + '\0';
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    const Fim f = Executa(c.chamada);
    EXPECT_EQ(f.Status(), 1);
    EXPECT_EQ(f.out, c.esperado);
    EXPECT_EQ(f.err, "");
  }
  // Standard input with --dir: the report published is the run's, and no copy is left there.
  Chamada comDir{{"--dir", (pasta / "rel").string(), "-"}};
  comDir.entrada = LeArquivo(a);
  EXPECT_EQ(Executa(comDir).Status(), 1);
  EXPECT_EQ(LeArquivo(pasta / "rel" / "saida.txt"), ComoArquivo(refA));
  EXPECT_EQ(std::distance(fs::directory_iterator(pasta / "rel"), fs::directory_iterator()), 2);
}

// Hints on what may be wrong with a file whose report is not OK, after its messages, on stderr;
// standard input's copy gets them too; --quiet has none.
TEST(Convencoes, DicasNoErroPadrao) {
  PastaTemporaria pasta;
  std::string bytes = LeArquivo(Amostras / "rol03-limpo.txt");
  for (std::size_t i; (i = bytes.find("\r\n")) != std::string::npos;) bytes.erase(i, 1);
  const fs::path lf = pasta / "lf.txt";
  EscreveArquivo(lf, bytes);
  // The hints, then for a file (a stream has none to copy) the offer of a corrected copy.
  auto dicas = [&bytes](const std::string& nome) {
    std::string s;
    for (const Dica& d : DicasDoArquivo(bytes.substr(0, TamanhoInicioDicas), bytes.size()))
      s.append("rolval-cli: ").append(nome).append(": ").append(d.texto).append("\n");
    if (nome != "-")
      s.append("rolval-cli: ")
          .append(nome)
          .append(
              ": Para salvar uma cópia corrigida ao lado do arquivo e validá-la: rolval-cli --fix "
              "ARQUIVO\n");
    return s;
  };
  ASSERT_NE(dicas(lf.string()), "");
  struct Caso {
    const char* nome;
    Chamada chamada;
    std::string err;
  };
  Caso casos[] = {
      {"LF line ends", Chamada{{lf.string()}}, dicas(lf.string())},
      {"from standard input", Chamada{{"-"}}, dicas("-")},
      {"--quiet", Chamada{{"-q", lf.string()}}, ""},
      {"a clean file", Chamada{{(Amostras / "rol03-limpo.txt").string()}}, ""},
  };
  casos[1].chamada.entrada = bytes;
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    const Fim f = Executa(c.chamada);
    EXPECT_EQ(f.err, c.err);
  }
}

}  // namespace
}  // namespace rolval
