// rolval-cli run as a process where things go wrong around the runs: a report folder whose earlier
// pair cannot be left, folders whose entries cannot be examined, limits of the system, names that
// could forge a line, streams without end and the batch's kept reports.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/RodaCli.h"

namespace rolval {
namespace {

using namespace teste;
namespace fs = std::filesystem;

const fs::path Amostras = fs::path(ROLVAL_FONTES) / "samples";
const std::string Limpo = (Amostras / "rol03-limpo.txt").string();
const std::string ComErros = (Amostras / "rol05-com-erros.txt").string();

// A temporary folder anyone may enter, for runs made without privileges.
struct PastaAberta : PastaTemporaria {
  PastaAberta() { fs::permissions(caminho(), fs::perms::all); }
};

bool SemRoot() { return ::geteuid() != 0; }

bool Contem(const std::string& texto, const std::string& parte) {
  return texto.find(parte) != std::string::npos;
}

std::vector<std::string> Linhas(const std::string& texto) {
  std::vector<std::string> linhas;
  std::istringstream in(texto);
  for (std::string l; std::getline(in, l);) linhas.push_back(l);
  return linhas;
}

// A run that ends without a report takes the earlier run's OK pair away, or says it could not.
TEST(RelatorioAnterior, RetiradoOuDitoEmTodoFimSemRelatorio) {
  if (SemRoot()) GTEST_SKIP() << "the folder modes and owners below need root";
  struct Caso {
    const char* nome;
    std::vector<std::string> args;  // after --dir DIR
    std::optional<std::string> entrada;
    fs::perms modo;  // of the report folder after the first run
    bool semPrivilegios;
    bool retirado;  // else: a message says the pair is not this run's
  };
  const std::string folha(3000, 'x');
  const Caso casos[] = {
      {"a folder given as the file", {"PASTA"}, {}, fs::perms::owner_all, false, true},
      {"a missing file", {"ausente.txt"}, {}, fs::perms::owner_all, false, true},
      {"a stream past its limit",
       {"--stream-limit=1K", "-"},
       folha,
       fs::perms::owner_all,
       false,
       true},
      {"a folder that may not be listed",
       {"ausente.txt"},
       {},
       fs::perms::owner_write | fs::perms::owner_exec | fs::perms::others_write |
           fs::perms::others_exec,
       true,
       true},
      {"a sticky folder with another user's pair",
       {"ausente.txt"},
       {},
       fs::perms::all | fs::perms::sticky_bit,
       true,
       false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    PastaAberta pasta;
    const fs::path rel = pasta / "rel";
    ASSERT_EQ(Executa({{"--dir", rel.string(), Limpo}}).Status(), 0);
    ASSERT_EQ(LeArquivo(rel / "param.txt"), "\r\nOK\r\n");
    fs::create_directory(pasta / "PASTA");
    fs::permissions(rel, c.modo);
    Chamada ch({"--dir", rel.string()}, {}, pasta.caminho());
    ch.args.insert(ch.args.end(), c.args.begin(), c.args.end());
    ch.entrada = c.entrada;
    ch.semPrivilegios = c.semPrivilegios;
    const Fim f = Executa(ch);
    fs::permissions(rel, fs::perms::owner_all);
    EXPECT_EQ(f.Status(), 2) << f.err;
    EXPECT_EQ(fs::exists(rel / "saida.txt"), !c.retirado);
    EXPECT_EQ(fs::exists(rel / "param.txt"), !c.retirado);
    EXPECT_EQ(Contem(f.err, "não são desta validação"), !c.retirado) << f.err;
  }
}

// With -r, an entry that cannot be examined and a run that finds nothing to validate are failures.
TEST(Recursivo, EntradaInexaminavelOuNadaValidado) {
  if (SemRoot()) GTEST_SKIP() << "a folder closed to the run needs another user";
  struct Caso {
    const char* nome;
    void (*monta)(const fs::path& raiz);
    const char* mensagem;
    bool validouAlgum;
  };
  const Caso casos[] = {
      {"a subfolder that may be listed but not searched",
       [](const fs::path& raiz) {
         fs::copy_file(Limpo, raiz / "a.txt");
         fs::create_directory(raiz / "fechada");
         fs::copy_file(ComErros, raiz / "fechada" / "ruim.txt");
         fs::permissions(raiz / "fechada", fs::perms::owner_read | fs::perms::others_read);
       },
       "ruim.txt: cannot be examined: Permission denied", true},
      {"an empty folder", [](const fs::path&) {}, "no file to validate", false},
      {"only a link and a FIFO",
       [](const fs::path& raiz) {
         fs::create_symlink(Limpo, raiz / "ligacao.txt");
         ::mkfifo((raiz / "fifo").c_str(), 0644);
       },
       "no file to validate", false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    PastaAberta pasta;
    const fs::path raiz = pasta / "raiz";
    fs::create_directory(raiz);
    fs::permissions(raiz, fs::perms::all);
    c.monta(raiz);
    Chamada ch({"-r", "--summary", raiz.string()});
    ch.semPrivilegios = true;
    const Fim f = Executa(ch);
    std::error_code e;  // the folder closed to the run, where there is one
    fs::permissions(raiz / "fechada", fs::perms::owner_all, fs::perm_options::add, e);
    EXPECT_EQ(f.Status(), 2);
    EXPECT_TRUE(Contem(f.err, c.mensagem)) << f.err;
    EXPECT_EQ(Contem(f.out, "\tOK\t"), c.validouAlgum) << f.out;
  }
}

// Limits of the system end in a message and a status, never in an abort or a silent signal.
TEST(LimitesDoSistema, SemAbortoNemSinal) {
  if (SemRoot()) GTEST_SKIP() << "a process limit binds only a user other than root";
  PastaAberta pasta;
  const std::string arquivos = Aspas(Limpo) + " " + Aspas(ComErros) + " " + Aspas(Limpo);
  // A report of more than the 1 KiB the limit below lets a file reach.
  std::string seis;
  for (int i = 0; i < 6; ++i) seis += LeArquivo(ComErros);
  EscreveArquivo(pasta / "seis.txt", seis);
  const std::string grande = Aspas(pasta / "seis.txt");
  struct Caso {
    const char* nome;
    std::string linha;
    int status;
    const char* mensagem;  // in stderr; empty: none
    int linhasSaida;       // of stdout; -1: not counted
  };
  const Caso casos[] = {
      // Two processes: the program and one worker; the other fifteen cannot start.
      {"few processes", "ulimit -u 2; exec \"$ROLVAL_CLI\" -j 16 --summary " + arquivos, 1, "", 4},
      {"a file-size limit on the output", "ulimit -f 1; exec \"$ROLVAL_CLI\" -q " + grande, 2,
       "write error: File too large", -1},
      {"a file-size limit on the report folder",
       "ulimit -f 1; exec \"$ROLVAL_CLI\" -q --dir " + Aspas(pasta / "rel") + " " + grande +
           " >/dev/null",
       2, "File too large", 0},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    Chamada ch;
    ch.bash = c.linha;
    ch.pasta = pasta.caminho();
    ch.semPrivilegios = true;
    const Fim f = Executa(ch);
    EXPECT_EQ(f.Sinal(), 0);
    EXPECT_EQ(f.Status(), c.status) << f.err;
    EXPECT_TRUE(Contem(f.err, c.mensagem)) << f.err;
    if (c.linhasSaida >= 0) {
      EXPECT_EQ(Linhas(f.out).size(), std::size_t(c.linhasSaida)) << f.out;
    }
  }
  EXPECT_FALSE(fs::exists(pasta / "rel" / "saida.txt"));
}

// Names that hold a tab or a line end cannot forge a line of the summary or a header; JSON Lines
// keep apart a Latin-1 name and its UTF-8 look-alike.
TEST(NomesNaSaida, EscapadosEFieis) {
  PastaTemporaria pasta;
  const std::string mau = "mau\tROL05\tOK\t1\t0\nx.txt";
  for (const char* nome : {"mau\tROL05\tOK\t1\t0\nx.txt", "caf\xe9.txt", "café.txt"})
    fs::copy_file(ComErros, pasta / nome);
  const std::string escapado = "mau\\x09ROL05\\x09OK\\x091\\x090\\x0Ax.txt";
  auto roda = [&](std::vector<std::string> args) {
    return Executa(Chamada(std::move(args), {}, pasta.caminho()));
  };

  const auto linhas = Linhas(roda({"-q", "--summary", mau, Limpo}).out);
  ASSERT_EQ(linhas.size(), 3u);
  EXPECT_EQ(linhas[0].substr(0, linhas[0].find('\t')), escapado);
  EXPECT_TRUE(Contem(linhas[0], "\tNOK\t"));

  const Fim texto = roda({"-q", mau, Limpo});
  EXPECT_EQ(texto.out.rfind("==> " + escapado + " <==\n", 0), 0u) << texto.out;

  const auto objetos = Linhas(roda({"--format=jsonl", "--summary", "caf\xe9.txt", "café.txt"}).out);
  ASSERT_EQ(objetos.size(), 2u);
  const auto latin1 = nlohmann::json::parse(objetos[0]), utf8 = nlohmann::json::parse(objetos[1]);
  EXPECT_EQ(latin1["file"], utf8["file"]);  // alike to people, told apart by the bytes
  EXPECT_EQ(latin1.value("file_bytes", ""), "Y2Fm6S50eHQ=");
  EXPECT_FALSE(utf8.contains("file_bytes"));
}

// Kept reports under a suffixed name say which input they belong to.
TEST(RelatoriosGuardados, NomeComSufixoDitoPorEntrada) {
  PastaTemporaria pasta;
  for (const char* sub : {"a", "b", "c"}) {
    fs::create_directory(pasta / sub);
    fs::copy_file(ComErros, pasta / sub / "rol.txt");
  }
  fs::copy_file(ComErros, pasta / "rol.txt.2");
  const Fim f = Executa({{"-q", "--dir", (pasta / "k").string(), "--summary",
                          (pasta / "a" / "rol.txt").string(), (pasta / "rol.txt.2").string(),
                          (pasta / "b" / "rol.txt").string(), (pasta / "c" / "rol.txt").string()}});
  EXPECT_EQ(f.Status(), 1);
  const std::string k = (pasta / "k").string();
  EXPECT_EQ(f.err, "rolval-cli: " + (pasta / "b" / "rol.txt").string() +
                       ": report kept as 'rol.txt.3.saida.txt' and 'rol.txt.3.param.txt'\n" +
                       "rolval-cli: " + (pasta / "c" / "rol.txt").string() +
                       ": report kept as 'rol.txt.4.saida.txt' and 'rol.txt.4.param.txt'\n");
  for (const char* nome : {"rol.txt", "rol.txt.2", "rol.txt.3", "rol.txt.4"})
    EXPECT_TRUE(fs::exists(pasta / "k" / (std::string(nome) + ".saida.txt"))) << nome;
}

// The copy of a stream stops at its limit; the option takes a size with a suffix.
TEST(CopiaDeFluxo, LimiteEOpcao) {
  const std::string amostra = LeArquivo(Limpo);
  struct Caso {
    std::string limite;
    int status;
  };
  const Caso casos[] = {
      {"--stream-limit=" + std::to_string(amostra.size()), 0},
      {"--stream-limit=" + std::to_string(amostra.size() - 1), 2},
      {"--stream-limit=1M", 0},
      {"--stream-limit=0", 64},
      {"--stream-limit=1X", 64},
      {"--stream-limit=1KB", 64},
      {"--stream-limit=99999999999T", 64},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.limite);
    Chamada ch({"-q", c.limite, "-"});
    ch.entrada = amostra;
    const Fim f = Executa(ch);
    EXPECT_EQ(f.Status(), c.status) << f.err;
    if (c.status == 2) {
      EXPECT_EQ(f.err, "rolval-cli: -: is a stream longer than " +
                           std::to_string(amostra.size() - 1) +
                           " bytes; --stream-limit lets longer ones be copied\n");
    }
  }
}

// Messages name the cause: a name too long, a folder the report may not be published in.
TEST(Mensagens, NomeiamACausa) {
  if (SemRoot()) GTEST_SKIP() << "a folder closed to the run needs another user";
  PastaAberta pasta;
  fs::create_directory(pasta / "rel");
  fs::permissions(pasta / "rel",
                  fs::perms::owner_all | fs::perms::others_write | fs::perms::others_exec);
  const std::string longo = (pasta / std::string(300, 'a')).string();
  struct Caso {
    const char* nome;
    std::vector<std::string> args;
    std::string mensagem;
  };
  const Caso casos[] = {
      {"a name too long", {longo}, longo + ": cannot be opened: File name too long"},
      {"a folder that may not be locked",
       {"--dir", (pasta / "rel").string(), Limpo},
       "the run ended without a report: lock " + (pasta / "rel").string() + ": Permission denied"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    Chamada ch(c.args);
    ch.semPrivilegios = true;
    const Fim f = Executa(ch);
    EXPECT_EQ(f.Status(), 2);
    EXPECT_TRUE(Contem(f.err, c.mensagem)) << f.err;
  }
}

// Hidden temporaries a killed run left in a report folder go with the next run that publishes
// there; a recent one, or one a live run holds locked, stays.
TEST(Provisorios, OrfaosDeUmaExecucaoMortaRetirados) {
  struct Caso {
    const char* nome;
    const char* arquivo;
    bool velho, travado, retirado;
  };
  const Caso casos[] = {
      {"a report's, old", ".saida.txt.0123456789abcdef", true, false, true},
      {"a kept report's, old", ".rolval-param.fedcba9876543210", true, false, true},
      {"recent", ".param.txt.0123456789abcdef", false, false, false},
      {"locked by a live run", ".saida.txt.00000000000000aa", true, true, false},
      {"not of the program", ".saida.txt.0123456789abcdeX", true, false, false},
  };
  for (const bool lote : {false, true}) {
    for (const Caso& c : casos) {
      SCOPED_TRACE(std::string(c.nome) + (lote ? ", a batch" : ", one file"));
      PastaTemporaria pasta;
      const fs::path rel = pasta / "rel", orfao = rel / c.arquivo;
      fs::create_directory(rel);
      EscreveArquivo(orfao, "meio relatório");
      if (c.velho) fs::last_write_time(orfao, fs::last_write_time(orfao) - std::chrono::hours(1));
      const int fd = ::open(orfao.c_str(), O_RDONLY);
      if (c.travado) ::flock(fd, LOCK_EX);
      std::vector<std::string> args{"-q", "--dir", rel.string(), Limpo};
      if (lote) args.push_back(ComErros);
      const Fim f = Executa(Chamada(args));
      ::close(fd);
      EXPECT_EQ(f.Status(), lote ? 1 : 0) << f.err;
      EXPECT_EQ(fs::exists(orfao), !c.retirado);
    }
  }
}

// A slow first file (a FIFO fed late) does not let the results behind it pile up: each result of
// a file with many findings holds its JSON lines in a work file past 512 KiB, and with few
// descriptors every file still gets its report.
TEST(Janela, ArquivoLentoNaFrenteComPoucosDescritores) {
  PastaTemporaria pasta;
  const char* build = std::getenv("ROLVAL_BUILD");
  const fs::path gerador =
      (build != nullptr ? fs::path(build) : fs::path(ROLVAL_CLI).parent_path().parent_path()) /
      "tools" / "rolval-amostras";
  std::string comando = Aspas(gerador) + " --layout 03 --returns 3000";
  for (int r = 1; r <= 3000; ++r) comando += " --spoil digito:" + std::to_string(r);
  ASSERT_EQ(std::system((comando + " -o " + Aspas(pasta / "muitos.txt")).c_str()), 0);
  std::string lista = "fifo\n";
  for (int i = 0; i < 80; ++i) lista += "muitos.txt\n";
  EscreveArquivo(pasta / "lista", lista);
  ::mkfifo((pasta / "fifo").c_str(), 0600);
  Chamada ch;
  ch.pasta = pasta.caminho();
  ch.bash = "ulimit -n 40; (sleep 3; cat " + Aspas(Limpo) +
            " > fifo) & exec \"$ROLVAL_CLI\" -q -j2 --format=jsonl --summary --files-from lista";
  const Fim f = Executa(ch);
  EXPECT_EQ(f.Status(), 1) << f.err;
  EXPECT_EQ(f.err, "");
  std::size_t nok = 0;
  for (const auto& linha : Linhas(f.out)) nok += nlohmann::json::parse(linha)["status"] == "NOK";
  EXPECT_EQ(Linhas(f.out).size(), 81u);
  EXPECT_EQ(nok, 80u);
}

// Each kept or published report is synced before it is put in place, and its folder after;
// --no-sync syncs nothing. Counted with strace, where there is one.
TEST(Sincronia, RelatoriosNoDiscoAntesDoNome) {
  if (std::system("strace -V >/dev/null 2>&1") != 0) GTEST_SKIP() << "no strace";
  struct Caso {
    const char* nome;
    std::string args;
    int fsyncs;
  };
  const std::string dois = Aspas(Limpo) + " " + Aspas(ComErros);
  const Caso casos[] = {
      {"one file: saida.txt, param.txt, the folder", Aspas(Limpo), 3},
      {"two kept: two files and the folder each", dois, 6},
      {"one file, --no-sync", "--no-sync " + Aspas(Limpo), 0},
      {"two kept, --no-sync", "--no-sync " + dois, 0},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    PastaTemporaria pasta;
    Chamada ch;
    // LeakSanitizer cannot run under ptrace: leak checking is off for the traced program.
    ch.bash =
        "ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0\" "
        "strace -f -qq -e trace=fsync -o " +
        Aspas(pasta / "chamadas") + " \"$ROLVAL_CLI\" -q --dir " + Aspas(pasta / "rel") + " " +
        c.args + " >/dev/null";
    const Fim f = Executa(ch);
    EXPECT_LE(f.Status(), 1) << f.err;
    const auto chamadas = Linhas(LeArquivo(pasta / "chamadas"));
    EXPECT_EQ(
        std::count_if(chamadas.begin(), chamadas.end(),
                      [](const std::string& l) { return Contem(l, "fsync(") && Contem(l, "= 0"); }),
        c.fsyncs)
        << LeArquivo(pasta / "chamadas");
  }
}

}  // namespace
}  // namespace rolval
