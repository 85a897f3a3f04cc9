// Reading records: the line reader over a file in the page cache, and the fields of a record's
// prefix as every validator reads them.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "run/Arquivos.h"
#include "run/Execucao.h"

namespace rolval {
namespace {

// A header record of the monthly return: prefix, then digits up to its length of 898.
std::string RegistroMensal() {
  std::string r = "****0500000000 0131052005123456789700010ABC ";
  r.resize(898, '0');
  return r;
}

void BM_LePrefixoDoRegistro(benchmark::State& estado) {
  const std::string linha = RegistroMensal();
  PrefixoRegistro reg;
  for (auto _ : estado) {
    reg.LeIdentificacaoMensal(linha);
    reg.Sequencia = Campo(linha, 36, 4);
    reg.TipoRegistro = Campo(linha, 40, 4);
    benchmark::DoNotOptimize(reg);
  }
  estado.SetItemsProcessed(estado.iterations());
}
BENCHMARK(BM_LePrefixoDoRegistro);

// A file of records in a temporary folder, removed at the end.
class ArquivoDeRegistros {
 public:
  explicit ArquivoDeRegistros(int registros) {
    char modelo[] = "/tmp/rolval-micro-XXXXXX";
    if (::mkdtemp(modelo) != nullptr) pasta_ = modelo;
    caminho_ = (pasta_ / "registros.txt").string();
    std::ofstream saida(caminho_, std::ios::binary);
    const std::string registro = RegistroMensal();
    for (int i = 0; i < registros; ++i) saida << registro << "\r\n";
    bytes_ = static_cast<std::int64_t>(registros) * static_cast<std::int64_t>(registro.size() + 2);
  }
  ~ArquivoDeRegistros() {
    std::error_code ignorado;
    std::filesystem::remove_all(pasta_, ignorado);
  }
  const std::string& caminho() const { return caminho_; }
  std::int64_t bytes() const { return bytes_; }

 private:
  std::filesystem::path pasta_;
  std::string caminho_;
  std::int64_t bytes_ = 0;
};

void BM_LeLinhasDoArquivo(benchmark::State& estado) {
  const ArquivoDeRegistros arquivo(20000);  // 18 MB
  std::string linha;
  for (auto _ : estado) {
    LeitorLinhas leitor;
    leitor.Abre(arquivo.caminho());
    while (!leitor.Fim()) {
      leitor.LeLinha(linha, 1024);
      benchmark::DoNotOptimize(linha.data());
    }
  }
  estado.SetBytesProcessed(estado.iterations() * arquivo.bytes());
}
BENCHMARK(BM_LeLinhasDoArquivo)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rolval
