// rolval-sementes PASTA: writes the first corpora of the fuzz targets into PASTA/<target>/: sample
// files of every layout from the sample generator (clean and with each kind of spoil), the valid
// records the test suites build for layouts ST 02, 03 and ST 01, and the field-check seeds.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/older/RegistrosAntigos.h"
#include "tests/substitution/RegistrosST2.h"
#include "tools/GeradorAmostras.h"

namespace {

namespace fs = std::filesystem;
using namespace rolval;

void Grava(const fs::path& pasta, const std::string& nome, const std::string& bytes) {
  fs::create_directories(pasta);
  std::ofstream out(pasta / nome, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + (pasta / nome).string());
}

// The target that validates a layout's lines, by the generator's name of the layout.
std::string AlvoDoLayout(std::string_view layout) {
  if (layout == "04" || layout == "05") return "versao45";
  if (layout == "ST02") return "st2";
  if (layout == "03") return "versao3";
  if (layout == "ST01") return "st1";
  return {};
}

struct Semente {
  std::string alvo;
  std::string nome;
  std::string bytes;
};

// Files of every layout the generator writes: small ones (one item an annex) clean, of two
// returns, with drawn items, and one for each kind of spoil the layout knows.
std::vector<Semente> DoGerador() {
  std::vector<Semente> r;
  for (const amostras::ModuloAmostra& modulo : amostras::ModulosAmostra()) {
    const std::string layout(modulo.layout);
    const std::string alvo = AlvoDoLayout(layout);
    if (alvo.empty()) continue;
    const auto acrescenta = [&](const std::string& nome, amostras::OpcoesAmostra opcoes) {
      // A layout without annex items refuses a number of items: then the generator draws them.
      for (int tentativa = 0; tentativa < 2; ++tentativa, opcoes.itens = 0) {
        try {
          r.push_back({alvo, "rol" + layout + "-" + nome, amostras::GeraAmostraTexto(opcoes)});
          return;
        } catch (const std::exception&) {
          // Options this layout cannot honour: tried once more without items, then left out.
        }
      }
    };
    amostras::OpcoesAmostra base;
    base.layout = layout;
    base.itens = 1;
    acrescenta("limpo", base);
    amostras::OpcoesAmostra dois = base;
    dois.retornos = 2;
    dois.anexos = "none";
    acrescenta("dois-sem-anexos", dois);
    amostras::OpcoesAmostra varios = base;
    varios.itens = 0;
    varios.semente = 7;
    acrescenta("itens-sorteados", varios);
    for (const amostras::DescricaoEstrago& e : modulo.estragos) {
      std::string tipo(e.tipo);
      // A kind named for an annex ("soma-XNN") is spoiled on the first annex type of the layout.
      if (const auto p = tipo.find("XNN"); p != std::string::npos && !modulo.anexos.empty())
        tipo.replace(p, 3, std::string(modulo.anexos.front()));
      amostras::OpcoesAmostra estragada = base;
      try {
        estragada.estragos = {amostras::LeEstrago(tipo)};
      } catch (const std::exception&) {
        continue;
      }
      acrescenta(std::string(e.tipo), estragada);
    }
  }
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: rolval-sementes FOLDER\n");
    return 64;
  }
  const fs::path raiz = argv[1];
  try {
    for (const Semente& semente : DoGerador()) {
      Grava(raiz / "execucao", semente.nome, semente.bytes);
      Grava(raiz / semente.alvo, semente.nome, semente.bytes);
    }
    using namespace rolval::teste;
    const std::string st2 =
        ComCRLF({RegistroA0().Linhas(1, 1, 1).TotaisAnexos(100, 100), RegistroA1("A1"),
                 RegistroA1("A2"), RegistroA3(), RegistroA0().Periodo("082000")});
    const std::string st2Simples = ComCRLF({RegistroA0()});
    const std::string r03 = ComCRLF({ROL03Valido(), ROL03Valido()});
    const std::string st01 = ComCRLF({ST01Valido(), ST01Valido()});
    for (const auto& [pasta, nome, bytes] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {"st2", "st2-anexos", st2},
             {"st2", "st2-cabecalho", st2Simples},
             {"versao3", "rol03", r03},
             {"st1", "st01", st01},
             {"execucao", "st2-anexos", st2},
             {"execucao", "rol03", r03},
             {"execucao", "st01", st01}}) {
      Grava(raiz / pasta, nome, bytes);
    }
    // Field checks: a few inputs that reach every check (the first byte of a check picks it).
    for (int i = 0; i < 6; ++i) {
      std::string s(64, static_cast<char>('0' + i));
      s[0] = static_cast<char>(i);
      Grava(raiz / "campos", "campo" + std::to_string(i), s);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "rolval-sementes: %s\n", e.what());
    return 1;
  }
  return 0;
}
