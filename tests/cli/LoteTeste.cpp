// Many files in one call: order, parallel runs, machine-readable findings and the summary.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "tests/cli/RodaCli.h"

namespace rolval {
namespace {

using namespace teste;
namespace fs = std::filesystem;

// A mix of files: the bundled samples of every layout, plus files that stop early.
class Lote : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& e : fs::directory_iterator(fs::path(ROLVAL_FONTES) / "samples"))
      if (e.is_regular_file()) arquivos.push_back(e.path().string());
    std::sort(arquivos.begin(), arquivos.end());
    EscreveArquivo(pasta / "desconhecido.txt", "hello\r\n");
    EscreveArquivo(pasta / "vazio.txt", "");
    arquivos.push_back((pasta / "desconhecido.txt").string());
    arquivos.push_back((pasta / "ausente.txt").string());
    arquivos.push_back((pasta / "vazio.txt").string());
  }

  std::string Todos() const {
    std::string s;
    for (const auto& a : arquivos) s += Aspas(a) + " ";
    return s;
  }

  PastaTemporaria pasta;
  std::vector<std::string> arquivos;
};

TEST_F(Lote, MesmosRelatoriosQueExecucoesIsoladasNaOrdemDosArgumentos) {
  const SaidaCli lote = Roda("--jobs 3 " + Todos());
  std::string esperado;
  int statusMaximo = 0;
  for (const auto& a : arquivos) {
    const SaidaCli um = Roda(Aspas(a));
    esperado += "==> " + a + " <==\n" + um.out;
    statusMaximo = std::max(statusMaximo, um.status);
  }
  EXPECT_EQ(lote.out, esperado);
  EXPECT_EQ(lote.status, statusMaximo);
  EXPECT_EQ(lote.status, 2);  // the missing and the empty file got no report
  EXPECT_NE(lote.err.find("ausente.txt: Não foi possível localizar o arquivo especificado."),
            std::string::npos);
}

// One job writes the findings to stdout as they come; four hold each file's in a work file.
TEST_F(Lote, UmTrabalhoOuQuatroDaoSaidaIdentica) {
  for (const std::string formato : {"text", "jsonl", "csv"}) {
    const SaidaCli um = Roda("--jobs 1 --format " + formato + " " + Todos());
    const SaidaCli quatro = Roda("--jobs 4 --format " + formato + " " + Todos());
    EXPECT_EQ(um.out, quatro.out) << formato;
    EXPECT_EQ(um.status, quatro.status);
  }
}

// With stdout and stderr one file (2>&1), a file's messages still come before its findings, here
// tens of KiB of them.
TEST_F(Lote, MensagensAntesDosAchadosNaMesmaSaida) {
  std::string bytes = LeArquivo(fs::path(ROLVAL_FONTES) / "samples" / "rolst02-com-erros.txt");
  bytes.replace(bytes.find("\r\n") - 2, 2, "\xC3\xA9");  // a hint: letters saved as UTF-8
  std::string varias;
  for (int i = 0; i < 40; ++i) varias += bytes;
  const fs::path utf8 = pasta / "utf8.txt";
  EscreveArquivo(utf8, varias);
  for (const std::string formato : {"jsonl", "csv"}) {
    const SaidaCli separadas = Roda("--format " + formato + " " + Aspas(utf8));
    const SaidaCli juntas = Roda("--format " + formato + " " + Aspas(utf8) + " 2>&1");
    ASSERT_NE(separadas.err, "") << formato;
    ASSERT_GT(separadas.out.size(), std::size_t{16} << 10) << formato;
    EXPECT_TRUE(juntas.out == separadas.err + separadas.out)
        << formato << ", begins: " << juntas.out.substr(0, 300);
  }
}

TEST_F(Lote, JsonlTemCadaAchadoDoRelatorioUmaVez) {
  const SaidaCli json = Roda("--format jsonl " + Todos());
  std::map<std::string, std::vector<nlohmann::json>> achados;
  std::map<std::string, nlohmann::json> resumos;
  std::istringstream in(json.out);
  std::string linha;
  while (std::getline(in, linha)) {
    const auto j = nlohmann::json::parse(linha);  // throws, and fails the test, on bad JSON
    if (j.at("type") == "finding")
      achados[j.at("file")].push_back(j);
    else
      resumos[j.at("file")] = j;
  }
  ASSERT_EQ(resumos.size(), arquivos.size());
  // A file not recognised is named by the report's own word, as in the text summary.
  EXPECT_EQ(resumos.at((pasta / "desconhecido.txt").string()).at("document"), "DESCONHECIDO");
  for (const auto& a : arquivos) {
    const SaidaCli texto = Roda(Aspas(a));
    // The finding lines of the text report: everything after the second line of hyphens.
    std::vector<std::string> linhas;
    std::istringstream t(texto.out);
    int hifens = 0;
    while (std::getline(t, linha)) {
      if (!linha.empty() && linha.back() == '\r') linha.pop_back();
      if (hifens >= 2 && linha.rfind("ENCAMINHAMOS", 0) != 0) linhas.push_back(linha);
      if (linha == std::string(73, '-')) ++hifens;
    }
    const auto& lista = achados[a];
    ASSERT_EQ(lista.size(), linhas.size()) << a;
    const auto& resumo = resumos.at(a);
    EXPECT_EQ(resumo.at("findings").get<std::size_t>(), linhas.size());
    for (std::size_t i = 0; i < linhas.size(); ++i) {
      const auto& j = lista[i];
      char buf[64];
      std::snprintf(buf, sizeof buf, " %03d %03d %03d ", j.at("line").get<int>(),
                    j.at("first_column").get<int>(), j.at("last_column").get<int>());
      const std::string meio =
          j.at("period").get<std::string>() + buf + j.at("message").get<std::string>();
      EXPECT_NE(linhas[i].find(meio), std::string::npos) << linhas[i] << " / " << meio;
      EXPECT_NE(linhas[i].find(j.at("registration").get<std::string>()), std::string::npos);
      EXPECT_EQ(j.at("warning").get<bool>(),
                j.at("message").get<std::string>().rfind("AVISO:", 0) == 0);
    }
    const std::string status = resumo.at("status");
    EXPECT_EQ(status, texto.status == 0 ? "OK" : texto.status == 1 ? "NOK" : "NO_REPORT") << a;
  }
}

TEST_F(Lote, ResumoUmaLinhaPorArquivoEOTotal) {
  const SaidaCli r = Roda("--summary " + Todos());
  std::istringstream in(r.out);
  std::string linha;
  std::vector<std::string> linhas;
  while (std::getline(in, linha)) linhas.push_back(linha);
  ASSERT_EQ(linhas.size(), arquivos.size() + 1);
  for (std::size_t i = 0; i < arquivos.size(); ++i)
    EXPECT_EQ(linhas[i].rfind(arquivos[i] + "\t", 0), 0u);
  EXPECT_NE(linhas[arquivos.size() - 3].find("\tDESCONHECIDO\tNOK\t0\t1"), std::string::npos);
  EXPECT_NE(linhas[arquivos.size() - 2].find("\tDESCONHECIDO\tNO_REPORT\t0\t0"), std::string::npos);
  // Path, document, status, then numbers only, on every line; TOTAL: numbers after its word.
  auto numero = [](const std::string& c) {
    return !c.empty() && c.find_first_not_of("0123456789") == std::string::npos;
  };
  for (std::size_t i = 0; i < linhas.size(); ++i) {
    std::vector<std::string> colunas;
    std::istringstream l(linhas[i]);
    for (std::string c; std::getline(l, c, '\t');) colunas.push_back(c);
    const bool total = i + 1 == linhas.size();
    ASSERT_EQ(colunas.size(), total ? 6u : 5u) << linhas[i];
    for (std::size_t k = total ? 1 : 3; k < colunas.size(); ++k)
      EXPECT_TRUE(numero(colunas[k])) << linhas[i];
  }
  EXPECT_EQ(linhas.back().rfind("TOTAL\t" + std::to_string(arquivos.size()) + "\t", 0), 0u);
}

TEST_F(Lote, DirGuardaUmRelatorioPorArquivo) {
  fs::create_directories(pasta / "b");
  EscreveArquivo(pasta / "b" / "desconhecido.txt", "bye\r\n");
  const SaidaCli r =
      Roda("--dir " + Aspas(pasta / "rel") + " " + Aspas(pasta / "desconhecido.txt") + " " +
           Aspas(pasta / "b" / "desconhecido.txt"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(LeArquivo(pasta / "rel" / "desconhecido.txt.param.txt"), "\r\nNOK\r\n");
  EXPECT_EQ(LeArquivo(pasta / "rel" / "desconhecido.txt.2.param.txt"), "\r\nNOK\r\n");
  EXPECT_NE(LeArquivo(pasta / "rel" / "desconhecido.txt.saida.txt").find("DESCONHECIDO"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(pasta / "rel" / "saida.txt"));
}

TEST(LoteOpcoes, ValoresInvalidos) {
  EXPECT_EQ(Roda("--jobs 0 x").status, 64);
  EXPECT_EQ(Roda("--jobs abc x").status, 64);
  EXPECT_EQ(Roda("--format xml x").status, 64);
}

}  // namespace
}  // namespace rolval
