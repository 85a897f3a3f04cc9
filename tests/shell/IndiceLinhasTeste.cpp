// The line index of the record view: the same lines, by the same numbers, as the validator reads
// them; a file changed or gone since the run is said to be so instead of shown.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "run/Arquivos.h"
#include "shell/IndiceLinhas.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {
namespace {

// The lines of a file as the validator's reader gives them.
std::vector<std::string> LinhasDoValidador(const std::string& caminho) {
  LeitorLinhas leitor;
  leitor.Abre(caminho);
  std::vector<std::string> linhas;
  std::string linha;
  while (!leitor.Fim()) {
    leitor.LeLinha(linha, 1 << 24);
    linhas.push_back(linha);
  }
  return linhas;
}

// Every line of the file through the index compared with the validator's, and one past the end.
void ConfereComOValidador(const std::filesystem::path& arquivo, const std::string& rotulo) {
  const std::string caminho = arquivo.string();
  const std::vector<std::string> esperadas = LinhasDoValidador(caminho);
  IndiceLinhas indice(caminho, MarcaDe(caminho));
  for (std::size_t i = 0; i < esperadas.size(); ++i) {
    const LinhaArquivo lida = indice.Le(static_cast<std::int64_t>(i + 1), 1 << 24);
    ASSERT_EQ(lida.situacao, SituacaoLinha::Lida) << rotulo << " line " << i + 1;
    ASSERT_EQ(lida.bytes, esperadas[i]) << rotulo << " line " << i + 1;
    EXPECT_FALSE(lida.cortada);
  }
  EXPECT_EQ(indice.QtdLinhas(), static_cast<std::int64_t>(esperadas.size())) << rotulo;
  EXPECT_EQ(indice.Le(static_cast<std::int64_t>(esperadas.size() + 1), 100).situacao,
            SituacaoLinha::LinhaInexistente)
      << rotulo;
  EXPECT_EQ(indice.Le(0, 100).situacao, SituacaoLinha::LinhaInexistente) << rotulo;
}

TEST(IndiceLinhas, AsMesmasLinhasQueOValidadorComCadaFimDeLinha) {
  const struct {
    const char* rotulo;
    std::string conteudo;
  } casos[] = {
      {"CR LF", "AAA\r\nBBB\r\nCCC\r\n"},
      {"last line without its end", "AAA\r\nBBB"},
      {"lone CR", "AAA\rBBB\rCCC"},
      {"lone LF is part of the line", "AA\nA\r\nB\nB\n\r\n\nC"},
      {"CR at the very end", "AAA\r"},
      {"CR CR LF", "AAA\r\r\nBBB\r\n"},
      {"empty lines", "\r\n\r\n\r\nX\r\n"},
      {"one byte", "X"},
      {"only LF", "\n\n\n"},
      {"empty file", ""},
  };
  PastaTemporaria pasta;
  for (const auto& c : casos) {
    EscreveArquivo(pasta / "f.txt", c.conteudo);
    ConfereComOValidador(pasta / "f.txt", c.rotulo);
  }
}

TEST(IndiceLinhas, MuitasLinhasELinhasQueAtravessamOsBlocosDeLeitura) {
  PastaTemporaria pasta;
  // Drawn lines of CR, LF and letters, many more than one step of the index; and a file whose
  // CR LF pairs fall across the reader's 1 MiB and 64 KiB blocks.
  std::mt19937 sorteio(7);
  std::string sorteado;
  for (int i = 0; i < 20000; ++i) sorteado.push_back("\r\nab"[sorteio() % 4]);
  EscreveArquivo(pasta / "sorteado.txt", sorteado);
  ConfereComOValidador(pasta / "sorteado.txt", "drawn");

  for (const std::size_t fronteira : {std::size_t{1} << 20, std::size_t{1} << 16}) {
    for (const std::size_t desvio : {0, 1, 2}) {
      std::string grande(fronteira + 5000, 'x');
      for (std::size_t p = 899; p < grande.size(); p += 900) grande[p] = '\r';
      grande[fronteira - desvio] = '\r';
      grande[fronteira - desvio + 1] = '\n';
      grande[fronteira + 3] = '\r';  // a lone CR just after the block's start
      EscreveArquivo(pasta / "grande.txt", grande);
      ConfereComOValidador(pasta / "grande.txt",
                           "block " + std::to_string(fronteira) + " -" + std::to_string(desvio));
    }
  }
}

TEST(IndiceLinhas, LinhaMaisLongaQueOLimiteVemCortada) {
  PastaTemporaria pasta;
  EscreveArquivo(pasta / "f.txt", "0123456789\r\nABC\r\n");
  const std::string caminho = (pasta / "f.txt").string();
  IndiceLinhas indice(caminho, MarcaDe(caminho));
  LinhaArquivo lida = indice.Le(1, 4);
  EXPECT_EQ(lida.bytes, "0123");
  EXPECT_TRUE(lida.cortada);
  lida = indice.Le(2, 3);
  EXPECT_EQ(lida.bytes, "ABC");
  EXPECT_FALSE(lida.cortada);
}

TEST(IndiceLinhas, ArquivoAlteradoOuAusenteNaoEMostrado) {
  PastaTemporaria pasta;
  const std::filesystem::path arquivo = pasta / "f.txt";
  const std::string caminho = arquivo.string();
  auto prepara = [&] {
    EscreveArquivo(arquivo, "AAA\r\nBBB\r\n");
    std::filesystem::last_write_time(
        arquivo, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    return MarcaDe(caminho);
  };
  using Mudanca = void (*)(const std::filesystem::path&);
  const struct {
    const char* rotulo;
    Mudanca muda;
    SituacaoLinha situacao;
  } casos[] = {
      {"longer", [](const std::filesystem::path& f) { EscreveArquivo(f, "AAA\r\nBBB\r\nC\r\n"); },
       SituacaoLinha::ArquivoAlterado},
      {"same size, newer",
       [](const std::filesystem::path& f) { EscreveArquivo(f, "AAA\r\nBBX\r\n"); },
       SituacaoLinha::ArquivoAlterado},
      {"same bytes, touched",
       [](const std::filesystem::path& f) {
         std::filesystem::last_write_time(f, std::filesystem::file_time_type::clock::now());
       },
       SituacaoLinha::ArquivoAlterado},
      {"removed", [](const std::filesystem::path& f) { std::filesystem::remove(f); },
       SituacaoLinha::ArquivoAusente},
  };
  for (const auto& c : casos) {
    // Changed before the first look, and changed after the index was built.
    for (const bool indexadoAntes : {false, true}) {
      const std::optional<MarcaArquivo> marca = prepara();
      ASSERT_TRUE(marca.has_value());
      IndiceLinhas indice(caminho, marca);
      if (indexadoAntes) {
        ASSERT_EQ(indice.Le(2, 100).bytes, "BBB");
      }
      c.muda(arquivo);
      EXPECT_EQ(indice.Le(2, 100).situacao, c.situacao) << c.rotulo << " " << indexadoAntes;
    }
  }

  // The run could not examine the file: whatever is there now is not known to be it.
  EscreveArquivo(arquivo, "AAA\r\n");
  EXPECT_EQ(IndiceLinhas(caminho, std::nullopt).Le(1, 100).situacao,
            SituacaoLinha::ArquivoAlterado);
  EXPECT_EQ(IndiceLinhas((pasta / "nunca.txt").string(), std::nullopt).Le(1, 100).situacao,
            SituacaoLinha::ArquivoAusente);
}

TEST(IndiceLinhas, LeArquivoSoDeLeituraSemAlteraLo) {
  PastaTemporaria pasta;
  const std::filesystem::path arquivo = pasta / "f.txt";
  EscreveArquivo(arquivo, "AAA\r\nBBB\r\n");
  std::filesystem::permissions(arquivo, std::filesystem::perms::owner_read);
  const std::string caminho = arquivo.string();
  const std::optional<MarcaArquivo> marca = MarcaDe(caminho);
  IndiceLinhas indice(caminho, marca);
  EXPECT_EQ(indice.Le(2, 100).bytes, "BBB");
  EXPECT_EQ(indice.Le(1, 100).bytes, "AAA");
  EXPECT_EQ(MarcaDe(caminho), marca);
  EXPECT_EQ(LeArquivo(arquivo), "AAA\r\nBBB\r\n");
  std::filesystem::permissions(arquivo, std::filesystem::perms::owner_all);
}

TEST(IndiceLinhas, ArquivoQueNaoSePodeAbrirEIlegivel) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser opens any file";
  PastaTemporaria pasta;
  const std::filesystem::path arquivo = pasta / "f.txt";
  EscreveArquivo(arquivo, "AAA\r\n");
  const std::string caminho = arquivo.string();
  IndiceLinhas indice(caminho, MarcaDe(caminho));
  std::filesystem::permissions(arquivo, std::filesystem::perms::none);
  const LinhaArquivo lida = indice.Le(1, 100);
  std::filesystem::permissions(arquivo, std::filesystem::perms::owner_all);
  EXPECT_EQ(lida.situacao, SituacaoLinha::ArquivoIlegivel);
  EXPECT_EQ(lida.erro, EACCES);
}

}  // namespace
}  // namespace rolval::teste
