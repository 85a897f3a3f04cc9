// rolval-amostras: writes sample data files for tests, demonstrations and benchmarks.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "tools/GeradorAmostras.h"

using namespace rolval::amostras;

namespace {

constexpr int SaidaOK = 0;
constexpr int SaidaFalha = 1;
constexpr int SaidaUso = 64;

void Ajuda() {
  std::printf(
      "Usage: rolval-amostras [--layout L] [--returns N] [--annexes all|none|LIST] [--items N]\n"
      "                       [--spoil KIND[:RETURN]]... [--seed S] -o FILE\n"
      "Write a sample data file of N returns that the validator accepts, unless spoiled.\n"
      "\n"
      "  --layout L     layout of the file (default 05)\n"
      "  --returns N    number of returns (default 1)\n"
      "  --annexes A    annex types in every return: all (default), none, or a comma-separated\n"
      "                 list; a detail annex brings the annex it details\n"
      "  --items N      items (ST02: records) of each annex type in a return (default: 1 to 3,\n"
      "                 drawn)\n"
      "  --spoil K[:R]  spoil return R (default 1) as kind K says; may be repeated\n"
      "  --seed S       seed of the drawn values (default 1); a seed always gives the same file\n"
      "  -o FILE        the file to write ('-' for standard output)\n"
      "  --help         show this help and exit\n"
      "\n"
      "Layouts:\n");
  const auto modulos = ModulosAmostra();
  for (const ModuloAmostra& modulo : modulos)
    std::printf("  %-5.*s %.*s\n", static_cast<int>(modulo.layout.size()), modulo.layout.data(),
                static_cast<int>(modulo.descricao.size()), modulo.descricao.data());
  // Layouts of one module share their annexes and spoils: shown once for all of them.
  auto mesmoModulo = [](const ModuloAmostra& a, const ModuloAmostra& b) {
    return a.gera == b.gera && a.estragos.data() == b.estragos.data();
  };
  for (std::size_t i = 0; i < modulos.size(); ++i) {
    const ModuloAmostra& modulo = modulos[i];
    if (i > 0 && mesmoModulo(modulos[i - 1], modulo)) continue;
    std::printf("\nLayout %.*s", static_cast<int>(modulo.layout.size()), modulo.layout.data());
    for (std::size_t j = i + 1; j < modulos.size() && mesmoModulo(modulos[j], modulo); ++j)
      std::printf(", %.*s", static_cast<int>(modulos[j].layout.size()), modulos[j].layout.data());
    std::printf("\n  annexes:");
    for (const std::string_view anexo : modulo.anexos)
      std::printf(" %.*s", static_cast<int>(anexo.size()), anexo.data());
    if (modulo.anexos.empty()) std::printf(" none (one line a return)");
    std::printf("\n  spoils:\n");
    for (const DescricaoEstrago& estrago : modulo.estragos)
      std::printf("    %-11.*s %.*s\n", static_cast<int>(estrago.tipo.size()), estrago.tipo.data(),
                  static_cast<int>(estrago.efeito.size()), estrago.efeito.data());
  }
  std::printf("\nExit status: 0 file written; 1 the file could not be written; 64 usage error.\n");
}

int ErroDeUso(const std::string& texto) {
  std::fprintf(stderr, "rolval-amostras: %s\nTry 'rolval-amostras --help'.\n", texto.c_str());
  return SaidaUso;
}

// A whole number given to an option, within its limits.
long long LeInteiro(const std::string& opcao, const std::string& texto, long long minimo,
                    unsigned long long maximo) {
  std::size_t fim = 0;
  unsigned long long valor = 0;
  try {
    if (texto.empty() || texto[0] == '-' || texto[0] == '+') throw std::invalid_argument(texto);
    valor = std::stoull(texto, &fim);
  } catch (const std::exception&) {
    throw std::invalid_argument("option '" + opcao + "' needs a whole number, not '" + texto + "'");
  }
  if (fim != texto.size() || valor < static_cast<unsigned long long>(minimo) || valor > maximo)
    throw std::invalid_argument("option '" + opcao + "' out of range: '" + texto + "'");
  return static_cast<long long>(valor);
}

}  // namespace

int main(int argc, char** argv) {
  OpcoesAmostra opcoes;
  std::string destino;
  try {
    for (int i = 1; i < argc; ++i) {
      const std::string arg = argv[i];
      if (arg == "--help") {
        Ajuda();
        return SaidaOK;
      }
      const bool comValor = arg == "--layout" || arg == "--returns" || arg == "--annexes" ||
                            arg == "--items" || arg == "--spoil" || arg == "--seed" || arg == "-o";
      if (!comValor) return ErroDeUso("unknown option '" + arg + "'");
      if (i + 1 >= argc) return ErroDeUso("option '" + arg + "' needs a value");
      const std::string valor = argv[++i];
      if (arg == "--layout")
        opcoes.layout = valor;
      else if (arg == "--returns")
        opcoes.retornos = static_cast<std::int32_t>(LeInteiro(arg, valor, 1, 2'000'000'000));
      else if (arg == "--annexes")
        opcoes.anexos = valor;
      else if (arg == "--items")
        opcoes.itens = static_cast<int>(LeInteiro(arg, valor, 1, 999));
      else if (arg == "--spoil")
        opcoes.estragos.push_back(LeEstrago(valor));
      else if (arg == "--seed")
        opcoes.semente = static_cast<std::uint64_t>(LeInteiro(arg, valor, 0, ~0ULL >> 1));
      else
        destino = valor;
    }
  } catch (const std::invalid_argument& erro) {
    return ErroDeUso(erro.what());
  }
  if (destino.empty()) return ErroDeUso("no output file (-o FILE)");

  // The file is written under a temporary name and takes its own name only when whole: a failed
  // run leaves no half sample behind, nor loses a file that was there before.
  const std::string parcial = destino + ".parcial";
  try {
    if (destino == "-") {
      GeraAmostra(opcoes, std::cout);
    } else {
      std::ofstream saida(parcial, std::ios::binary | std::ios::trunc);
      if (!saida) {
        std::perror(("rolval-amostras: " + parcial).c_str());
        return SaidaFalha;
      }
      GeraAmostra(opcoes, saida);
      saida.close();
      if (!saida) throw std::runtime_error("the sample file could not be written");
      std::filesystem::rename(parcial, destino);
    }
  } catch (const std::exception& erro) {
    std::error_code ignorado;
    if (destino != "-") std::filesystem::remove(parcial, ignorado);
    if (dynamic_cast<const std::invalid_argument*>(&erro) != nullptr) return ErroDeUso(erro.what());
    std::fprintf(stderr, "rolval-amostras: %s\n", erro.what());
    return SaidaFalha;
  }
  return SaidaOK;
}
