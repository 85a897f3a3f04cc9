#include "cli/Opcoes.h"

#include <cstdio>
#include <cstdlib>

namespace rolval {

namespace {

// The value of an option given as "--name VALUE" or "--name=VALUE".
bool ValorDaOpcao(const std::string& nome, int argc, char** argv, int& i, std::string& valor,
                  std::string& erro) {
  const std::string arg = argv[i];
  if (arg == nome) {
    if (i + 1 >= argc) {
      erro = "option '" + nome + "' needs a value";
      return false;
    }
    valor = argv[++i];
    return true;
  }
  valor = arg.substr(nome.size() + 1);
  return true;
}

bool EOpcao(const std::string& arg, const std::string& nome) {
  return arg == nome || arg.rfind(nome + "=", 0) == 0;
}

}  // namespace

std::optional<Opcoes> LeOpcoes(int argc, char** argv, std::string& erro) {
  Opcoes o;
  bool fimDasOpcoes = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    std::string valor;
    if (fimDasOpcoes || arg.size() < 2 || arg[0] != '-') {
      o.arquivos.push_back(arg);
    } else if (arg == "--") {
      fimDasOpcoes = true;
    } else if (arg == "--help" || arg == "-h") {
      o.ajuda = true;
    } else if (arg == "--version") {
      o.versao = true;
    } else if (arg == "--summary") {
      o.resumo = true;
    } else if (EOpcao(arg, "--dir")) {
      if (!ValorDaOpcao("--dir", argc, argv, i, o.pasta, erro)) return std::nullopt;
      if (o.pasta.empty()) {
        erro = "option '--dir' needs a folder";
        return std::nullopt;
      }
    } else if (EOpcao(arg, "--jobs") || arg == "-j") {
      if (!ValorDaOpcao(arg == "-j" ? "-j" : "--jobs", argc, argv, i, valor, erro))
        return std::nullopt;
      char* fim = nullptr;
      const unsigned long n = std::strtoul(valor.c_str(), &fim, 10);
      if (valor.empty() || *fim != '\0' || n < 1 || n > 1024) {
        erro = "option '--jobs' needs a whole number from 1 to 1024";
        return std::nullopt;
      }
      o.trabalhos = static_cast<unsigned>(n);
    } else if (EOpcao(arg, "--format")) {
      if (!ValorDaOpcao("--format", argc, argv, i, valor, erro)) return std::nullopt;
      if (valor == "text") {
        o.formato = FormatoSaida::Texto;
      } else if (valor == "jsonl") {
        o.formato = FormatoSaida::Jsonl;
      } else {
        erro = "option '--format' takes 'text' or 'jsonl'";
        return std::nullopt;
      }
    } else {
      erro = "unknown option '" + arg + "'";
      return std::nullopt;
    }
  }
  if (o.ajuda || o.versao) return o;
  if (o.arquivos.empty()) {
    erro = "no file to validate";
    return std::nullopt;
  }
  for (const auto& a : o.arquivos) {
    if (a.empty()) {
      erro = "empty file name";
      return std::nullopt;
    }
  }
  return o;
}

void EscreveAjuda() {
  std::fputs(
      "Usage: rolval-cli [OPTION]... FILE...\n"
      "Validate state VAT return data files (monthly layouts 03, 04, 05; tax-substitution layouts\n"
      "ST 01, ST 02) and print their reports.\n"
      "\n"
      "  --dir DIR        keep the reports in DIR (created when missing): for one file, saida.txt\n"
      "                   and param.txt, replaced whole; for several, DIR/<file name>.saida.txt "
      "and\n"
      "                   .param.txt (.2, .3 ... when taken). Without it nothing is written\n"
      "  --jobs N, -j N   validate up to N files at once (default: the number of processors);\n"
      "                   the output keeps the order of the arguments\n"
      "  --format FORMAT  'text' (default): the reports, each preceded by a line '==> FILE <=='\n"
      "                   when several files are given; 'jsonl': one JSON object per finding, "
      "then\n"
      "                   one summary object per file (UTF-8)\n"
      "  --summary        one line per file (path, document, OK/NOK, returns, findings) and a "
      "total,\n"
      "                   instead of the reports\n"
      "  --help           show this help and exit\n"
      "  --version        show the version and exit\n"
      "\n"
      "Reports go to standard output as UTF-8 (the report files themselves are Latin-1 with CR "
      "LF).\n"
      "A progress bar (one file, standard error a terminal) and messages go to standard error.\n"
      "\n"
      "Exit status: 0 every report has status OK; 1 some report has status NOK; 2 some file got "
      "no\n"
      "report (the run ended on a message); 64 usage error. With several files, the highest.\n",
      stdout);
}

}  // namespace rolval
