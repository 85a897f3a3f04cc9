// rolval-campos: the field tables of every record type, and how well they name the columns of
// the findings of a run.
//
//   rolval-campos                      every table, one field a line (tab-separated)
//   rolval-cli --format jsonl FILES | rolval-campos --confere
//                                      the share of findings naming columns that carry a field
//                                      whose columns contain theirs, and the findings that do
//                                      not, by catalogue, code and why their line's record type
//                                      has no such field (or that they carry none all the same)
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "layouts/CamposLayouts.h"

using namespace rolval;

namespace {

constexpr const char* NomesTipos[] = {
    "text",         "digits",         "amount", "date DDMMAAAA", "date AAAAMMDD", "period MMAAAA",
    "registration", "federal number", "unit",   "marker",        "filler"};

void ListaTabelas() {
  std::printf("record\tnumber\tname\tfirst\tlast\tkind\twidth\ttimes\n");
  for (const TabelaRegistro* t : TodasAsTabelas())
    for (const CampoRegistro& c : t->campos)
      std::printf("%.*s\t%d\t%.*s\t%d\t%d\t%s\t%d\t%d\n", static_cast<int>(t->tipo.size()),
                  t->tipo.data(), c.numero, static_cast<int>(c.nome.size()), c.nome.data(),
                  c.coluna, c.Ultima(), NomesTipos[static_cast<int>(c.tipo)], c.largura, c.vezes);
}

// The lines of the file the findings being read are about (the last one asked for).
class LinhasDoArquivo {
 public:
  const std::vector<std::string>& De(const std::string& nome) {
    if (nome == nome_) return linhas_;
    nome_ = nome;
    linhas_.clear();
    // Lines end at a CR, and an LF right after it belongs to the end, as the run reads them.
    std::ifstream entrada(nome, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(entrada), {}};
    std::size_t inicio = 0;
    while (inicio < bytes.size()) {
      std::size_t fim = bytes.find('\r', inicio);
      if (fim == std::string::npos) fim = bytes.size();
      linhas_.push_back(bytes.substr(inicio, fim - inicio));
      inicio = fim + 1;
      if (inicio < bytes.size() && bytes[inicio] == '\n') ++inicio;
    }
    return linhas_;
  }

 private:
  std::string nome_;
  std::vector<std::string> linhas_;
};

// The record type of `linha` in a file whose first line is `primeira`, as the tables name it.
std::string TipoDoRegistro(const std::string& primeira, const std::string& linha) {
  if (primeira.starts_with("****03")) return "ROL03";
  if (primeira.starts_with("****04") || primeira.starts_with("****05"))
    return linha.size() >= 43 ? linha.substr(39, 4) : "";
  if (primeira.starts_with("RST01")) return "ST01";
  if (primeira.size() >= 7 && primeira.compare(2, 5, "RST02") == 0) {
    std::string tipo = linha.substr(0, 2);
    while (!tipo.empty() && tipo.back() == ' ') tipo.pop_back();
    return tipo;
  }
  return "";
}

constexpr const char* AlemDoRegistro = "columns past the record";

// Why a finding's columns lie in no field, or nullptr when they lie in one.
const char* SemCampo(const std::vector<std::string>& linhas, int numero, int inicio, int fim) {
  if (numero < 1 || numero > static_cast<int>(linhas.size())) return "line not in the file";
  const TabelaRegistro* tabela = TabelaDoRegistro(
      TipoDoRegistro(linhas.front(), linhas[static_cast<std::size_t>(numero - 1)]));
  if (tabela == nullptr) return "line of no known record type";
  if (tabela->comprimento > 0 && (inicio > tabela->comprimento || fim > tabela->comprimento))
    return AlemDoRegistro;
  int vez = 0;
  const CampoRegistro* campo = CampoNaColuna(*tabela, inicio, &vez);
  if (campo == nullptr) return "columns in no field";
  if (campo->tipo == TipoCampo::Filler) return "columns in filler";
  if (fim > campo->ColunaDe(vez) + campo->tamanho - 1) return "columns across two fields";
  return nullptr;
}

// Whether a finding carries a field whose columns contain its own.
bool CampoContem(const nlohmann::json& achado, int inicio, int fim) {
  const auto campo = achado.find("field");
  if (campo == achado.end() || !campo->is_object()) return false;
  return campo->value("first_column", 0) <= inicio && fim <= campo->value("last_column", 0);
}

int Confere() {
  LinhasDoArquivo arquivos;
  long total = 0, dentro = 0, alem = 0;
  // Catalogue, code and reason -> count, and the message and place of the first such finding.
  std::map<std::tuple<std::string, int, std::string>, std::pair<long, std::string>> fora;
  std::string texto;
  while (std::getline(std::cin, texto)) {
    const auto j = nlohmann::json::parse(texto, nullptr, false);
    if (j.is_discarded() || j.value("type", "") != "finding") continue;
    const int inicio = j.value("first_column", 0), fim = j.value("last_column", 0);
    if (inicio <= 0 || fim <= 0) continue;
    ++total;
    if (CampoContem(j, inicio, fim)) {
      ++dentro;
      continue;
    }
    const char* motivo =
        SemCampo(arquivos.De(j.value("file", "")), j.value("line", 0), inicio, fim);
    if (motivo == nullptr) motivo = "carries no field, though its columns lie in one";
    if (motivo == AlemDoRegistro) ++alem;
    auto& f = fora[{j.value("catalogue", ""), j.value("code", 0), motivo}];
    if (f.first++ == 0)
      f.second = j.value("message", "") + " (" + j.value("file", "") + ", line " +
                 std::to_string(j.value("line", 0)) + ", columns " + std::to_string(inicio) + "-" +
                 std::to_string(fim) + ")";
  }
  std::printf("findings naming columns: %ld; carrying a field that holds them: %ld (%.2f%%)\n",
              total, dentro,
              total > 0 ? 100.0 * static_cast<double>(dentro) / static_cast<double>(total) : 100.0);
  // Columns past the record (the 999 of a CFOP amount not detailed) name no column of it.
  const long naoAlem = total - alem;
  std::printf(
      "naming columns within their record: %ld; carrying a field that holds them: %ld "
      "(%.2f%%)\n",
      naoAlem, dentro,
      naoAlem > 0 ? 100.0 * static_cast<double>(dentro) / static_cast<double>(naoAlem) : 100.0);
  for (const auto& [chave, f] : fora)
    std::printf("%8ld  %s %d  %s: %s\n", f.first, std::get<0>(chave).c_str(), std::get<1>(chave),
                std::get<2>(chave).c_str(), f.second.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 1) {
    ListaTabelas();
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--confere") == 0) return Confere();
  std::fprintf(stderr,
               "Usage: rolval-campos             list every record type's fields\n"
               "       rolval-campos --confere   read JSON Lines findings on standard input and\n"
               "                                 measure how many lie in one field\n");
  return 64;
}
