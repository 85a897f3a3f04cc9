// rolval-sementes PASTA: writes the first corpora of the fuzz targets into PASTA/<target>/: sample
// files of layouts 04 and 05 from the sample generator (clean and with each kind of spoil), the
// valid records the test suites build for layouts ST 02, 03 and ST 01, and the field-check seeds.
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

// Monthly files: small ones (one item an annex) of every spoil kind, and a few larger clean ones.
std::vector<std::pair<std::string, std::string>> Mensais() {
  std::vector<std::pair<std::string, std::string>> r;
  for (const std::string layout : {"04", "05"}) {
    const amostras::ModuloAmostra* modulo = amostras::ProcuraModulo(layout);
    if (modulo == nullptr) continue;
    amostras::OpcoesAmostra base;
    base.layout = layout;
    base.itens = 1;
    r.emplace_back("rol" + layout + "-limpo", amostras::GeraAmostraTexto(base));
    amostras::OpcoesAmostra dois = base;
    dois.retornos = 2;
    dois.anexos = "none";
    r.emplace_back("rol" + layout + "-dois-sem-anexos", amostras::GeraAmostraTexto(dois));
    amostras::OpcoesAmostra varios = base;
    varios.itens = 0;
    varios.semente = 7;
    r.emplace_back("rol" + layout + "-itens-sorteados", amostras::GeraAmostraTexto(varios));
    for (const amostras::DescricaoEstrago& e : modulo->estragos) {
      std::string tipo(e.tipo);
      // A kind named for an annex ("soma-XNN") is spoiled on the first annex type of the layout.
      if (const auto p = tipo.find("XNN"); p != std::string::npos && !modulo->anexos.empty())
        tipo.replace(p, 3, std::string(modulo->anexos.front()));
      amostras::OpcoesAmostra estragada = base;
      estragada.estragos = {amostras::LeEstrago(tipo)};
      try {
        r.emplace_back("rol" + layout + "-" + std::string(e.tipo), amostras::GeraAmostraTexto(estragada));
      } catch (const std::exception&) {
        // A kind that needs options this small file lacks: left out.
      }
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
    const auto mensais = Mensais();
    for (const auto& [nome, bytes] : mensais) {
      Grava(raiz / "execucao", nome, bytes);
      Grava(raiz / "versao45", nome, bytes);
    }
    using namespace rolval::teste;
    const std::string st2 = ComCRLF({RegistroA0().Linhas(1, 1, 1).TotaisAnexos(100, 100), RegistroA1("A1"),
                                     RegistroA1("A2"), RegistroA3(), RegistroA0().Periodo("082000")});
    const std::string st2Simples = ComCRLF({RegistroA0()});
    const std::string r03 = ComCRLF({ROL03Valido(), ROL03Valido()});
    const std::string st01 = ComCRLF({ST01Valido(), ST01Valido()});
    for (const auto& [pasta, nome, bytes] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {"st2", "st2-anexos", st2}, {"st2", "st2-cabecalho", st2Simples},
             {"versao3", "rol03", r03}, {"st1", "st01", st01},
             {"execucao", "st2-anexos", st2}, {"execucao", "rol03", r03}, {"execucao", "st01", st01}}) {
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
