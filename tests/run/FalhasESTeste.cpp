// Input/output faults: a write that fails at the Nth call, a read that fails mid-file. Whatever
// fails, no report says "OK" afterwards, the input is never opened for writing nor changed, and
// the outcome is the one the failure handler promises for the failure's class.
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/Apoio.h"

namespace rolval {
namespace {

using namespace teste;

// The system's calls, with one write failing at its Nth call and reads of the input failing
// after a number of bytes; remembers how every file was opened.
class SistemaComFalhas : public SistemaArquivos {
 public:
  int escritaQueFalha = 0;  // 1-based; 0: none
  int erroDaEscrita = ENOSPC;
  std::int64_t leituraFalhaApos = -1;  // bytes of the input read before reads fail; -1: never
  std::string entrada;
  int escritas = 0;
  bool falhou = false;
  bool entradaAbertaParaEscrita = false;

  int Abre(const char* caminho, int flags, mode_t modo) override {
    const int fd = SistemaArquivos::Abre(caminho, flags, modo);
    if (caminho == entrada) {
      if ((flags & O_ACCMODE) != O_RDONLY) entradaAbertaParaEscrita = true;
      fdEntrada_ = fd;
      lidos_ = 0;
    }
    return fd;
  }
  ssize_t Le(int fd, void* destino, std::size_t n) override {
    if (fd == fdEntrada_ && leituraFalhaApos >= 0) {
      if (lidos_ >= leituraFalhaApos) {
        falhou = true;
        errno = EIO;
        return -1;
      }
      n = std::min<std::size_t>(n, static_cast<std::size_t>(leituraFalhaApos - lidos_));
    }
    const ssize_t r = SistemaArquivos::Le(fd, destino, n);
    if (fd == fdEntrada_ && r > 0) lidos_ += r;
    return r;
  }
  int Fecha(int fd) override {
    if (fd == fdEntrada_) fdEntrada_ = -1;  // the number may be reused by the next file opened
    return SistemaArquivos::Fecha(fd);
  }
  ssize_t Escreve(int fd, const void* origem, std::size_t n) override {
    if (++escritas == escritaQueFalha) {
      falhou = true;
      errno = erroDaEscrita;
      return -1;
    }
    return SistemaArquivos::Escreve(fd, origem, n);
  }

 private:
  int fdEntrada_ = -1;
  std::int64_t lidos_ = 0;
};

std::string Registro(const std::string& tipo, std::size_t tamanho) {
  std::string l = tipo + (tipo == "A0" ? "RST02" : "");
  l.resize(tamanho, '0');
  return l;
}

// An ST 02 file of many lines with findings (unknown record types, each after an A1 so that it
// keeps the A1 length) and a last line of the wrong length.
std::string ArquivoComAchados() {
  std::vector<std::string> linhas = {Registro("A0", 797)};
  for (int i = 0; i < 3000; ++i) linhas.push_back(Registro(i % 3 == 1 ? "B1" : "A1", 50));
  linhas.push_back(Registro("A1", 49));
  return ComCRLF(linhas);
}

struct Desfecho1 {
  Desfecho desfecho;
  std::string param;
  std::vector<TelaGravada::Mensagem> mensagens;
  std::string saida;
};

Desfecho1 Executa(SistemaComFalhas& sistema, const std::string& conteudo) {
  PastaTemporaria pasta;
  const auto arquivo = (pasta / "entrada.txt").string();
  EscreveArquivo(arquivo, conteudo);
  sistema.entrada = arquivo;
  TelaGravada tela;
  Execucao execucao(pasta.caminho(), tela);
  execucao.DefineSistemaArquivos(sistema);
  const Desfecho d = ValidaArquivo(execucao, arquivo, TabelaSoEnquadramento());
  EXPECT_EQ(LeArquivo(arquivo), conteudo) << "the input file was changed";
  EXPECT_FALSE(sistema.entradaAbertaParaEscrita);
  return {d, LeArquivo(pasta / NomeParam), tela.mensagens, LeArquivo(pasta / NomeSaida)};
}

TEST(FalhaDeEscrita, DiscoCheioEmCadaEscritaPossivel) {
  const std::string conteudo = ArquivoComAchados();
  SistemaComFalhas semFalha;
  const auto normal = Executa(semFalha, conteudo);
  ASSERT_EQ(normal.desfecho, Desfecho::RelatorioNOK);
  ASSERT_GT(semFalha.escritas, 2);
  for (int n = 1; n <= semFalha.escritas; ++n) {
    SistemaComFalhas sistema;
    sistema.escritaQueFalha = n;
    const auto r = Executa(sistema, conteudo);
    ASSERT_TRUE(sistema.falhou) << n;
    EXPECT_EQ(r.desfecho, Desfecho::SemRelatorio) << n;
    ASSERT_EQ(r.mensagens.size(), 1u) << n;
    EXPECT_EQ(r.mensagens[0].texto, "Disco Cheio. Não é possível Executar Validador.");
    EXPECT_EQ(r.param.find("OK\r\n"), std::string::npos) << n << ": " << r.param;
  }
}

TEST(FalhaDeEscrita, ErroDeDispositivoDeixaRelatorioComOAchado28) {
  const std::string conteudo = ArquivoComAchados();
  SistemaComFalhas semFalha;
  Executa(semFalha, conteudo);
  for (int n = 1; n <= semFalha.escritas; ++n) {
    SistemaComFalhas sistema;
    sistema.escritaQueFalha = n;
    sistema.erroDaEscrita = EIO;
    const auto r = Executa(sistema, conteudo);
    ASSERT_TRUE(sistema.falhou);
    EXPECT_TRUE(r.mensagens.empty()) << n;
    EXPECT_NE(r.desfecho, Desfecho::RelatorioOK);
    EXPECT_NE(r.param, "\r\nOK\r\n");
    if (r.desfecho == Desfecho::RelatorioSemJanela) {
      EXPECT_EQ(r.param, "\r\nNOK\r\n");
      EXPECT_NE(r.saida.find(L1("Não pode ler unidade informada")), std::string::npos) << n;
    }
  }
}

TEST(FalhaDeLeitura, NoMeioDoArquivo) {
  const std::string conteudo = ArquivoComAchados();
  for (const std::int64_t apos : {std::int64_t{0}, std::int64_t{10}, std::int64_t{797 + 2 + 500},
                                  static_cast<std::int64_t>(conteudo.size() - 10)}) {
    SistemaComFalhas sistema;
    sistema.leituraFalhaApos = apos;
    const auto r = Executa(sistema, conteudo);
    ASSERT_TRUE(sistema.falhou) << apos;
    EXPECT_NE(r.desfecho, Desfecho::RelatorioOK);
    EXPECT_NE(r.param, "\r\nOK\r\n");
    if (apos < 797) {
      // The first line could not be read: nothing was recognised, so no report.
      EXPECT_EQ(r.desfecho, Desfecho::SemRelatorio);
    } else {
      EXPECT_EQ(r.desfecho, Desfecho::RelatorioSemJanela) << apos;
      EXPECT_NE(r.saida.find(L1("000 000 Não pode ler unidade informada")), std::string::npos)
          << apos;
    }
  }
}

TEST(EntradaQueNaoEArquivoComum, FifoNaoPrendeAExecucao) {
  PastaTemporaria pasta;
  const auto fifo = (pasta / "fila").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto r = ExecutaArquivo(fifo, pasta.caminho(), TabelaSoEnquadramento());
  EXPECT_EQ(r.desfecho, Desfecho::SemRelatorio);
  ASSERT_EQ(r.tela.mensagens.size(), 1u);
  EXPECT_EQ(r.tela.mensagens[0].texto,
            "Não foi possível acessar o arquivo que você marcou para ser validado.");
}

}  // namespace
}  // namespace rolval
