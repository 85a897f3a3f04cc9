// Bad input through the whole engine, with every layout: garbage, NUL bytes, other line ends, a
// last line without its end, a huge file with no line end, files that cannot be opened or vanish,
// and unusual paths. For each, what the user gets (report, status, window, message), and that no
// line of a file is silently skipped.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdint>
#include <filesystem>
#include <random>

#include "layouts/Layouts.h"
#include "tests/support/Apoio.h"
#include "tools/GeradorAmostras.h"

namespace rolval {
namespace {

using namespace teste;
namespace am = amostras;

const std::string Cab15(15, ' ');
const std::string Achado21 = Cab15 + "00/0000 000 000 000 Arquivo a ser validado não é ROL";
const std::string MensagemAcesso =
    "Não foi possível acessar o arquivo que você marcou para ser validado.";

// A layout-05 file of `retornos` clean returns, one item in every annex.
std::string Amostra05(std::int32_t retornos, const std::vector<am::Estrago>& estragos = {}) {
  am::OpcoesAmostra opcoes;
  opcoes.layout = "05";
  opcoes.retornos = retornos;
  opcoes.itens = 1;
  opcoes.estragos = estragos;
  return am::GeraAmostraTexto(opcoes);
}

// `conteudo` with every CR LF replaced by `fim` (or, with `alternado`, by `fim` on every other
// line).
std::string TrocaFimDeLinha(const std::string& conteudo, const std::string& fim,
                            bool alternado = false) {
  std::string r;
  std::size_t inicio = 0;
  int n = 0;
  for (std::size_t p; (p = conteudo.find("\r\n", inicio)) != std::string::npos; inicio = p + 2) {
    r.append(conteudo, inicio, p - inicio);
    r += (!alternado || n++ % 2 == 0) ? fim : "\r\n";
  }
  r.append(conteudo, inicio);
  return r;
}

// A small ST 02 return with a finding on every line it reads: a header, two A1 records, an A3
// record and, last, a record of an unknown type with an A1 length (code 6 on line 5).
std::vector<std::string> RetornoST2() {
  std::string a0 = "A0RST02";
  a0.resize(797, '0');
  std::string a1 = "A1";
  a1.resize(50, '0');
  std::string a3 = "A3";
  a3.resize(46, '0');
  std::string b1 = "B1";
  b1.resize(50, '0');
  return {a0, a1, a1, a3, b1};
}

bool TerminaCom(const std::string& s, const std::string& fim) {
  return s.size() >= fim.size() && s.compare(s.size() - fim.size(), fim.size(), fim) == 0;
}

// True when one of the finding lines ends with `fim` (line, columns and message).
bool TemAchado(const std::vector<std::string>& achados, const std::string& fim) {
  return std::any_of(achados.begin(), achados.end(),
                     [&](const std::string& a) { return TerminaCom(a, fim); });
}

// ---------------------------------------------------------------------------------------------
// Files that no layout recognises: one finding, code 21, and the report with "NOK".

TEST(EntradaIrreconhecivel, LixoBinarioENulos) {
  std::mt19937 sorteio(20240607);
  std::string lixo(8192, '\0');
  for (char& c : lixo) c = static_cast<char>(sorteio());
  lixo.replace(0, 8, "\x00\xff\r\n\x80\x7f\x10 ", 8);
  std::string quaseTag = "***05" + std::string(893, '0') + "\r\n";  // one star short
  const struct {
    const char* nome;
    std::string conteudo;
  } casos[] = {
      {"binary garbage", lixo},
      {"NUL bytes only", std::string(1800, '\0')},
      {"a tag after a NUL", std::string(1, '\0') + "****05" + std::string(891, '0') + "\r\n"},
      {"a tag one column off", quaseTag},
      {"a lone LF before the tag", "\n****05" + std::string(891, '0') + "\r\n"},
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.nome);
    const auto r = ExecutaConteudo(caso.conteudo, TabelaPadrao());
    EXPECT_EQ(r.desfecho, Desfecho::RelatorioNOK);
    ASSERT_GE(r.linhasSaida.size(), 3u);
    EXPECT_EQ(r.linhasSaida[2], "Documento: DESCONHECIDO");
    EXPECT_EQ(r.achados, std::vector<std::string>{Achado21});
    EXPECT_EQ(r.param, "\r\nNOK\r\n");
    EXPECT_FALSE(r.sobrouAuxiliar);
    EXPECT_TRUE(r.tela.mensagens.empty());
  }
}

TEST(EntradaIrreconhecivel, LixoDepoisDaMarcaDeUmLayout) {
  // "****05" and 892 bytes of garbage without a CR: one record of the right length, whose record
  // type is not "ABC ", so the first-line check stops the reading with code 49.
  std::mt19937 sorteio(7);
  std::string registro = "****05";
  while (registro.size() < 898) {
    const char c = static_cast<char>(sorteio());
    if (c != '\r') registro += c;
  }
  registro.replace(39, 4, "ABD ");
  const auto r = ExecutaConteudo(registro + "\r\n", TabelaPadrao());
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioNOK);
  ASSERT_EQ(r.achados.size(), 1u);
  EXPECT_TRUE(TerminaCom(r.achados[0], "001 040 043 Arquivo não é ROL05")) << r.achados[0];
  EXPECT_EQ(r.param, "\r\nNOK\r\n");
}

// ---------------------------------------------------------------------------------------------
// NUL bytes inside records are characters like any other: they end nothing and count as what
// they are, a character that is not a digit.

TEST(NulNosRegistros, NulEmCampoNumericoEAchadoComoUmaLetra) {
  const std::string limpo = Amostra05(2);
  ASSERT_EQ(ExecutaConteudo(limpo, TabelaPadrao()).desfecho, Desfecho::RelatorioOK);
  // The generator's "numerico" spoil puts a letter in the header's number at columns 600-614 of
  // the second return; the same field with a NUL byte must give the same findings.
  const std::string comLetra = Amostra05(2, {{"numerico", 2}});
  const auto esperado = ExecutaConteudo(comLetra, TabelaPadrao());
  ASSERT_EQ(esperado.desfecho, Desfecho::RelatorioNOK);
  ASSERT_FALSE(esperado.achados.empty());
  std::size_t diferenca = 0;
  while (diferenca < limpo.size() && limpo[diferenca] == comLetra[diferenca]) ++diferenca;
  ASSERT_LT(diferenca, limpo.size());
  std::string comNul = limpo;
  comNul[diferenca] = '\0';
  const auto r = ExecutaConteudo(comNul, TabelaPadrao());
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioNOK);
  EXPECT_EQ(r.achados, esperado.achados);
  EXPECT_EQ(r.param, "\r\nNOK\r\n");
}

TEST(NulNosRegistros, NulNaoCortaALinhaNemOArquivo) {
  // NUL bytes in an ST 02 header (in a text column and in a count) and in an A1 record: every
  // line is still read, as the finding of the last line shows, and the findings are those of the
  // same file with another character that no field expects ('#') in their place.
  const auto comCaractere = [](char c) {
    auto registros = RetornoST2();
    registros[0][400] = c;
    registros[0][796] = c;
    registros[1][20] = c;
    return ComCRLF(registros);
  };
  const auto comNul = ExecutaConteudo(comCaractere('\0'), TabelaPadrao());
  const auto comCerquilha = ExecutaConteudo(comCaractere('#'), TabelaPadrao());
  EXPECT_EQ(comNul.desfecho, Desfecho::RelatorioNOK);
  ASSERT_FALSE(comNul.achados.empty());
  EXPECT_TRUE(TemAchado(comNul.achados, "005 001 002 Identificação Registro Inválida"));
  EXPECT_EQ(comNul.achados, comCerquilha.achados);
}

// ---------------------------------------------------------------------------------------------
// Line ends. A line ends at CR LF or at a lone CR; a lone LF is an ordinary character.

TEST(FimDeLinha, ArquivosDeTamanhoFixoComOutrosFinsDeLinhaNaoFecham) {
  // A monthly file is checked for whole records of 900 bytes before any line is read: with LF or
  // CR alone the size is 899 bytes a record, so the run stops there with code 21 on line 000.
  // LF CR keeps the size, but the LF belongs to the line before the CR: line 1 is one too long.
  const std::string limpo = Amostra05(2);
  const struct {
    const char* nome;
    std::string conteudo;
    std::string achado;
  } casos[] = {
      {"LF only", TrocaFimDeLinha(limpo, "\n"), Achado21},
      {"CR only", TrocaFimDeLinha(limpo, "\r"), Achado21},
      {"CR LF and LF mixed", TrocaFimDeLinha(limpo, "\n", true), Achado21},
      {"CR LF and CR mixed", TrocaFimDeLinha(limpo, "\r", true), Achado21},
      {"last line without its end", limpo.substr(0, limpo.size() - 2), Achado21},
      {"LF CR instead of CR LF", TrocaFimDeLinha(limpo, "\n\r"),
       Cab15 + "00/0000 001 000 000 Arquivo a ser validado não é ROL"},
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.nome);
    const auto r = ExecutaConteudo(caso.conteudo, TabelaPadrao());
    EXPECT_EQ(r.desfecho, Desfecho::RelatorioNOK);
    ASSERT_GE(r.linhasSaida.size(), 3u);
    EXPECT_EQ(r.linhasSaida[2], "Documento: ROL05       ");
    EXPECT_EQ(r.achados, std::vector<std::string>{caso.achado});
    EXPECT_EQ(r.param, "\r\nNOK\r\n");
  }
}

TEST(FimDeLinha, ST2ComCRSozinhoOuMisturadoLeOsMesmosRegistros) {
  // Layout ST 02 has no size check: lone CRs and a missing last line end read the same records,
  // with the same findings, as CR LF. A lone LF is part of the line: the header becomes a line
  // far longer than 797 characters and the reading stops there.
  const std::string crlf = ComCRLF(RetornoST2());
  const auto referencia = ExecutaConteudo(crlf, TabelaPadrao());
  ASSERT_EQ(referencia.desfecho, Desfecho::RelatorioNOK);
  ASSERT_FALSE(referencia.achados.empty());
  ASSERT_TRUE(TemAchado(referencia.achados, "005 001 002 Identificação Registro Inválida"));
  for (const auto& [nome, conteudo] : std::vector<std::pair<std::string, std::string>>{
           {"CR only", TrocaFimDeLinha(crlf, "\r")},
           {"CR LF and CR mixed", TrocaFimDeLinha(crlf, "\r", true)},
           {"last line without its end", crlf.substr(0, crlf.size() - 2)},
           {"last line ended by a lone CR", crlf.substr(0, crlf.size() - 1)}}) {
    SCOPED_TRACE(nome);
    const auto r = ExecutaConteudo(conteudo, TabelaPadrao());
    EXPECT_EQ(r.desfecho, Desfecho::RelatorioNOK);
    EXPECT_EQ(r.achados, referencia.achados);
  }
  const auto soLF = ExecutaConteudo(TrocaFimDeLinha(crlf, "\n"), TabelaPadrao());
  EXPECT_EQ(soLF.desfecho, Desfecho::RelatorioNOK);
  ASSERT_FALSE(soLF.achados.empty());
  EXPECT_TRUE(TerminaCom(soLF.achados.back(), "001 000 000 Arquivo a ser validado não é ROL"))
      << soLF.achados.back();
  for (const auto& a : soLF.achados) EXPECT_EQ(a.find(" 002 "), std::string::npos) << a;
}

TEST(FimDeLinha, LinhaVaziaNoMeioParaALeitura) {
  // An empty line (CR LF CR LF) between two monthly returns, with the file still a whole number
  // of records, is a line of length 0: code 21 on its line, and the reading stops there.
  const std::string limpo = Amostra05(2);
  const std::size_t segundo = limpo.find("\r\n****05");
  ASSERT_NE(segundo, std::string::npos);
  std::string conteudo = limpo;
  conteudo.insert(segundo + 2, "\r\n");
  conteudo.resize(conteudo.size() - 2);
  std::size_t antes = 0;
  for (std::size_t p = limpo.find("\r\n"); p <= segundo; p = limpo.find("\r\n", p + 2)) ++antes;
  char numero[8];
  std::snprintf(numero, sizeof numero, "%03zu", antes + 1);
  const auto r = ExecutaConteudo(conteudo, TabelaPadrao());
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioNOK);
  ASSERT_FALSE(r.achados.empty());
  const std::string esperado = std::string(numero) + " 000 000 Arquivo a ser validado não é ROL";
  EXPECT_EQ(std::count_if(r.achados.begin(), r.achados.end(),
                          [&](const std::string& a) { return TerminaCom(a, esperado); }),
            1)
      << esperado;
  for (const auto& a : r.achados)
    EXPECT_FALSE(TerminaCom(a, "Arquivo a ser validado não é ROL") && !TerminaCom(a, esperado))
        << a;
}

// ---------------------------------------------------------------------------------------------
// A huge file with no line end: never read whole. The file layer counts the bytes read.

class SistemaContado : public SistemaArquivos {
 public:
  std::string entrada;
  std::int64_t lidosDaEntrada = 0;
  int aberturasDaEntrada = 0;
  int falhaNaAbertura = 0;  // 1-based opening of the input that fails; 0: none
  int erro = 0;
  std::size_t fatia = 0;  // the most bytes one read of the input brings; 0: as many as asked

  int Abre(const char* caminho, int flags, mode_t modo) override {
    if (caminho == entrada) {
      if (++aberturasDaEntrada == falhaNaAbertura) {
        errno = erro;
        return -1;
      }
      const int fd = SistemaArquivos::Abre(caminho, flags, modo);
      fdEntrada_ = fd;
      return fd;
    }
    return SistemaArquivos::Abre(caminho, flags, modo);
  }
  ssize_t Le(int fd, void* destino, std::size_t n) override {
    if (fd == fdEntrada_ && fatia > 0) n = std::min(n, fatia);
    const ssize_t r = SistemaArquivos::Le(fd, destino, n);
    if (fd == fdEntrada_ && r > 0) lidosDaEntrada += r;
    return r;
  }
  int Fecha(int fd) override {
    if (fd == fdEntrada_) fdEntrada_ = -1;
    return SistemaArquivos::Fecha(fd);
  }

 private:
  int fdEntrada_ = -1;
};

struct ResultadoComSistema {
  ResultadoExecucao r;
  SistemaContado sistema;
};

// A run of the file at `arquivo` through the counting file layer, with `pasta` as work folder.
void ExecutaContado(const std::string& arquivo, const std::filesystem::path& pasta,
                    ResultadoComSistema& saida) {
  saida.sistema.entrada = arquivo;
  Execucao execucao(pasta, saida.r.tela);
  execucao.DefineSistemaArquivos(saida.sistema);
  saida.r.desfecho = ValidaArquivo(execucao, arquivo, TabelaPadrao());
  saida.r.saida = LeArquivo(pasta / NomeSaida);
  saida.r.param = LeArquivo(pasta / NomeParam);
  saida.r.sobrouAuxiliar = SobrouNaPasta(pasta, arquivo);
}

TEST(ArquivoEnorme, CemMegabytesSemFimDeLinhaNaoSaoLidos) {
  constexpr std::int64_t CemMB = 100LL * 1024 * 1024;
  constexpr std::int64_t Bloco = 64 * 1024;  // what the reader asks of the system at a time
  const struct {
    const char* nome;
    std::string inicio;
    std::int64_t tamanho;
    std::string ultimoAchado;
  } casos[] = {
      // Not a whole number of 900-byte records: the size check stops before any line is read.
      {"monthly, size not whole records", "****05", CemMB,
       "000 000 000 Arquivo a ser validado não é ROL"},
      // A whole number of records: the first line is read only up to just past its length.
      {"monthly, size of whole records", "****05", CemMB - CemMB % 900,
       "001 000 000 Arquivo a ser validado não é ROL"},
      {"layout 03", "****03", CemMB, "000 000 000 Arquivo a ser validado não é ROL"},
      {"layout ST 01", "RST01", CemMB - CemMB % 756,
       "001 000 000 Arquivo a ser validado não é ROL"},
      // No size check in ST 02: the header line is too long, and the reading stops at it.
      {"layout ST 02", "A0RST02", CemMB, "001 000 000 Arquivo a ser validado não é ROL"},
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.nome);
    PastaTemporaria pasta;
    const std::string arquivo = (pasta / "enorme.txt").string();
    // The rest of the file is NUL bytes (a sparse file): no line end anywhere.
    EscreveArquivo(arquivo, caso.inicio);
    std::filesystem::resize_file(arquivo, static_cast<std::uintmax_t>(caso.tamanho));
    ResultadoComSistema x;
    ExecutaContado(arquivo, pasta.caminho(), x);
    EXPECT_EQ(x.r.desfecho, Desfecho::RelatorioNOK);
    EXPECT_EQ(x.r.param, "\r\nNOK\r\n");
    EXPECT_TRUE(TerminaCom(x.r.saida, L1(caso.ultimoAchado) + "\r\n")) << x.r.saida;
    // One buffer for the recognition and at most one for the first line.
    EXPECT_LE(x.sistema.lidosDaEntrada, 2 * Bloco);
    EXPECT_EQ(x.sistema.aberturasDaEntrada, 2);
    EXPECT_FALSE(x.r.sobrouAuxiliar);
  }
}

TEST(LeituraEmPedacos, OMesmoRelatorioComQualquerTamanhoDeLeitura) {
  // The system may hand the input back in pieces of any size: a CR at the end of one piece and
  // its LF at the start of the next, or a line cut at the reader's limit across pieces, must
  // give the same lines, hence the same report, as one read of everything.
  auto st2Longa = RetornoST2();
  st2Longa[2].resize(1500, '0');  // far past the longest line the reader keeps
  const struct {
    const char* nome;
    std::string conteudo;
  } casos[] = {
      {"monthly", Amostra05(2, {{"numerico", 2}})},
      {"ST 02", ComCRLF(RetornoST2())},
      {"ST 02 with lone CRs", TrocaFimDeLinha(ComCRLF(RetornoST2()), "\r", true)},
      {"ST 02 with a line too long", ComCRLF(st2Longa)},
  };
  for (const auto& caso : casos) {
    PastaTemporaria pasta;
    const std::string arquivo = (pasta / "entrada.txt").string();
    EscreveArquivo(arquivo, caso.conteudo);
    ResultadoComSistema inteiro;
    ExecutaContado(arquivo, pasta.caminho(), inteiro);
    ASSERT_EQ(inteiro.r.desfecho, Desfecho::RelatorioNOK) << caso.nome;
    for (const std::size_t fatia :
         {1, 2, 3, 46, 47, 48, 797, 798, 799, 899, 900, 901, 1025, 1026, 1027}) {
      SCOPED_TRACE(std::string(caso.nome) + ", reads of " + std::to_string(fatia));
      ResultadoComSistema pedacos;
      pedacos.sistema.fatia = fatia;
      ExecutaContado(arquivo, pasta.caminho(), pedacos);
      EXPECT_EQ(pedacos.r.desfecho, inteiro.r.desfecho);
      EXPECT_EQ(pedacos.r.saida, inteiro.r.saida);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Files that cannot be opened, or that vanish between the recognition and the reading.

TEST(FalhaAoAbrir, SemPermissaoDeLeituraNaoDaRelatorioNemMensagem) {
  // Refused before the layout is known: the run ends with no report and no message, as for a
  // file not found after the existence check; the input is never changed.
  const std::string conteudo = Amostra05(1);
  for (const int erro : {EACCES, EPERM}) {
    SCOPED_TRACE(erro);
    PastaTemporaria pasta;
    const std::string arquivo = (pasta / "entrada.txt").string();
    EscreveArquivo(arquivo, conteudo);
    ResultadoComSistema x;
    x.sistema.falhaNaAbertura = 1;
    x.sistema.erro = erro;
    ExecutaContado(arquivo, pasta.caminho(), x);
    EXPECT_EQ(x.r.desfecho, Desfecho::SemRelatorio);
    EXPECT_TRUE(x.r.tela.mensagens.empty());
    EXPECT_EQ(x.r.tela.eventos, (std::vector<std::string>{"MostraProgresso", "EscondeProgresso"}));
    EXPECT_TRUE(x.r.saida.empty());
    EXPECT_TRUE(x.r.param.empty());
    EXPECT_EQ(LeArquivo(arquivo), conteudo);
  }
}

TEST(FalhaAoAbrir, SemPermissaoDeLeituraDeVerdade) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads files without read permission";
  PastaTemporaria pasta;
  const auto arquivo = pasta / "entrada.txt";
  EscreveArquivo(arquivo, Amostra05(1));
  std::filesystem::permissions(arquivo, std::filesystem::perms::none);
  const auto r = ExecutaArquivo(arquivo.string(), pasta.caminho(), TabelaPadrao());
  EXPECT_EQ(r.desfecho, Desfecho::SemRelatorio);
  EXPECT_TRUE(r.tela.mensagens.empty());
  EXPECT_TRUE(r.saida.empty());
}

TEST(FalhaAoAbrir, ArquivoQueSomeDepoisDoReconhecimento) {
  // The second opening of the input (for the read loop) fails: the layout is known, so the
  // report holds the one finding "Arquivo não encontrado" on line 000, with status NOK, and no
  // window shows it.
  for (const auto& [layout, erro] : std::vector<std::pair<std::string, int>>{
           {"05", ENOENT}, {"04", ENOENT}, {"05", EACCES}, {"05", ENOTDIR}}) {
    SCOPED_TRACE(layout + " errno " + std::to_string(erro));
    am::OpcoesAmostra opcoes;
    opcoes.layout = layout;
    opcoes.itens = 1;
    PastaTemporaria pasta;
    const std::string arquivo = (pasta / "entrada.txt").string();
    EscreveArquivo(arquivo, am::GeraAmostraTexto(opcoes));
    ResultadoComSistema x;
    x.sistema.falhaNaAbertura = 2;
    x.sistema.erro = erro;
    ExecutaContado(arquivo, pasta.caminho(), x);
    EXPECT_EQ(x.r.desfecho, Desfecho::RelatorioSemJanela);
    EXPECT_EQ(x.r.param, "\r\nNOK\r\n");
    EXPECT_TRUE(TerminaCom(x.r.saida, L1(Cab15 + "00/0000 000 000 000 Arquivo não encontrado\r\n")))
        << x.r.saida;
    EXPECT_NE(x.r.saida.find("Documento: ROL" + layout + "       \r\n"), std::string::npos);
    EXPECT_TRUE(x.r.tela.mensagens.empty());
    EXPECT_EQ(x.r.tela.eventos, (std::vector<std::string>{"MostraProgresso", "EscondeProgresso"}));
    EXPECT_FALSE(x.r.sobrouAuxiliar);
  }
}

// A run that ends without a report, after a run that was OK in the same work folder, must not
// leave the earlier param.txt saying "OK", as if the failed run had passed.
TEST(FalhaAoAbrir, RelatorioAnteriorNaoPassaPorResultadoDeUmaFalha) {
  PastaTemporaria pasta;
  const std::string bom = (pasta / "bom.txt").string();
  EscreveArquivo(bom, Amostra05(1));
  ResultadoComSistema primeiro;
  ExecutaContado(bom, pasta.caminho(), primeiro);
  ASSERT_EQ(primeiro.r.desfecho, Desfecho::RelatorioOK);
  ResultadoComSistema segundo;
  segundo.sistema.falhaNaAbertura = 1;
  segundo.sistema.erro = EACCES;
  ExecutaContado(bom, pasta.caminho(), segundo);
  EXPECT_EQ(segundo.r.desfecho, Desfecho::SemRelatorio);
  EXPECT_NE(segundo.r.param, "\r\nOK\r\n");
}

// ---------------------------------------------------------------------------------------------
// Paths: blanks, accents, long names, a name ending in a blank; the path is taken exactly.

TEST(Caminhos, NomesIncomunsSaoValidadosComoQualquerOutro) {
  const std::string conteudo = Amostra05(1);
  const std::vector<std::string> nomes = {
      "com brancos no nome.txt",
      "acentuação çãõ éü.txt",
      "pasta com brancos e ção/arquivo ROL 05.txt",
      std::string(127, 'a') + ".txt",                                 // 131 characters
      std::string(60, 'b') + "/" + std::string(120, 'c') + " ç.txt",  // over 128 in all
      " começa com branco.txt",
  };
  for (const std::string& nome : nomes) {
    SCOPED_TRACE(nome);
    PastaTemporaria pasta;
    const auto arquivo = pasta / nome;
    std::filesystem::create_directories(arquivo.parent_path());
    EscreveArquivo(arquivo, conteudo);
    const auto r = ExecutaArquivo(arquivo.string(), pasta.caminho(), TabelaPadrao());
    EXPECT_EQ(r.desfecho, Desfecho::RelatorioOK);
    ASSERT_FALSE(r.linhasSaida.empty());
    EXPECT_EQ(r.linhasSaida[0], "ARQUIVO OK.");
    EXPECT_EQ(r.param, "\r\nOK\r\n");
    EXPECT_NE(r.saida.find("Foram Validadas 001 ROL(s)."), std::string::npos);
  }
}

TEST(Caminhos, NomeComBrancoNoFimEValidadoComoDado) {
  // The run takes the path exactly: a file whose own name ends in a blank is that file, and the
  // file without the blank is another (here missing) one.
  PastaTemporaria pasta;
  const auto arquivo = pasta / "termina com branco.txt ";
  EscreveArquivo(arquivo, Amostra05(1));
  EXPECT_EQ(ExecutaArquivo(arquivo.string(), pasta.caminho(), TabelaPadrao()).desfecho,
            Desfecho::RelatorioOK);
  const auto semBranco =
      ExecutaArquivo((pasta / "termina com branco.txt").string(), pasta.caminho(), TabelaPadrao());
  EXPECT_EQ(semBranco.desfecho, Desfecho::SemRelatorio);
  EXPECT_TRUE(semBranco.saida.empty());
}

}  // namespace
}  // namespace rolval
