// A run whose input's bytes come slice by slice, as the page gives a file while it reads the next
// slice: the same report as the run of the whole file, whatever the slices' size, and a read that
// fails half-way ends the run as a device's failure does.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "layouts/Layouts.h"
#include "tests/support/Apoio.h"

namespace rolval {
namespace {

using namespace teste;

struct Corrida {
  Desfecho desfecho;
  std::string saida;
  std::string param;
  int passos = 0;  // the steps that handed back waiting for more bytes
};

// The run of `caminho`, its bytes given `fatia` at a time; the file's read fails after
// `falhaEm` bytes when that is less than its length.
Corrida CorreEmFatias(const std::string& caminho, std::size_t fatia,
                      std::size_t falhaEm = std::string::npos) {
  const std::string bytes = LeArquivo(caminho);
  TelaGravada tela;
  Execucao execucao({}, tela);
  EntradaEmFatias entrada;
  execucao.entrada.Usa(entrada);
  CorridaArquivo corrida(execucao, caminho, TabelaPadrao());
  Corrida r{};
  std::size_t dados = 0;
  bool segue = true;
  while (segue) {
    if (dados >= falhaEm) {
      entrada.Falha();
      while (corrida.Avanca()) {
      }
      break;
    }
    const std::size_t n = std::min(fatia, bytes.size() - dados);
    std::copy_n(bytes.data() + dados, n, entrada.Espaco(n));
    dados += n;
    entrada.Recebe(n, dados == bytes.size());
    segue = corrida.Avanca();
    if (segue) ++r.passos;
    EXPECT_TRUE(segue || dados == bytes.size() || corrida.Resultado() == Desfecho::RelatorioNOK)
        << "a run that ends before its file's last slice found what stops its reading";
  }
  r.desfecho = corrida.Resultado();
  r.saida = execucao.Relatorio().Texto();
  r.param = execucao.TextoParam();
  return r;
}

TEST(CorridaEmFatias, MesmoRelatorioQueOArquivoInteiro) {
  PastaTemporaria pasta;
  // Bytes changed so that a line is cut by a lone CR, longer than its limit, or of a wrong
  // length: the run stops reading where the whole file's run stops.
  std::string cortado = LeArquivo(Amostra("rol05-limpo.txt"));
  cortado[900 + 17] = '\r';
  std::string longo = LeArquivo(Amostra("rolst02-limpo.txt"));
  longo.insert(300, std::string(3000, '9'));
  EscreveArquivo(pasta / "cortado.txt", cortado);
  EscreveArquivo(pasta / "longo.txt", longo);
  std::vector<std::string> arquivos = {(pasta / "cortado.txt").string(),
                                       (pasta / "longo.txt").string()};
  for (const char* nome :
       {"rol03-com-erros.txt", "rol03-limpo.txt", "rol05-com-erros.txt", "rol05-limpo.txt",
        "rolst01-com-erros.txt", "rolst01-limpo.txt", "rolst02-com-erros.txt", "rolst02-limpo.txt"})
    arquivos.push_back(Amostra(nome).string());
  for (const std::string& arquivo : arquivos) {
    const ResultadoExecucao inteiro = ExecutaArquivo(arquivo, pasta.caminho(), TabelaPadrao());
    for (const std::size_t fatia : {1u, 2u, 899u, 900u, 901u, 1027u, 65536u}) {
      SCOPED_TRACE(arquivo + " in slices of " + std::to_string(fatia));
      const Corrida r = CorreEmFatias(arquivo, fatia);
      EXPECT_EQ(r.desfecho, inteiro.desfecho);
      EXPECT_EQ(r.saida, inteiro.saida);
      EXPECT_EQ(r.param, inteiro.param);
      // Slices shorter than a line make the run hand back and wait.
      if (fatia < 900) {
        EXPECT_GT(r.passos, 0);
      }
    }
  }
}

TEST(CorridaEmFatias, LeituraQueFalhaNoMeio) {
  const std::string arquivo = Amostra("rol05-limpo.txt").string();
  const Corrida r = CorreEmFatias(arquivo, 4096, 8192);
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioSemJanela);
  EXPECT_NE(r.saida.find(L1("Não pode ler unidade informada")), std::string::npos) << r.saida;
  // Before the first line came: no report, as when the file cannot be read at all.
  EXPECT_EQ(CorreEmFatias(arquivo, 4096, 0).desfecho, Desfecho::SemRelatorio);
}

}  // namespace
}  // namespace rolval
