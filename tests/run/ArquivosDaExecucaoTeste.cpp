// The run's own files: work files in memory that move to an unnamed file when large, the report
// published whole in its folder, the input never written, a file that changes while it is read.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/Apoio.h"

namespace rolval {
namespace {

using namespace teste;

std::string LinhaMensal05(char preenche = '0') {
  std::string l =
      "****0500000000 0131012005"
      "1234567890"
      "0001"
      "ABC ";
  l.resize(898, preenche);
  return l;
}

// A layout ST 02 file whose records after the first have an unknown type: one finding each.
std::string ArquivoComAchados(int achados) {
  std::string a0 = "A0RST02";
  a0.resize(797, '0');
  std::string zz = "ZZ";
  zz.resize(797, '0');
  std::string conteudo = a0 + "\r\n";
  for (int i = 0; i < achados; ++i) conteudo += zz + "\r\n";
  return conteudo;
}

[[maybe_unused]] std::int64_t PicoDeMemoriaKiB() {
  rusage uso{};
  ::getrusage(RUSAGE_SELF, &uso);
  return uso.ru_maxrss;
}

TEST(ArquivoTrabalho, GuardaOsBytesEmMemoriaOuNumArquivoSemNome) {
  PastaTemporaria pasta;
  std::string esperado;
  for (int i = 0; i < 5000; ++i) esperado += "linha " + std::to_string(i) + "\r\n";
  struct Caso {
    const char* nome;
    std::size_t limite;
    bool emArquivo;
  };
  for (const Caso& c : {Caso{"em memoria", ArquivoTrabalho::LimitePadrao, false},
                        Caso{"num arquivo", 1000, true}}) {
    SCOPED_TRACE(c.nome);
    ArquivoTrabalho arquivo;
    arquivo.DefineTransbordo(pasta.caminho().string(), c.limite);
    arquivo.Abre();
    for (int i = 0; i < 5000; ++i) arquivo.EscreveLinha("linha " + std::to_string(i));
    arquivo.Fecha();
    EXPECT_EQ(arquivo.EmArquivo(), c.emArquivo);
    EXPECT_EQ(arquivo.Tamanho(), static_cast<std::int64_t>(esperado.size()));
    EXPECT_EQ(arquivo.Texto(), esperado);
    EXPECT_EQ(arquivo.Texto(), esperado) << "read twice";
    // The content goes with the object when it changes hands.
    ArquivoTrabalho outro = std::move(arquivo);
    EXPECT_EQ(outro.Texto(), esperado);
    EXPECT_EQ(arquivo.Tamanho(), 0);
    // No file of it has a name in its folder.
    EXPECT_TRUE(std::filesystem::is_empty(pasta.caminho()));
  }
}

TEST(ArquivoTrabalho, RelatorioGrandeNaoCresceAMemoria) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's own bookkeeping of freed memory makes the peak meaningless";
#else
  // 600,000 finding lines of about 80 bytes: 48 MB through a work file, then a report of them.
  const std::string linha(78, 'x');
  const std::int64_t antes = PicoDeMemoriaKiB();
  ArquivoTrabalho achados;
  achados.Abre();
  for (int i = 0; i < 600000; ++i) achados.EscreveLinha(linha);
  achados.Fecha();
  ArquivoTrabalho relatorio;
  relatorio.Abre();
  relatorio.EscreveConteudoDe(achados);
  relatorio.Fecha();
  EXPECT_TRUE(relatorio.EmArquivo());
  EXPECT_EQ(relatorio.Tamanho(), 600000LL * 80);
  std::int64_t lidos = 0;
  relatorio.Le([&](std::string_view bloco) { lidos += static_cast<std::int64_t>(bloco.size()); });
  EXPECT_EQ(lidos, 600000LL * 80);
  EXPECT_LT(PicoDeMemoriaKiB() - antes, 8 * 1024) << "peak grew by more than 8 MiB";
#endif
}

TEST(ArquivosDaExecucao, RelatorioIgualComOuSemArquivoDeTrabalho) {
  PastaTemporaria pasta;
  EscreveArquivo(pasta / "st2.txt", ArquivoComAchados(300));
  std::string relatorios[2];
  for (int i = 0; i < 2; ++i) {
    TelaGravada tela;
    Execucao execucao({}, tela);
    // The second run's work files leave memory after 4 KiB, into the folder, without a name.
    if (i == 1) execucao.DefineTransbordo(pasta.caminho(), 4096);
    EXPECT_EQ(ValidaArquivo(execucao, (pasta / "st2.txt").string(), TabelaSoEnquadramento()),
              Desfecho::RelatorioNOK);
    EXPECT_EQ(execucao.Relatorio().EmArquivo(), i == 1);
    EXPECT_EQ(execucao.TextoParam(), "\r\nNOK\r\n");
    relatorios[i] = execucao.Relatorio().Texto();
    EXPECT_FALSE(SobrouNaPasta(pasta.caminho(), pasta / "st2.txt"));
    EXPECT_FALSE(std::filesystem::exists(pasta / NomeSaida))
        << "a run without a folder publishes nothing";
  }
  EXPECT_EQ(relatorios[0], relatorios[1]);
  EXPECT_NE(relatorios[0].find(L1("Identificação Registro Inválida")), std::string::npos);
}

TEST(ArquivosDaExecucao, PastaDoRelatorio) {
  // What a run with a report folder leaves there, from what the folder held before.
  struct Caso {
    const char* nome;
    std::function<std::string(const std::filesystem::path& pasta)> prepara;  // the input's path
    Desfecho desfecho;
    std::function<void(const std::filesystem::path& pasta, const TelaGravada& tela)> confere;
  };
  const std::string limpo = ComCRLF({LinhaMensal05()});
  const std::vector<Caso> casos = {
      {"ligacoes plantadas sao trocadas, nunca seguidas",
       [&](const std::filesystem::path& p) {
         EscreveArquivo(p / "alvo", "ALVO");
         std::filesystem::create_symlink(p / "alvo", p / NomeSaida);
         std::filesystem::create_symlink(p / "alvo", p / NomeParam);
         EscreveArquivo(p / "e.txt", limpo);
         return (p / "e.txt").string();
       },
       Desfecho::RelatorioOK,
       [](const std::filesystem::path& p, const TelaGravada&) {
         EXPECT_EQ(LeArquivo(p / "alvo"), "ALVO");
         EXPECT_TRUE(
             std::filesystem::is_regular_file(std::filesystem::symlink_status(p / NomeSaida)));
         EXPECT_EQ(LeArquivo(p / NomeParam), "\r\nOK\r\n");
       }},
      {"a entrada e o saida.txt: recusada, nada escrito",
       [&](const std::filesystem::path& p) {
         EscreveArquivo(p / NomeSaida, limpo);
         EscreveArquivo(p / NomeParam, "\r\nOK\r\n");
         return (p / NomeSaida).string();
       },
       Desfecho::SemRelatorio,
       [&](const std::filesystem::path& p, const TelaGravada& tela) {
         EXPECT_EQ(LeArquivo(p / NomeSaida), limpo);
         EXPECT_EQ(LeArquivo(p / NomeParam), "\r\nOK\r\n");
         ASSERT_EQ(tela.mensagens.size(), 1u);
         EXPECT_EQ(tela.mensagens[0].titulo, "Atenção");
         EXPECT_TRUE(tela.eventos.empty()) << "the run did not even start";
       }},
      {"a entrada e o param.txt por outro nome (ligacao fisica): recusada",
       [&](const std::filesystem::path& p) {
         EscreveArquivo(p / "e.txt", limpo);
         std::filesystem::create_hard_link(p / "e.txt", p / NomeParam);
         return (p / "e.txt").string();
       },
       Desfecho::SemRelatorio,
       [&](const std::filesystem::path& p, const TelaGravada&) {
         EXPECT_EQ(LeArquivo(p / NomeParam), limpo);
         EXPECT_FALSE(std::filesystem::exists(p / NomeSaida));
       }},
      {"a entrada e dada pela ligacao saida.txt: recusada, a ligacao fica",
       [&](const std::filesystem::path& p) {
         std::filesystem::create_directory(p / "fora");
         EscreveArquivo(p / "fora" / "e.txt", limpo);
         std::filesystem::create_symlink(p / "fora" / "e.txt", p / NomeSaida);
         return (p / NomeSaida).string();
       },
       Desfecho::SemRelatorio,
       [&](const std::filesystem::path& p, const TelaGravada&) {
         EXPECT_TRUE(std::filesystem::is_symlink(p / NomeSaida));
         EXPECT_EQ(LeArquivo(p / "fora" / "e.txt"), limpo);
       }},
      {"sem relatorio, nao fica o par de uma execucao anterior",
       [&](const std::filesystem::path& p) {
         EscreveArquivo(p / NomeSaida, "ARQUIVO OK.\r\n");
         EscreveArquivo(p / NomeParam, "\r\nOK\r\n");
         return (p / "nao-existe.txt").string();
       },
       Desfecho::SemRelatorio,
       [](const std::filesystem::path& p, const TelaGravada&) {
         EXPECT_FALSE(std::filesystem::exists(p / NomeSaida));
         EXPECT_FALSE(std::filesystem::exists(p / NomeParam));
       }},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    PastaTemporaria pasta;
    const std::string entrada = c.prepara(pasta.caminho());
    TelaGravada tela;
    Execucao execucao(pasta.caminho(), tela);
    EXPECT_EQ(ValidaArquivo(execucao, entrada, TabelaSoEnquadramento()), c.desfecho);
    c.confere(pasta.caminho(), tela);
    // Nothing half-made stays: only the files the case made and the pair.
    for (const auto& item : std::filesystem::directory_iterator(pasta.caminho()))
      EXPECT_NE(item.path().filename().string().rfind(".", 0), 0u) << item.path();
  }
}

// Changes the input file at the first progress update of the run.
class TelaQueMudaOArquivo : public TelaGravada {
 public:
  TelaQueMudaOArquivo(std::filesystem::path arquivo, std::string novo)
      : arquivo_(std::move(arquivo)), novo_(std::move(novo)) {}
  void DefineValorProgresso(float valor) override {
    if (!mudou_) EscreveArquivo(arquivo_, novo_);
    mudou_ = true;
    TelaGravada::DefineValorProgresso(valor);
  }

 private:
  std::filesystem::path arquivo_;
  std::string novo_;
  bool mudou_ = false;
};

TEST(ArquivosDaExecucao, ArquivoQueMudaDuranteALeituraNuncaEOK) {
  const std::string linha = LinhaMensal05() + "\r\n";
  struct Caso {
    const char* nome;
    std::string depois;
  };
  // Whole records before and after: only its length at the end tells that it changed.
  for (const Caso& c :
       {Caso{"encurtado", linha + linha}, Caso{"aumentado", linha + linha + linha + linha}}) {
    SCOPED_TRACE(c.nome);
    PastaTemporaria pasta;
    const auto arquivo = pasta / "muda.txt";
    EscreveArquivo(arquivo, linha + linha + linha);
    TelaQueMudaOArquivo tela(arquivo, c.depois);
    Execucao execucao(pasta.caminho(), tela);
    EXPECT_EQ(ValidaArquivo(execucao, arquivo.string(), TabelaSoEnquadramento()),
              Desfecho::RelatorioSemJanela);
    EXPECT_EQ(LeArquivo(pasta / NomeParam), "\r\nNOK\r\n");
    EXPECT_NE(LeArquivo(pasta / NomeSaida).find(L1("Não pode ler unidade informada")),
              std::string::npos);
  }
}

}  // namespace
}  // namespace rolval
