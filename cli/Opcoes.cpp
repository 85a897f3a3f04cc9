#include "cli/Opcoes.h"

#include <getopt.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "VersaoPrograma.h"

namespace rolval {

namespace {

// Options with no one-letter form carry codes past every letter.
enum : int {
  OpcaoDir = 1000,
  OpcaoFormat,
  OpcaoSummary,
  OpcaoNoProgress,
  OpcaoFilesFrom,
  OpcaoVersion,
  OpcaoSeparator,
  OpcaoTally,
  OpcaoStreamLimit,
  OpcaoNoSync,
  OpcaoFix,
  OpcaoFixTo,
};

constexpr option Longas[] = {
    {"dir", required_argument, nullptr, OpcaoDir},
    {"jobs", required_argument, nullptr, 'j'},
    {"format", required_argument, nullptr, OpcaoFormat},
    {"summary", no_argument, nullptr, OpcaoSummary},
    {"quiet", no_argument, nullptr, 'q'},
    {"no-progress", no_argument, nullptr, OpcaoNoProgress},
    {"files-from", required_argument, nullptr, OpcaoFilesFrom},
    {"null", no_argument, nullptr, '0'},
    {"recursive", no_argument, nullptr, 'r'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, OpcaoVersion},
    {"separator", required_argument, nullptr, OpcaoSeparator},
    {"tally", no_argument, nullptr, OpcaoTally},
    {"stream-limit", required_argument, nullptr, OpcaoStreamLimit},
    {"no-sync", no_argument, nullptr, OpcaoNoSync},
    {"fix", no_argument, nullptr, OpcaoFix},
    {"fix-to", required_argument, nullptr, OpcaoFixTo},
    {nullptr, 0, nullptr, 0},
};

// ':' first: a missing value is told apart from an unknown option.
constexpr const char* Curtas = ":j:q0rh";

// "--name" of the option with `codigo`; empty for no option of the program.
std::string NomeDaOpcao(int codigo) {
  for (const option* o = Longas; o->name != nullptr; ++o)
    if (o->val == codigo) return std::string("--") + o->name;
  return {};
}

bool LeTrabalhos(const char* valor, unsigned& trabalhos) {
  char* fim = nullptr;
  const unsigned long n = std::strtoul(valor, &fim, 10);
  if (*valor < '0' || *valor > '9' || *fim != '\0' || n < 1 || n > 1024) return false;
  trabalhos = static_cast<unsigned>(n);
  return true;
}

// A size in bytes, or in KiB, MiB, GiB or TiB with the suffix K, M, G or T; at least one byte.
bool LeTamanho(const char* valor, std::uint64_t& tamanho) {
  char* fim = nullptr;
  const unsigned long long n = std::strtoull(valor, &fim, 10);
  if (*valor < '0' || *valor > '9' || n == 0) return false;
  static constexpr char Sufixos[] = "KMGT";
  int potencia = 0;  // of 1024
  if (*fim != '\0') {
    const char* sufixo = std::strchr(Sufixos, *fim);
    if (sufixo == nullptr || fim[1] != '\0') return false;
    potencia = static_cast<int>(sufixo - Sufixos) + 1;
  }
  if (n > (~0ULL >> (10 * potencia))) return false;
  tamanho = n << (10 * potencia);
  return true;
}

}  // namespace

std::optional<Opcoes> LeOpcoes(int argc, char** argv, std::string& erro) {
  Opcoes o;
  erro.clear();
  // Only the first usage error is told; the reading goes on, so that --help and --version
  // anywhere still win.
  auto falha = [&erro](std::string motivo) {
    if (erro.empty()) erro = std::move(motivo);
  };
  ::opterr = 0;
  ::optind = 0;  // glibc: start afresh
  for (int c; (c = ::getopt_long(argc, argv, Curtas, Longas, nullptr)) != -1;) {
    switch (c) {
      case OpcaoDir:
        o.pasta = ::optarg;
        if (o.pasta.empty()) falha("option '--dir' needs a folder");
        break;
      case 'j':
        if (!LeTrabalhos(::optarg, o.trabalhos))
          falha("option '--jobs' needs a whole number from 1 to 1024");
        break;
      case OpcaoFormat:
        if (std::string(::optarg) == "text")
          o.formato = FormatoSaida::Texto;
        else if (std::string(::optarg) == "jsonl")
          o.formato = FormatoSaida::Jsonl;
        else if (std::string(::optarg) == "csv")
          o.formato = FormatoSaida::Csv;
        else
          falha("option '--format' takes 'text', 'jsonl' or 'csv'");
        break;
      case OpcaoSeparator:
        if (std::string(::optarg) == ";" || std::string(::optarg) == ",")
          o.separador = ::optarg[0];
        else
          falha("option '--separator' takes ';' or ','");
        break;
      case OpcaoTally:
        o.contagem = true;
        break;
      case OpcaoSummary:
        o.resumo = true;
        break;
      case 'q':
        o.silencioso = true;
        break;
      case OpcaoNoProgress:
        o.semProgresso = true;
        break;
      case OpcaoFilesFrom:
        o.listaDeArquivos = ::optarg;
        if (o.listaDeArquivos.empty()) falha("option '--files-from' needs a file");
        break;
      case '0':
        o.separadorNulo = true;
        break;
      case 'r':
        o.recursivo = true;
        break;
      case 'h':
        o.ajuda = true;
        break;
      case OpcaoVersion:
        o.versao = true;
        break;
      case OpcaoNoSync:
        o.semSincronia = true;
        break;
      case OpcaoStreamLimit:
        if (!LeTamanho(::optarg, o.limiteCopia))
          falha("option '--stream-limit' needs a size in bytes (suffix K, M, G or T allowed)");
        break;
      case OpcaoFix:
        o.corrige = true;
        break;
      case OpcaoFixTo:
        o.corrige = true;
        o.destinoCorrecao = ::optarg;
        if (o.destinoCorrecao.empty()) falha("option '--fix-to' needs a file");
        break;
      case ':':
        falha("option '" + NomeDaOpcao(::optopt) + "' needs a value");
        break;
      default:                               // '?'
        if (!NomeDaOpcao(::optopt).empty())  // a known option given a value it does not take
          falha("option '" + NomeDaOpcao(::optopt) + "' takes no value");
        else if (::optopt != 0)
          falha(std::string("unknown option '-") + static_cast<char>(::optopt) + "'");
        else
          falha(std::string("unknown or ambiguous option '") + argv[::optind - 1] + "'");
        break;
    }
  }
  if (o.ajuda || o.versao) {
    erro.clear();
    return o;
  }
  o.arquivos.assign(argv + ::optind, argv + argc);
  if (erro.empty() && o.arquivos.empty() && o.listaDeArquivos.empty()) falha("no file to validate");
  if (erro.empty() && o.separadorNulo && o.listaDeArquivos.empty())
    falha("option '--null' goes with '--files-from'");
  for (const auto& a : o.arquivos)
    if (a.empty()) falha("empty file name");
  if (o.corrige &&
      (o.arquivos.size() != 1 || o.arquivos[0] == "-" || !o.listaDeArquivos.empty() || o.recursivo))
    falha("option '--fix' takes exactly one FILE, not standard input, a list or a folder");
  if (!erro.empty()) return std::nullopt;
  return o;
}

void EscreveAjuda() {
  std::fputs(
      "Usage: rolval-cli [OPTION]... FILE...\n"
      "Validate state VAT return data files (monthly layouts 03, 04, 05; tax-substitution layouts\n"
      "ST 01, ST 02) and print their reports. FILE '-' is standard input.\n"
      "\n"
      "      --dir=DIR      keep the reports in DIR (created when missing): for one file,\n"
      "                     saida.txt and param.txt, replaced whole; for several,\n"
      "                     DIR/<file name>.saida.txt and .param.txt (.2, .3 ... when taken).\n"
      "                     Without it nothing is written\n"
      "  -j, --jobs=N       validate up to N files at once (default: the number of processors);\n"
      "                     the output keeps the order of the files\n"
      "      --format=FORMAT\n"
      "                     'text' (default): the reports, each preceded by a line\n"
      "                     '==> FILE <==' when several files are given; 'jsonl': one JSON\n"
      "                     object per finding, then one summary object per file; 'csv': a\n"
      "                     header row and one row per finding (UTF-8 with a byte-order mark,\n"
      "                     RFC 4180 quoting)\n"
      "      --separator=SEP\n"
      "                     ';' (default) or ',' between the fields of the csv format\n"
      "      --summary      one line per file (path, document, status, returns, findings,\n"
      "                     tab-separated) and a TOTAL line, instead of the reports\n"
      "      --tally        after the reports (or the summary), one line per catalogue and code:\n"
      "                     'TALLY', catalogue, code, findings, files and the message of its\n"
      "                     first finding, tab-separated, most findings first\n"
      "  -r, --recursive    validate the regular files under each FILE that is a folder,\n"
      "                     in name order; symbolic links inside it are not followed\n"
      "      --files-from=LIST\n"
      "                     validate the files named in LIST too, one a line ('-': standard\n"
      "                     input)\n"
      "  -0, --null         names in LIST end at a NUL byte (as 'find -print0' writes them)\n"
      "      --stream-limit=SIZE\n"
      "                     copy standard input or a FIFO only up to SIZE bytes (suffix K, M,\n"
      "                     G or T; default 4G); a longer one gets no report\n"
      "      --no-sync      do not sync the reports of --dir to the disk before they are put\n"
      "                     in place (a scratch folder; much faster for many files)\n"
      "      --fix          save a corrected copy of FILE beside it, as NAME-corrigido.txt\n"
      "                     (-corrigido-2.txt ... when taken), and validate the copy: line ends\n"
      "                     made CR LF, a byte-order mark removed, UTF-8 made Latin-1, blanks\n"
      "                     cut from the end of records put back, the last line end added or\n"
      "                     an empty last line removed; what changed is told on standard\n"
      "                     error. FILE itself is never changed\n"
      "      --fix-to=OUT   as --fix, the copy saved as OUT, which must not exist\n"
      "  -q, --quiet        no progress line and no hints; messages are still shown\n"
      "      --no-progress  no progress line\n"
      "  -h, --help         show this help and exit\n"
      "      --version      show the version and exit\n"
      "\n"
      "Reports go to standard output as UTF-8 with LF line ends (the report files themselves\n"
      "are Latin-1 with CR LF). A progress line (one file, standard error a terminal), hints\n"
      "and messages ('rolval-cli: FILE: text') go to standard error.\n"
      "\n"
      "Exit status: 0 every report has status OK; 1 some report has status NOK; 2 some file got\n"
      "no report (the run ended on a message), or --fix saved no copy; 64 usage error. With\n"
      "several files, the highest.\n"
      "\n"
      "Report bugs to <rolval@example.org>; home page: <https://example.org/rolval>.\n",
      stdout);
}

void EscreveVersao() {
  std::printf(
      "rolval-cli %s\n"
      "Copyright (C) 2026 ROLVAL developers.\n"
      "License MIT: <https://opensource.org/license/mit>.\n"
      "This is free software: you are free to change and redistribute it.\n"
      "There is NO WARRANTY, to the extent permitted by law.\n",
      VersaoTexto);
}

}  // namespace rolval
