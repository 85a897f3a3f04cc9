// rolval-cli: one validation run of one file from a terminal or a script.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "VersaoPrograma.h"
#include "cli/TelaTerminal.h"
#include "layouts/Layouts.h"
#include "run/Latin1.h"

namespace fs = std::filesystem;
using namespace rolval;

namespace {

constexpr int SaidaOK = 0;
constexpr int SaidaNOK = 1;
constexpr int SaidaSemRelatorio = 2;
constexpr int SaidaUso = 64;

void Ajuda(std::FILE* destino) {
  std::fprintf(destino,
               "Usage: rolval-cli [--dir DIR] FILE\n"
               "Validate a state VAT return data file (monthly layouts 03, 04, 05; tax-substitution\n"
               "layouts ST 01, ST 02) and print its report.\n"
               "\n"
               "  --dir DIR    keep the work files, saida.txt and param.txt in DIR (created when\n"
               "               missing); without it a private temporary folder is used and removed\n"
               "  --help       show this help and exit\n"
               "  --version    show the version and exit\n"
               "\n"
               "The report goes to standard output as UTF-8; a progress bar and any message go to\n"
               "standard error.\n"
               "\n"
               "Exit status: 0 report with status OK; 1 report with status NOK; 2 no report;\n"
               "64 usage error.\n");
}

int ErroDeUso(const std::string& texto) {
  std::fprintf(stderr, "rolval-cli: %s\nTry 'rolval-cli --help'.\n", texto.c_str());
  return SaidaUso;
}

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

bool ImprimeRelatorio(const fs::path& saida) {
  std::ifstream in(saida, std::ios::binary);
  if (!in) return false;
  const std::string latin1((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string utf8 = ParaUtf8(latin1);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string pasta;
  std::vector<std::string> arquivos;
  bool fimDasOpcoes = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!fimDasOpcoes && arg == "--help") {
      Ajuda(stdout);
      return SaidaOK;
    } else if (!fimDasOpcoes && arg == "--version") {
      std::printf("rolval-cli %s\n", VersaoTexto);
      return SaidaOK;
    } else if (!fimDasOpcoes && arg == "--dir") {
      if (i + 1 >= argc) return ErroDeUso("option '--dir' needs a folder");
      pasta = argv[++i];
    } else if (!fimDasOpcoes && arg.rfind("--dir=", 0) == 0) {
      pasta = arg.substr(6);
    } else if (!fimDasOpcoes && arg == "--") {
      fimDasOpcoes = true;
    } else if (!fimDasOpcoes && arg.size() > 1 && arg[0] == '-') {
      return ErroDeUso("unknown option '" + arg + "'");
    } else {
      arquivos.push_back(arg);
    }
  }
  if (arquivos.empty()) return ErroDeUso("no file to validate");
  if (arquivos.size() > 1) return ErroDeUso("one file at a time");
  if (arquivos.front().empty()) return ErroDeUso("empty file name");

  PastaTemporaria temporaria;
  fs::path trabalho;
  if (pasta.empty()) {
    if (temporaria.caminho().empty()) {
      std::perror("rolval-cli: cannot create a temporary folder");
      return SaidaSemRelatorio;
    }
    trabalho = temporaria.caminho();
  } else {
    std::error_code erro;
    fs::create_directories(pasta, erro);
    if (!fs::is_directory(pasta)) {
      std::fprintf(stderr, "rolval-cli: '%s' is not a folder that can be used\n", pasta.c_str());
      return SaidaSemRelatorio;
    }
    trabalho = pasta;
  }

  TelaTerminal tela(::isatty(STDERR_FILENO) == 1);
  Execucao execucao(trabalho, tela);
  const Desfecho desfecho = ValidaArquivo(execucao, arquivos.front());
  switch (desfecho) {
    case Desfecho::RelatorioOK:
    case Desfecho::RelatorioNOK:
    case Desfecho::RelatorioSemJanela:
      if (!ImprimeRelatorio(trabalho / NomeSaida)) {
        std::fprintf(stderr, "rolval-cli: the report could not be read back\n");
        return SaidaSemRelatorio;
      }
      return desfecho == Desfecho::RelatorioOK ? SaidaOK : SaidaNOK;
    case Desfecho::SemRelatorio:
      if (!tela.mostrouMensagem())
        std::fprintf(stderr, "rolval-cli: the run ended without a report ('%s' or the folder '%s' "
                             "could not be used)\n", arquivos.front().c_str(), trabalho.c_str());
      return SaidaSemRelatorio;
  }
  return SaidaSemRelatorio;
}
