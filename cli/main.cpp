// rolval-cli: validation runs from a terminal or a script, one file or many.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <system_error>
#include <thread>

#include "VersaoPrograma.h"
#include "cli/Lote.h"
#include "cli/Opcoes.h"
#include "cli/SaidaJson.h"
#include "run/Latin1.h"

namespace fs = std::filesystem;
using namespace rolval;

namespace {

constexpr int SaidaSemRelatorio = 2;
constexpr int SaidaUso = 64;

// A private work folder, removed when the command ends.
class PastaTemporaria {
 public:
  PastaTemporaria() {
    const char* base = std::getenv("TMPDIR");
    std::string modelo = std::string(base && *base ? base : "/tmp") + "/rolval-XXXXXX";
    if (::mkdtemp(modelo.data()) != nullptr) caminho_ = modelo;
  }
  ~PastaTemporaria() {
    std::error_code ignorado;
    if (!caminho_.empty()) fs::remove_all(caminho_, ignorado);
  }
  const fs::path& caminho() const { return caminho_; }

 private:
  fs::path caminho_;
};

// Copies a file to stdout, converting Latin-1 to UTF-8 when asked; streams, whatever its size.
bool CopiaParaSaida(const fs::path& origem, bool deLatin1) {
  std::ifstream in(origem, std::ios::binary);
  if (!in) return false;
  std::string bloco(1 << 16, '\0');
  std::string utf8;
  while (in) {
    in.read(bloco.data(), static_cast<std::streamsize>(bloco.size()));
    const auto n = static_cast<std::size_t>(in.gcount());
    if (n == 0) break;
    const std::string_view v(bloco.data(), n);
    if (deLatin1) {
      utf8.clear();
      AcrescentaUtf8(utf8, v);
      std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    } else {
      std::fwrite(v.data(), 1, v.size(), stdout);
    }
  }
  return true;
}

// The name under which a file's report is kept in --dir when several files are validated:
// its file name, made unique by a number when two files share one.
class NomesNaPasta {
 public:
  std::string Para(const std::string& arquivo) {
    const std::string base = fs::path(arquivo).filename().string();
    const int n = ++vistos_[base];
    return n == 1 ? base : base + "." + std::to_string(n);
  }

 private:
  std::map<std::string, int> vistos_;
};

}  // namespace

int main(int argc, char** argv) {
  std::string erro;
  const auto lidas = LeOpcoes(argc, argv, erro);
  if (!lidas) {
    std::fprintf(stderr, "rolval-cli: %s\nTry 'rolval-cli --help'.\n", erro.c_str());
    return SaidaUso;
  }
  const Opcoes& opcoes = *lidas;
  if (opcoes.ajuda) {
    EscreveAjuda();
    return 0;
  }
  if (opcoes.versao) {
    std::printf("rolval-cli %s\n", VersaoTexto);
    return 0;
  }

  const bool varios = opcoes.arquivos.size() > 1;
  fs::path pastaUnica;
  if (!opcoes.pasta.empty()) {
    std::error_code e;
    fs::create_directories(opcoes.pasta, e);
    if (!fs::is_directory(opcoes.pasta)) {
      std::fprintf(stderr, "rolval-cli: '%s' is not a folder that can be used\n", opcoes.pasta.c_str());
      return SaidaSemRelatorio;
    }
    if (!varios) pastaUnica = opcoes.pasta;
  }
  PastaTemporaria temporaria;
  if (temporaria.caminho().empty()) {
    std::perror("rolval-cli: cannot create a temporary folder");
    return SaidaSemRelatorio;
  }
  unsigned trabalhos = opcoes.trabalhos;
  if (trabalhos == 0) trabalhos = std::max(1u, std::thread::hardware_concurrency());

  int status = 0;
  int arquivosOk = 0, arquivosNok = 0, semRelatorio = 0;
  std::int64_t totalAchados = 0;
  NomesNaPasta nomes;
  const bool jsonl = opcoes.formato == FormatoSaida::Jsonl;

  ValidaLote(opcoes.arquivos, trabalhos, opcoes.formato, temporaria.caminho(), pastaUnica,
             ::isatty(STDERR_FILENO) == 1, [&](ResultadoArquivo& r) {
               status = std::max(status, r.StatusSaida());
               totalAchados += r.achados;
               (r.Ok() ? arquivosOk : r.TemRelatorio() ? arquivosNok : semRelatorio) += 1;
               for (const auto& m : r.mensagens)
                 std::fprintf(stderr, "%s%s%s\n", varios ? r.arquivo.c_str() : "", varios ? ": " : "",
                              m.c_str());
               if (!r.TemRelatorio() && r.mensagens.empty())
                 std::fprintf(stderr, "rolval-cli: %s: the run ended without a report (the file or the "
                                      "work folder could not be used)\n", r.arquivo.c_str());
               if (opcoes.resumo && !jsonl) {
                 std::printf("%s\t%s\t%s\t%d returns\t%lld findings\n", r.arquivo.c_str(),
                             r.documento.empty() ? "DESCONHECIDO" : r.documento.c_str(),
                             r.Ok() ? "OK" : r.TemRelatorio() ? "NOK" : "NO_REPORT", r.retornos,
                             static_cast<long long>(r.achados));
               } else if (jsonl) {
                 if (!opcoes.resumo && !r.achadosJson.empty()) CopiaParaSaida(r.achadosJson, false);
                 std::printf("%s\n", JsonDoResumo(r).c_str());
               } else {
                 if (varios) std::printf("==> %s <==\n", r.arquivo.c_str());
                 std::fflush(stdout);
                 if (r.TemRelatorio() && !CopiaParaSaida(r.relatorio, true)) {
                   std::fprintf(stderr, "rolval-cli: %s: the report could not be read back\n", r.arquivo.c_str());
                   status = std::max(status, SaidaSemRelatorio);
                 }
               }
               std::fflush(stdout);
               if (varios && !opcoes.pasta.empty() && r.TemRelatorio()) {
                 const std::string nome = nomes.Para(r.arquivo);
                 std::error_code e;
                 fs::copy_file(r.relatorio, fs::path(opcoes.pasta) / (nome + ".saida.txt"),
                               fs::copy_options::overwrite_existing, e);
                 if (!e)
                   fs::copy_file(r.param, fs::path(opcoes.pasta) / (nome + ".param.txt"),
                                 fs::copy_options::overwrite_existing, e);
                 if (e) {
                   std::fprintf(stderr, "rolval-cli: %s: cannot keep the report in '%s': %s\n",
                                r.arquivo.c_str(), opcoes.pasta.c_str(), e.message().c_str());
                   status = std::max(status, SaidaSemRelatorio);
                 }
               }
             });
  if (opcoes.resumo && !jsonl)
    std::printf("TOTAL\t%zu files\t%d OK\t%d NOK\t%d without report\t%lld findings\n",
                opcoes.arquivos.size(), arquivosOk, arquivosNok, semRelatorio,
                static_cast<long long>(totalAchados));
  std::fflush(stdout);
  return status;
}
