// The csv format read back with a CSV reader of the test's own (RFC 4180) against the JSON Lines
// of the same files, and the tally that follows the reports.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/cli/RodaCli.h"

namespace rolval {
namespace {

using Linha = std::vector<std::string>;

// Rows of RFC 4180 text: fields split at `sep`, quoted fields with doubled quotes and line ends.
std::vector<Linha> LeCsv(std::string_view s, char sep) {
  std::vector<Linha> linhas;
  Linha atual;
  std::string campo;
  bool aspas = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (aspas) {
      if (c == '"' && i + 1 < s.size() && s[i + 1] == '"') {
        campo.push_back('"');
        ++i;
      } else if (c == '"') {
        aspas = false;
      } else {
        campo.push_back(c);
      }
    } else if (c == '"') {
      aspas = true;
    } else if (c == sep) {
      atual.push_back(std::move(campo));
      campo.clear();
    } else if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
      atual.push_back(std::move(campo));
      campo.clear();
      linhas.push_back(std::move(atual));
      atual.clear();
      ++i;
    } else {
      campo.push_back(c);
    }
  }
  EXPECT_FALSE(aspas) << "a quoted field left open";
  EXPECT_TRUE(campo.empty() && atual.empty()) << "a last row without its line end";
  return linhas;
}

// The JSON value as the CSV writes it: text as it is, numbers, true/false, null as nothing.
std::string ComoCelula(const nlohmann::ordered_json& v) {
  if (v.is_null()) return {};
  if (v.is_string()) return v.get<std::string>();
  return v.dump();
}

std::string Amostras() {
  std::string args;
  for (const char* nome : {"rol03-com-erros.txt", "rol05-com-erros.txt", "rolst01-com-erros.txt",
                           "rolst02-com-erros.txt", "rol05-limpo.txt"})
    args += " " + Aspas(std::filesystem::path(ROLVAL_FONTES) / "samples" / nome);
  return args;
}

TEST(SaidaCsv, LidaDeVoltaIgualAoJsonLines) {
  const SaidaCli json = Roda("-q --format jsonl" + Amostras());
  std::vector<nlohmann::ordered_json> achados;
  std::size_t inicio = 0;
  for (std::size_t fim; (fim = json.out.find('\n', inicio)) != std::string::npos;
       inicio = fim + 1) {
    auto j = nlohmann::ordered_json::parse(json.out.substr(inicio, fim - inicio));
    if (j["type"] == "finding") achados.push_back(std::move(j));
  }
  ASSERT_GT(achados.size(), 10u);
  for (const char sep : {';', ','}) {
    const SaidaCli csv =
        Roda(std::string("-q --format csv --separator='") + sep + "'" + Amostras());
    EXPECT_EQ(csv.status, json.status);
    ASSERT_TRUE(csv.out.starts_with("\xEF\xBB\xBF"));
    const std::vector<Linha> linhas = LeCsv(std::string_view(csv.out).substr(3), sep);
    ASSERT_EQ(linhas.size(), achados.size() + 1);
    const Linha& cabecalho = linhas[0];
    for (std::size_t i = 0; i < achados.size(); ++i) {
      const nlohmann::ordered_json& a = achados[i];
      ASSERT_EQ(linhas[i + 1].size(), cabecalho.size()) << i;
      std::size_t c = 0;
      for (const auto& [chave, valor] : a.items()) {
        if (chave == "type") continue;
        if (chave == "field") {
          for (const char* parte : {"number", "name", "first_column", "last_column"}) {
            EXPECT_EQ(cabecalho[c], std::string("field_") + parte);
            EXPECT_EQ(linhas[i + 1][c++], valor.is_null() ? "" : ComoCelula(valor[parte]));
          }
          continue;
        }
        EXPECT_EQ(cabecalho[c], chave);
        EXPECT_EQ(linhas[i + 1][c++], ComoCelula(valor)) << "finding " << i << ", " << chave;
      }
      EXPECT_EQ(c, cabecalho.size());
    }
  }
}

TEST(SaidaCsv, ContagemDepoisDosRelatoriosDoMaisFrequenteAoMenos) {
  const SaidaCli s = Roda("-q --summary --tally" + Amostras() + Amostras());
  std::vector<std::pair<long, long>> contagens;  // findings, files
  std::string ultima;
  std::size_t inicio = 0;
  long total = 0;
  for (std::size_t fim; (fim = s.out.find('\n', inicio)) != std::string::npos; inicio = fim + 1) {
    const std::string linha = s.out.substr(inicio, fim - inicio);
    if (!linha.starts_with("TALLY\t")) {
      EXPECT_TRUE(contagens.empty()) << "a tally line before the summary ends: " << linha;
      continue;
    }
    // TALLY, catalogue, code, findings, files, message.
    std::vector<std::string> partes;
    for (std::size_t p = 0, q; p <= linha.size(); p = q + 1) {
      q = std::min(linha.find('\t', p), linha.size());
      partes.push_back(linha.substr(p, q - p));
    }
    ASSERT_EQ(partes.size(), 6u) << linha;
    EXPECT_TRUE(partes[1] == "M" || partes[1] == "ST") << linha;
    EXPECT_FALSE(partes[5].empty()) << linha;
    contagens.emplace_back(std::stol(partes[3]), std::stol(partes[4]));
    total += contagens.back().first;
  }
  ASSERT_FALSE(contagens.empty());
  for (std::size_t i = 1; i < contagens.size(); ++i)
    EXPECT_GE(contagens[i - 1], contagens[i]) << "tally line " << i;
  // Each sample given twice: every code is in an even number of files.
  for (const auto& [achados, arquivos] : contagens) EXPECT_EQ(arquivos % 2, 0);
  const std::string totalLinha = "TOTAL\t10\t2\t8\t0\t";
  const std::size_t t = s.out.find(totalLinha);
  ASSERT_NE(t, std::string::npos) << s.out;
  EXPECT_EQ(std::stol(s.out.substr(t + totalLinha.size())), total);
}

}  // namespace
}  // namespace rolval
