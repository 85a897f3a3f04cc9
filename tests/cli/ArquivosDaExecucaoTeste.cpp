// rolval-cli run as a process on real files: what it leaves in the report folder and the temporary
// folder, what reaches standard output and error, how it ends on signals and on write failures,
// and what a terminal is shown.
#include <signal.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/cli/RodaCli.h"

namespace rolval {
namespace {

using namespace teste;
namespace fs = std::filesystem;

// The sample generator of this build, writing `destino`.
std::string Gera(const std::vector<std::string>& args, const fs::path& destino) {
  const char* build = std::getenv("ROLVAL_BUILD");
  const fs::path gerador = build != nullptr ? fs::path(build) / "tools" / "rolval-amostras"
                                            : fs::path(ROLVAL_CLI).parent_path().parent_path() /
                                                  "tools" / "rolval-amostras";
  std::string comando = Aspas(gerador);
  for (const auto& a : args) comando += " " + a;
  comando += " -o " + Aspas(destino);
  if (std::system(comando.c_str()) != 0)
    throw std::runtime_error("sample generator failed: " + comando);
  return destino.string();
}

// A clean layout-05 file large enough that a run on it lasts a few hundred milliseconds, made
// once for all the tests here.
const fs::path& ArquivoGrande() {
  static PastaTemporaria pasta;
  static const fs::path caminho =
      Gera({"--layout 05", "--returns 3000", "--seed 7"}, pasta / "grande.txt");
  return caminho;
}

// A small layout-03 file with a finding on each line.
std::string Defeituoso(const fs::path& destino) {
  return Gera({"--layout 03", "--returns 3", "--spoil digito:1", "--spoil numerico:2"}, destino);
}

// The names in a folder.
std::set<std::string> Conteudo(const fs::path& pasta) {
  std::set<std::string> nomes;
  for (const auto& e : fs::directory_iterator(pasta)) nomes.insert(e.path().filename().string());
  return nomes;
}

bool Ligacao(const fs::path& p) { return fs::is_symlink(fs::symlink_status(p)); }

// The report of a file as a plain run with no folder prints it (UTF-8) and the status file it has.
struct Referencia {
  std::string out;
  std::string param;
};

Referencia ReferenciaDe(const std::string& arquivo) {
  PastaTemporaria pasta;
  const Fim f = Executa({{"--dir", pasta.caminho().string(), arquivo}});
  return {f.out, LeArquivo(pasta / "param.txt")};
}

TEST(PastaDoRelatorio, LigacaoPlantadaESubstituidaNuncaSeguida) {
  struct Caso {
    const char* nome;
    bool noSaida, noParam, alvoExiste;
  };
  const Caso casos[] = {
      {"saida.txt to a file", true, false, true},
      {"param.txt to a file", false, true, true},
      {"both to files", true, true, true},
      {"both to missing files", true, true, false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    PastaTemporaria pasta;
    const std::string entrada = Defeituoso(pasta / "f.txt");
    fs::create_directory(pasta / "rel");
    const fs::path alvoSaida = pasta / "alvo-saida", alvoParam = pasta / "alvo-param";
    if (c.alvoExiste) {
      EscreveArquivo(alvoSaida, "dados do usuário 1\n");
      EscreveArquivo(alvoParam, "dados do usuário 2\n");
    }
    if (c.noSaida) fs::create_symlink(alvoSaida, pasta / "rel" / "saida.txt");
    if (c.noParam) fs::create_symlink(alvoParam, pasta / "rel" / "param.txt");
    const Fim f = Executa({{"--dir", (pasta / "rel").string(), entrada}});
    EXPECT_EQ(f.Status(), 1) << f.err;
    EXPECT_EQ(fs::exists(alvoSaida), c.alvoExiste);
    EXPECT_EQ(fs::exists(alvoParam), c.alvoExiste);
    if (c.alvoExiste) {
      EXPECT_EQ(LeArquivo(alvoSaida), "dados do usuário 1\n");
      EXPECT_EQ(LeArquivo(alvoParam), "dados do usuário 2\n");
    }
    for (const char* nome : {"saida.txt", "param.txt"}) {
      EXPECT_FALSE(Ligacao(pasta / "rel" / nome)) << nome;
      EXPECT_TRUE(fs::is_regular_file(pasta / "rel" / nome)) << nome;
    }
    EXPECT_EQ(LeArquivo(pasta / "rel" / "saida.txt"), ComoArquivo(f.out));
    EXPECT_EQ(LeArquivo(pasta / "rel" / "param.txt"), "\r\nNOK\r\n");
    EXPECT_EQ(Conteudo(pasta / "rel"), (std::set<std::string>{"param.txt", "saida.txt"}));
  }
}

TEST(PastaDoRelatorio, EntradaQueORelatorioSubstituiriaERecusada) {
  const std::string recusa =
      "O arquivo a ser validado é o saida.txt ou o param.txt da pasta do relatório e não pode ser "
      "substituído pelo relatório; copie-o para outra pasta antes de validá-lo.\n";
  struct Caso {
    const char* nome;
    const char* naPasta;  // the input's name in the report folder
    bool porLigacaoDura;  // the input given by another name of the same file
  };
  const Caso casos[] = {
      {"input is saida.txt", "saida.txt", false},
      {"input is param.txt", "param.txt", false},
      {"input is a hard link to saida.txt", "saida.txt", true},
      {"input is a hard link to param.txt", "param.txt", true},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    PastaTemporaria pasta;
    fs::create_directory(pasta / "rel");
    const fs::path naPasta = pasta / "rel" / c.naPasta;
    const std::string bytes = LeArquivo(Defeituoso(naPasta));
    const char* outro = std::string(c.naPasta) == "saida.txt" ? "param.txt" : "saida.txt";
    EscreveArquivo(pasta / "rel" / outro, "de antes\r\n");
    fs::path entrada = naPasta;
    if (c.porLigacaoDura) {
      entrada = pasta / "outro-nome.txt";
      fs::create_hard_link(naPasta, entrada);
    }
    const Fim f = Executa({{"--dir", (pasta / "rel").string(), entrada.string()}});
    EXPECT_EQ(f.Status(), 2);
    EXPECT_EQ(f.err, "rolval-cli: " + entrada.string() + ": " + recusa);
    EXPECT_EQ(f.out, "");
    EXPECT_EQ(LeArquivo(naPasta), bytes);
    EXPECT_EQ(LeArquivo(pasta / "rel" / outro), "de antes\r\n");  // nothing removed either
    EXPECT_EQ(Conteudo(pasta / "rel"), (std::set<std::string>{"param.txt", "saida.txt"}));
  }
}

// A link in the folder to the very file being validated is itself what gets replaced: the run
// goes on, and the file it read stays as it was.
TEST(PastaDoRelatorio, LigacaoParaAEntradaESubstituida) {
  PastaTemporaria pasta;
  const std::string entrada = Defeituoso(pasta / "f.txt");
  const std::string bytes = LeArquivo(entrada);
  fs::create_directory(pasta / "rel");
  fs::create_symlink(entrada, pasta / "rel" / "saida.txt");
  const Fim f = Executa({{"--dir", (pasta / "rel").string(), entrada}});
  EXPECT_EQ(f.Status(), 1) << f.err;
  EXPECT_EQ(LeArquivo(entrada), bytes);
  EXPECT_FALSE(Ligacao(pasta / "rel" / "saida.txt"));
  EXPECT_EQ(LeArquivo(pasta / "rel" / "saida.txt"), ComoArquivo(f.out));
}

TEST(RelatoriosGuardados, NomeLivreSemSobrescreverNemEntradas) {
  struct Caso {
    const char* nome;
    std::vector<std::string> doUsuario;  // files already in the folder, not inputs
    std::vector<std::string> entradas;   // inputs, in the folder
    std::vector<std::string> esperados;  // "input=>kept name" (without .saida.txt / .param.txt)
  };
  const Caso casos[] = {
      {"an input is named like the kept report of another",
       {},
       {"foo", "foo.saida.txt"},
       {"foo=>foo.2", "foo.saida.txt=>foo.saida.txt"}},
      {"the user's files hold the first names",
       {"foo.saida.txt", "foo.2.param.txt"},
       {"foo", "bar"},
       {"foo=>foo.3", "bar=>bar"}},
      {"an input holds the second suffix",
       {"foo.param.txt"},
       {"foo", "foo.2.saida.txt"},
       {"foo=>foo.3", "foo.2.saida.txt=>foo.2.saida.txt"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    PastaTemporaria pasta;
    std::map<std::string, std::string> antes;
    for (const auto& n : c.doUsuario) EscreveArquivo(pasta / n, "do usuário " + n + "\n");
    std::vector<std::string> args{"--dir", "."};
    for (const auto& n : c.entradas) {
      Defeituoso(pasta / n);
      args.push_back(n);
    }
    for (const auto& e : fs::directory_iterator(pasta.caminho()))
      antes[e.path().filename().string()] = LeArquivo(e.path());
    const Fim f = Executa({args, {}, pasta.caminho()});
    EXPECT_EQ(f.Status(), 1) << f.err;
    for (const auto& [nome, bytes] : antes) EXPECT_EQ(LeArquivo(pasta / nome), bytes) << nome;
    std::set<std::string> esperado;
    for (const auto& [nome, bytes] : antes) esperado.insert(nome);
    for (const auto& par : c.esperados) {
      const std::string entrada = par.substr(0, par.find("=>")),
                        guardado = par.substr(par.find("=>") + 2);
      esperado.insert(guardado + ".saida.txt");
      esperado.insert(guardado + ".param.txt");
      EXPECT_EQ(LeArquivo(pasta / (guardado + ".saida.txt")),
                ComoArquivo(ReferenciaDe((pasta / entrada).string()).out))
          << entrada;
      EXPECT_EQ(LeArquivo(pasta / (guardado + ".param.txt")), "\r\nNOK\r\n") << entrada;
    }
    EXPECT_EQ(Conteudo(pasta.caminho()), esperado);
  }
}

TEST(Jsonl, ArquivosDoUsuarioNaPastaIntactos) {
  const std::vector<std::string> doUsuario{"achados.jsonl", "aux00001.txt", "aux00002.txt",
                                           "relatorio.txt"};
  struct Caso {
    const char* nome;
    int arquivos;
  };
  for (const Caso c : {Caso{"one file", 1}, Caso{"two files", 2}}) {
    SCOPED_TRACE(c.nome);
    PastaTemporaria pasta;
    fs::create_directories(pasta / "rel");
    for (const auto& n : doUsuario) EscreveArquivo(pasta / "rel" / n, "{\"meu\":\"" + n + "\"}\n");
    std::vector<std::string> args{"--format", "jsonl", "--dir", (pasta / "rel").string()};
    for (int i = 0; i < c.arquivos; ++i)
      args.push_back(Defeituoso(pasta / std::string("f").append(std::to_string(i)).append(".txt")));
    const Fim f = Executa({args});
    EXPECT_EQ(f.Status(), 1) << f.err;
    for (const auto& n : doUsuario)
      EXPECT_EQ(LeArquivo(pasta / "rel" / n), "{\"meu\":\"" + n + "\"}\n") << n;
    // Two findings and a summary a file, whole lines only.
    EXPECT_EQ(std::count(f.out.begin(), f.out.end(), '\n'), 3 * c.arquivos);
    EXPECT_EQ(f.out.back(), '\n');
    EXPECT_EQ(Conteudo(pasta / "rel").size(), doUsuario.size() + 2 * c.arquivos);
  }
}

// Two runs at once on one folder, a longer clean one and a short faulty one: each prints its own
// report, and the folder ends with the report and status file of one run, never a mix.
TEST(Concorrencia, DuasExecucoesNaMesmaPasta) {
  PastaTemporaria pasta;
  const std::string limpo = Gera({"--layout 05", "--returns 1000"}, pasta / "limpo.txt");
  const std::string defeituoso = Defeituoso(pasta / "d.txt");
  const Referencia refLimpo = ReferenciaDe(limpo), refDefeituoso = ReferenciaDe(defeituoso);
  ASSERT_EQ(refLimpo.param, "\r\nOK\r\n");
  ASSERT_EQ(refDefeituoso.param, "\r\nNOK\r\n");
  const std::string rel = (pasta / "rel").string();
  for (int vez = 0; vez < 3; ++vez) {
    SCOPED_TRACE(vez);
    Processo longo({{"--dir", rel, limpo}});
    Processo curto({{"--dir", rel, defeituoso}});
    const Fim fCurto = curto.Espera();
    const Fim fLongo = longo.Espera();
    EXPECT_EQ(fLongo.Status(), 0);
    EXPECT_EQ(fCurto.Status(), 1);
    EXPECT_EQ(fLongo.out, refLimpo.out);
    EXPECT_EQ(fCurto.out, refDefeituoso.out);
    const std::string saida = LeArquivo(pasta / "rel" / "saida.txt");
    const std::string param = LeArquivo(pasta / "rel" / "param.txt");
    EXPECT_TRUE((saida == ComoArquivo(refLimpo.out) && param == refLimpo.param) ||
                (saida == ComoArquivo(refDefeituoso.out) && param == refDefeituoso.param))
        << "param.txt: " << param;
    EXPECT_EQ(Conteudo(pasta / "rel"), (std::set<std::string>{"param.txt", "saida.txt"}));
  }
}

TEST(SaidaPadrao, FalhaDeEscritaOuFluxoFechado) {
  struct Caso {
    const char* nome;
    Fluxo saida, erro;
    bool entradaFechada, ignoraSigpipe;
    int status, sinal;
    const char* mensagem;  // the start of stderr
  };
  const Caso casos[] = {
      {"stdout is /dev/full", Fluxo::Cheio, Fluxo::Arquivo, false, false, 2, 0,
       "rolval-cli: write error: No space left on device\n"},
      {"stdout closed", Fluxo::Fechado, Fluxo::Arquivo, false, false, 2, 0,
       "rolval-cli: write error: Bad file descriptor\n"},
      {"stdin and stdout closed", Fluxo::Fechado, Fluxo::Arquivo, true, false, 2, 0,
       "rolval-cli: write error: Bad file descriptor\n"},
      {"closed pipe, SIGPIPE ignored", Fluxo::CanoFechado, Fluxo::Arquivo, false, true, 2, 0,
       "rolval-cli: write error: Broken pipe\n"},
      {"closed pipe, SIGPIPE by default", Fluxo::CanoFechado, Fluxo::Arquivo, false, false, -1,
       SIGPIPE, ""},
      {"stderr closed", Fluxo::Arquivo, Fluxo::Fechado, false, false, 2, 0, ""},
      {"stdin and stderr closed", Fluxo::Arquivo, Fluxo::Fechado, true, false, 2, 0, ""},
  };
  PastaTemporaria pasta;
  const std::string um = Defeituoso(pasta / "um.txt"), dois = Defeituoso(pasta / "dois.txt");
  const std::string refUm = ReferenciaDe(um).out, refDois = ReferenciaDe(dois).out;
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    // A batch with a missing file, so that there is a message for stderr, and kept reports that
    // a closed standard stream must never be confused with.
    const fs::path rel = pasta / (std::string("rel-") + std::to_string(&c - casos));
    Chamada ch{{"--dir", rel.string(), um, (pasta / "ausente.txt").string(), dois}};
    ch.saida = c.saida;
    ch.erro = c.erro;
    ch.entradaFechada = c.entradaFechada;
    ch.ignoraSigpipe = c.ignoraSigpipe;
    const Fim f = Executa(ch);
    EXPECT_EQ(f.Status(), c.status);
    EXPECT_EQ(f.Sinal(), c.sinal);
    if (c.erro == Fluxo::Arquivo) {
      EXPECT_EQ(f.err.rfind(c.mensagem, 0), 0u) << f.err;
    }
    if (c.saida == Fluxo::Arquivo) {
      EXPECT_EQ(f.out, "==> " + um + " <==\n" + refUm + "==> " + (pasta / "ausente.txt").string() +
                           " <==\n" + "==> " + dois + " <==\n" + refDois);
    }
    // Whatever was kept is exactly a report, never the program's own text.
    for (const auto& [nome, ref] :
         {std::pair{"um.txt.saida.txt", &refUm}, std::pair{"dois.txt.saida.txt", &refDois}}) {
      if (fs::exists(rel / nome)) {
        EXPECT_EQ(LeArquivo(rel / nome), ComoArquivo(*ref)) << nome;
      }
    }
    if (c.saida == Fluxo::Arquivo) {
      EXPECT_TRUE(fs::exists(rel / "um.txt.saida.txt"));
      EXPECT_TRUE(fs::exists(rel / "dois.txt.saida.txt"));
    }
  }
}

// Waits until the process has its input open (it is reading), or has ended.
bool EsperaLeitura(Processo& p, const fs::path& entrada, long long depoisDe = 0) {
  const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < limite) {
    const auto pos = p.Posicao(fs::canonical(entrada));
    if (pos && *pos > depoisDe) return true;
    if (p.Terminou()) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return false;
}

TEST(Sinais, TerminaPeloSinalSemDeixarNada) {
  struct Caso {
    const char* nome;
    int sinal;
    bool comDir, varios;
    std::set<std::string> ficam;  // what the report folder holds afterwards
  };
  // A run of one file with a folder removes the folder's earlier report when it starts; the
  // others never touch saida.txt and param.txt.
  const Caso casos[] = {
      {"SIGTERM, one file with --dir", SIGTERM, true, false, {"meu.txt"}},
      {"SIGINT, one file without --dir",
       SIGINT,
       false,
       false,
       {"meu.txt", "param.txt", "saida.txt"}},
      {"SIGHUP, two files with --dir", SIGHUP, true, true, {"meu.txt", "param.txt", "saida.txt"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    PastaTemporaria pasta;
    fs::create_directories(pasta / "rel");
    fs::create_directories(pasta / "tmp");
    // The folder's earlier state: a report of an earlier run and a file of the user's.
    EscreveArquivo(pasta / "rel" / "saida.txt", "antes\r\n");
    EscreveArquivo(pasta / "rel" / "param.txt", "\r\nOK\r\n");
    EscreveArquivo(pasta / "rel" / "meu.txt", "meu\r\n");
    Chamada ch;
    ch.ambiente = {"TMPDIR=" + (pasta / "tmp").string()};
    if (c.comDir) ch.args = {"--dir", (pasta / "rel").string()};
    ch.args.push_back(ArquivoGrande().string());
    if (c.varios)
      ch.args.push_back(Defeituoso(pasta / "pequeno.txt"));  // kept only after the first
    Processo p(ch);
    ASSERT_TRUE(EsperaLeitura(p, ArquivoGrande())) << "the run ended before it could be stopped";
    ::kill(p.pid(), c.sinal);
    const Fim f = p.Espera();
    EXPECT_EQ(f.Sinal(), c.sinal) << "status " << f.Status() << ": " << f.err;
    EXPECT_EQ(f.out, "");
    EXPECT_EQ(Conteudo(pasta / "rel"), c.ficam);
    EXPECT_EQ(LeArquivo(pasta / "rel" / "meu.txt"), "meu\r\n");
    EXPECT_TRUE(fs::is_empty(pasta / "tmp"));
  }
}

TEST(PastaDoRelatorio, PastaInutilizavel) {
  PastaTemporaria pasta;
  const std::string entrada = Defeituoso(pasta / "f.txt");
  fs::create_symlink(pasta / "laco2", pasta / "laco1");
  fs::create_symlink(pasta / "laco1", pasta / "laco2");
  fs::create_directories(pasta / "fechada");
  fs::permissions(pasta.caminho(), fs::perms::all);
  fs::permissions(entrada, fs::perms::all);
  fs::permissions(pasta / "fechada", fs::perms::none);
  struct Caso {
    const char* nome;
    std::string dir;
    const char* motivo;
    bool semPrivilegios;
  };
  const Caso casos[] = {
      {"too long a name", (pasta / std::string(300, 'a')).string(), "File name too long", false},
      {"symbolic link loop", (pasta / "laco1").string(), "Too many levels of symbolic links",
       false},
      {"under a folder that cannot be read", (pasta / "fechada" / "rel").string(),
       "Permission denied", true},
      {"a file", entrada, "not a folder", false},
      {"under a file", entrada + "/rel", "Not a directory", false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    Chamada ch{{"--dir", c.dir, entrada}};
    ch.semPrivilegios = c.semPrivilegios;
    const Fim f = Executa(ch);
    EXPECT_EQ(f.Status(), 2);
    EXPECT_EQ(f.err,
              "rolval-cli: '" + c.dir + "' is not a folder that can be used: " + c.motivo + "\n");
    EXPECT_EQ(f.out, "");
  }
  fs::permissions(pasta / "fechada", fs::perms::owner_all);
  EXPECT_TRUE(fs::is_empty(pasta / "fechada"));
  EXPECT_EQ(Conteudo(pasta.caminho()),
            (std::set<std::string>{"f.txt", "fechada", "laco1", "laco2"}));
}

TEST(Caminho, TomadoExatamente) {
  struct Caso {
    const char* nome;
    std::string pedido;  // the path given
    bool existe;         // whether a file has exactly that name
    int status;
  };
  const Caso casos[] = {
      {"trailing blank, file exists", "a.txt ", true, 1},
      {"trailing blank, only the name without it exists", "a.txt ", false, 2},
      {"leading blank, file exists", " a.txt", true, 1},
      {"leading blank, only the name without it exists", " a.txt", false, 2},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    PastaTemporaria pasta;
    EscreveArquivo(pasta / "a.txt", "hello\r\n");  // a file of no known layout
    if (c.existe) Defeituoso(pasta / c.pedido);
    Chamada ch{{c.pedido}};
    ch.pasta = pasta.caminho();
    const Fim f = Executa(ch);
    EXPECT_EQ(f.Status(), c.status);
    if (c.existe) {
      EXPECT_EQ(f.out, ReferenciaDe((pasta / c.pedido).string()).out);
    } else {
      EXPECT_EQ(f.err, "rolval-cli: " + c.pedido +
                           ": Não foi possível localizar o arquivo especificado.\n");
      EXPECT_EQ(f.out, "");
    }
  }
}

// A registration with control bytes (ESC, and CSI as one Latin-1 byte) is shown escaped on a
// terminal, wherever the program shows it; the published report keeps the bytes.
TEST(Terminal, BytesDeControleDaEntradaEscapados) {
  PastaTemporaria pasta;
  std::string bytes = LeArquivo(Gera({"--layout 03", "--returns 2"}, pasta / "e.txt"));
  ASSERT_EQ(bytes.size(), 1800u);
  bytes[27] = '\x1B';
  bytes[900 + 27] = '\x9B';
  const fs::path comEsc = pasta / "esc.txt";
  EscreveArquivo(comEsc, bytes);
  const fs::path nomeComEsc = pasta / "n\x1B]0;x\x07.txt";
  EscreveArquivo(nomeComEsc, bytes);
  // The progress line's last picture shows the last taxpayer: ESC there too.
  std::swap(bytes[27], bytes[900 + 27]);
  const fs::path escNoFim = pasta / "esc-no-fim.txt";
  EscreveArquivo(escNoFim, bytes);
  struct Caso {
    const char* nome;
    std::vector<std::string> args;
    std::vector<std::string> esperados;  // shown on the terminal
  };
  const std::string rel = (pasta / "rel").string();
  const Caso casos[] = {
      {"report and progress line",
       {"--dir", rel, comEsc.string()},
       {"19\\x1B7298990 ", "23\\x9B2499886 ", "3  23\\x9B2499886\r"}},
      {"progress line with ESC", {escNoFim.string()}, {"19\\x9B7298990 ", "3  23\\x1B2499886\r"}},
      {"file name line of a batch",
       {comEsc.string(), nomeComEsc.string()},
       {"==> " + (pasta / "n\\x1B]0;x\\x07.txt").string() + " <==", "19\\x1B7298990 "}},
      {"summary line",
       {"--summary", comEsc.string(), nomeComEsc.string()},
       {(pasta / "n\\x1B]0;x\\x07.txt").string() + "\tROL03\tNOK"}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    Chamada ch{c.args};
    ch.saida = ch.erro = Fluxo::Terminal;
    const Fim f = Executa(ch);
    EXPECT_EQ(f.Status(), 1);
    // The progress bar's own line erasing, a line each time: the rest comes from the input.
    std::string tela = f.terminal;
    // (Erased as a range: replacing the 4 bytes with a literal trips GCC 12's false -Wrestrict,
    // GCC bug 105329, at -O3.)
    for (std::size_t i; (i = tela.find("\r\x1B[K")) != std::string::npos;) tela.erase(i + 1, 3);
    for (const auto& e : c.esperados)
      EXPECT_NE(tela.find(e), std::string::npos) << e << "\n" << tela;
    EXPECT_EQ(tela.find('\x1B'), std::string::npos) << tela;
    EXPECT_EQ(tela.find("\xC2\x9B"), std::string::npos);
    EXPECT_EQ(tela.find("\xEF\xBF\xBD"), std::string::npos);  // shown as its code, not as a blot
    EXPECT_EQ(tela.find('\x07'), std::string::npos);
  }
  // The published report is byte-exact, and without a terminal the text is left as it is.
  EXPECT_NE(LeArquivo(pasta / "rel" / "saida.txt")
                .find("19\x1B"
                      "7298990 "),
            std::string::npos);
  EXPECT_NE(LeArquivo(pasta / "rel" / "saida.txt")
                .find("23\x9B"
                      "2499886 "),
            std::string::npos);
  const Fim semTerminal = Executa({{comEsc.string()}});
  EXPECT_NE(semTerminal.out.find("19\x1B"
                                 "7298990 "),
            std::string::npos);
  EXPECT_NE(semTerminal.out.find("23\xC2\x9B"
                                 "2499886 "),
            std::string::npos);
}

// The progress line on a terminal: at most about ten redraws a second, erased at the end; plain CR
// redraws without any escape sequence when TERM=dumb; none at all when asked.
TEST(Terminal, LinhaDeProgresso) {
  struct Caso {
    const char* nome;
    std::vector<std::string> args;
    const char* term;
    bool linha, escapes;
  };
  const Caso casos[] = {
      {"TERM=xterm", {}, "TERM=xterm", true, true},
      {"TERM=dumb", {}, "TERM=dumb", true, false},
      {"--no-progress", {"--no-progress"}, "TERM=xterm", false, false},
      {"-q", {"-q"}, "TERM=xterm", false, false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    Chamada ch{c.args, {c.term}};
    ch.args.push_back(ArquivoGrande().string());
    ch.erro = Fluxo::Terminal;
    const auto inicio = std::chrono::steady_clock::now();
    const Fim f = Executa(ch);
    const double segundos =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    EXPECT_EQ(f.Status(), 0);
    EXPECT_EQ(f.terminal.empty(), !c.linha) << f.terminal;
    EXPECT_EQ(f.terminal.find('\x1B') != std::string::npos, c.escapes) << f.terminal;
    // Each redraw and the erasing start with a CR (two for a plain erasing).
    EXPECT_LE(std::count(f.terminal.begin(), f.terminal.end(), '\r'), 10 * segundos + 4);
    if (c.linha) {
      EXPECT_NE(f.terminal.find("100%"), std::string::npos) << f.terminal;
      const std::string ultima = f.terminal.substr(f.terminal.rfind('\r', f.terminal.size() - 2));
      EXPECT_TRUE(ultima == "\r\x1B[K" || ultima.find_first_not_of("\r ") == std::string::npos)
          << ultima;
    }
  }
}

// A file that gets shorter while it is read gets a report with the read-failure finding, never OK.
TEST(Leitura, ArquivoEncurtadoDuranteALeituraFalha) {
  PastaTemporaria pasta;
  const fs::path entrada = pasta / "g.txt";
  fs::copy_file(ArquivoGrande(), entrada);
  const auto tamanho = static_cast<long long>(fs::file_size(entrada));
  Processo p({{"--format", "jsonl", "--dir", (pasta / "rel").string(), entrada.string()}});
  // Past the first opening (which reads one block only), well into the second.
  if (!EsperaLeitura(p, entrada, 1 << 20))
    GTEST_SKIP() << "the run ended before it could be stopped";
  ::kill(p.pid(), SIGSTOP);
  int w = 0;
  ASSERT_EQ(::waitpid(p.pid(), &w, WUNTRACED), p.pid());
  ASSERT_TRUE(WIFSTOPPED(w));
  const auto pos = p.Posicao(fs::canonical(entrada));
  ASSERT_TRUE(pos.has_value());
  const long long novo = (*pos + 899) / 900 * 900;  // whole records, so no line is cut
  if (novo >= tamanho) {
    ::kill(p.pid(), SIGCONT);
    GTEST_SKIP() << "the run had read the whole file";
  }
  fs::resize_file(entrada, static_cast<std::uintmax_t>(novo));
  ::kill(p.pid(), SIGCONT);
  const Fim f = p.Espera();
  EXPECT_EQ(f.Status(), 1) << f.err;
  EXPECT_NE(f.out.find("\"code\":28"), std::string::npos) << f.out;
  EXPECT_NE(f.out.find("\"status\":\"NOK\""), std::string::npos) << f.out;
  EXPECT_EQ(LeArquivo(pasta / "rel" / "param.txt"), "\r\nNOK\r\n");
}

// With a report folder for one file, no temporary folder is needed, even for work files past the
// memory limit.
TEST(PastaTemporaria, AusenteComDirParaUmArquivo) {
  PastaTemporaria pasta;
  // A layout-03 file with a wrong check digit on every line, under a long path that every JSON
  // finding repeats: some 9 MiB of JSON lines.
  fs::path longa = pasta.caminho();
  for (const char c : {'a', 'b', 'c'}) longa /= std::string(200, c);
  fs::create_directories(longa);
  const fs::path entrada = longa / (std::string(200, 'm') + ".txt");
  std::string bytes = LeArquivo(Gera({"--layout 03", "--returns 9000"}, entrada));
  for (std::size_t i = 34; i < bytes.size(); i += 900)
    bytes[i] = static_cast<char>('0' + (bytes[i] - '0' + 1) % 10);
  EscreveArquivo(entrada, bytes);
  struct Caso {
    std::string formato;
    std::size_t minimo;  // stdout at least this long
  };
  for (const Caso& c : {Caso{"text", std::size_t{1} << 19}, Caso{"jsonl", std::size_t{8} << 20}}) {
    const std::string& formato = c.formato;
    SCOPED_TRACE(formato);
    const fs::path rel = pasta / ("rel-" + formato);
    const Fim f = Executa({{"--format", formato, "--dir", rel.string(), entrada.string()},
                           {"TMPDIR=" + (pasta / "nao-existe").string()}});
    EXPECT_EQ(f.Status(), 1) << f.err;
    EXPECT_EQ(f.err, "");
    EXPECT_GT(f.out.size(), c.minimo);
    EXPECT_EQ(LeArquivo(rel / "param.txt"), "\r\nNOK\r\n");
    EXPECT_EQ(Conteudo(rel), (std::set<std::string>{"param.txt", "saida.txt"}));
  }
  EXPECT_FALSE(fs::exists(pasta / "nao-existe"));
}

}  // namespace
}  // namespace rolval
