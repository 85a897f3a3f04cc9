// Fuzz target: one whole run, with every layout, of a file holding the fuzzer's bytes. Besides
// crashes it catches a run whose outcome, report and status file disagree.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/Bancada.h"
#include "layouts/Layouts.h"

using namespace rolval;

namespace {

// Remembers what the run showed, without keeping anything per line.
class TelaConferida : public Tela {
 public:
  void MostraProgresso() override { ++mostrou; }
  void AtualizaProgresso() override {}
  void DefineValorProgresso(float valor) override {
    if (!(valor >= 0.0f && valor <= 100.0f)) foraDaFaixa = true;
  }
  void DefineVer(std::string_view) override {}
  void DefineContrib(std::string_view) override {}
  void EscondeProgresso() override { ++escondeu; }
  void MostraSaida() override { ++saidas; }
  void MostraMensagem(std::string_view, std::string_view, IconeMensagem) override { ++mensagens; }

  int mostrou = 0, escondeu = 0, saidas = 0, mensagens = 0;
  bool foraDaFaixa = false;
};

[[noreturn]] void Quebra(const char* motivo) {
  std::fprintf(stderr, "rolval fuzz: %s\n", motivo);
  std::abort();
}

// A size of the input's reads drawn from the input itself (the same input, the same size): from
// one byte at a time to a whole small file.
std::size_t FatiaDe(const std::uint8_t* dados, std::size_t tamanho) {
  std::uint32_t h = 2166136261u;
  for (std::size_t i = 0; i < tamanho; ++i) h = (h ^ dados[i]) * 16777619u;
  return 1 + h % 1031;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  fuzz::SistemaMemoria& sistema = fuzz::Sistema();
  // The same file read in pieces of another size: the reader must find the same lines.
  sistema.NovaEntrada(dados, tamanho);
  sistema.DefineFatia(FatiaDe(dados, tamanho));
  Desfecho desfechoEmFatias{};
  std::string saidaEmFatias, paramEmFatias;
  {
    TelaMuda tela;
    Execucao ex({}, tela);
    ex.DefineSistemaArquivos(sistema);
    desfechoEmFatias = ValidaArquivo(ex, sistema.NovaEntrada(dados, tamanho), TabelaPadrao());
    saidaEmFatias = ex.Relatorio().Texto();
    paramEmFatias = ex.TextoParam();
  }
  sistema.DefineFatia(0);

  const std::string caminho = sistema.NovaEntrada(dados, tamanho);
  TelaConferida tela;
  Execucao ex({}, tela);
  ex.DefineSistemaArquivos(sistema);
  const Desfecho desfecho = ValidaArquivo(ex, caminho, TabelaPadrao());
  if (desfecho != desfechoEmFatias || ex.Relatorio().Texto() != saidaEmFatias ||
      ex.TextoParam() != paramEmFatias)
    Quebra("the outcome depends on how many bytes a read brings");

  if (tela.foraDaFaixa) Quebra("progress value outside 0-100");
  if (tela.mostrou != 1 || tela.escondeu != 1)
    Quebra("the progress window was not shown and hidden once");
  switch (desfecho) {
    case Desfecho::RelatorioOK:
    case Desfecho::RelatorioNOK:
      if (tela.saidas != 1 || tela.mensagens != 0)
        Quebra("a report without exactly the output window");
      if ((desfecho == Desfecho::RelatorioNOK) != ex.HouveErro)
        Quebra("the outcome disagrees with the findings");
      fuzz::ConfereRelatorio(ex);
      break;
    case Desfecho::RelatorioSemJanela:
      // Only a missing file or a device error gets here, and the memory file system has neither.
      Quebra("a failure of access or device from a file in memory");
    case Desfecho::SemRelatorio:
      if (tela.saidas != 0 || tela.mensagens != 1) Quebra("no report, but not exactly one message");
      if (ex.Relatorio().Tamanho() != 0 || !ex.TextoParam().empty())
        Quebra("a report was written but the outcome says none");
      break;
  }
  // A file of no bytes has no first line: the run can only end on the message.
  if (tamanho == 0 && desfecho != Desfecho::SemRelatorio) Quebra("an empty file got a report");
  return 0;
}
