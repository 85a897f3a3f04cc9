// Findings: building a finding line and writing it to the findings log, the Latin-1 conversion
// of the messages, and the UTF-8 conversion of a report for the terminal.
#include <benchmark/benchmark.h>

#include <string>

#include "layouts/Layouts.h"
#include "run/Execucao.h"
#include "run/Latin1.h"

namespace rolval {
namespace {

// A run whose findings log is its private work file, as in a real run (in memory, then spilled to
// an unnamed temporary file as it grows).
class ExecucaoDeMedida {
 public:
  explicit ExecucaoDeMedida(std::string_view documento) : execucao_({}, tela_) {
    AdotaLayout(execucao_, *LayoutDe(documento));
    execucao_.arquivoAchados.Abre();
    execucao_.RegistroAtual.Inscricao = "1234567897";
    execucao_.RegistroAtual.MesAnoRef = "052005";
    execucao_.NumLinha = 12345;
  }
  Execucao& operator*() { return execucao_; }

 private:
  TelaMuda tela_;
  Execucao execucao_;
};

void BM_GravaErroMensal(benchmark::State& estado) {
  ExecucaoDeMedida ex(DocROL05);
  for (auto _ : estado) (*ex).GravaErro(static_cast<CodigoM>(estado.range(0)), 26, 35);
  estado.SetItemsProcessed(estado.iterations());
}
// Code 4 has accents to convert, code 7 none, code 36 is built with the CFOP.
BENCHMARK(BM_GravaErroMensal)->Arg(4)->Arg(7)->Arg(36);

void BM_GravaErroST(benchmark::State& estado) {
  ExecucaoDeMedida ex(DocROLST02);
  for (auto _ : estado) (*ex).GravaErroST(static_cast<CodigoST>(estado.range(0)), 12, 100, 114);
  estado.SetItemsProcessed(estado.iterations());
}
// Code 22 from the catalogue, 11 and 15 built with the field number.
BENCHMARK(BM_GravaErroST)->Arg(22)->Arg(11)->Arg(15);

void BM_AcrescentaLatin1Mensagem(benchmark::State& estado) {
  const std::string_view mensagem = "Cálculo ICMS Subst. Trib. Incorreto";
  std::string destino;
  for (auto _ : estado) {
    destino.clear();
    AcrescentaLatin1(destino, mensagem);
    benchmark::DoNotOptimize(destino.data());
  }
  estado.SetBytesProcessed(estado.iterations() * static_cast<std::int64_t>(mensagem.size()));
}
BENCHMARK(BM_AcrescentaLatin1Mensagem);

// A 64 KB block of report lines, as the command line converts the report for its output.
void BM_AcrescentaUtf8Relatorio(benchmark::State& estado) {
  const std::string linha =
      ParaLatin1("    123/4567897 05/2005 1234 026 035 Dígito controle inválido\r\n");
  std::string bloco;
  while (bloco.size() + linha.size() <= 65536) bloco += linha;
  std::string destino;
  for (auto _ : estado) {
    destino.clear();
    AcrescentaUtf8(destino, bloco);
    benchmark::DoNotOptimize(destino.data());
  }
  estado.SetBytesProcessed(estado.iterations() * static_cast<std::int64_t>(bloco.size()));
}
BENCHMARK(BM_AcrescentaUtf8Relatorio);

void BM_EscreveLinha(benchmark::State& estado) {
  ArquivoSaida saida;
  saida.Cria("/dev/null");
  const std::string linha(60, 'x');
  for (auto _ : estado) saida.EscreveLinha(linha);
  estado.SetBytesProcessed(estado.iterations() * 62);
}
BENCHMARK(BM_EscreveLinha);

}  // namespace
}  // namespace rolval
