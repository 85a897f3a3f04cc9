// The run driver: recognition, the size check, the line loop, the length check, the first-line
// checks of layouts 04 and 05, the framing of layout ST 02, the end phase and the report.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "layouts/monthly/ValidaVersao45.h"
#include "run/Falha.h"

#include "tests/support/Apoio.h"

namespace rolval {
namespace {

using namespace teste;

const std::string Cab15 = std::string(15, ' ');

// A monthly header line of 898 characters: "****" + version, sequence, record type.
std::string LinhaMensal(const std::string& versao, const std::string& sequencia = "0001",
                        const std::string& tipo = "ABC ") {
  std::string l = "****" + versao + "00000000 0131012005" + "1234567890" + sequencia + tipo;
  l.resize(898, '0');
  return l;
}

std::string LinhaST2(const std::string& tipo, std::size_t tamanho) {
  std::string l = tipo;
  if (tipo == "A0") l += "RST02";
  l.resize(tamanho, '0');
  return l;
}

std::vector<std::string> RelatorioDeErros(const std::string& documento, const std::string& titulo,
                                          const std::vector<std::string>& achados) {
  std::vector<std::string> r = {"ENCAMINHAMOS ABAIXO OS ERROS/AVISOS ENCONTRADOS:",
                                "",
                                "Documento: " + documento,
                                std::string(73, '-'),
                                titulo,
                                std::string(73, '-')};
  r.insert(r.end(), achados.begin(), achados.end());
  return r;
}

const std::string TituloREG = "REG/TB         Período Lin Ini Fim Descrição do Erro";
const std::string TituloInscricao = "Inscrição      Período Lin Ini Fim Descrição do Erro";
const std::string Achado21 = Cab15 + "00/0000 000 000 000 Arquivo a ser validado não é ROL";

TEST(Reconhecimento, ArquivoNaoReconhecido) {
  const auto r = ExecutaConteudo("hello\r\n", TabelaSoEnquadramento());
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioNOK);
  EXPECT_EQ(r.linhasSaida, RelatorioDeErros("DESCONHECIDO", TituloInscricao, {Achado21}));
  EXPECT_EQ(r.param, "\r\nNOK\r\n");
  EXPECT_FALSE(r.sobrouAuxiliar);
  EXPECT_EQ(r.tela.eventos,
            (std::vector<std::string>{"MostraProgresso", "EscondeProgresso", "MostraSaida"}));
}

TEST(Reconhecimento, MarcasNasColunasCertas) {
  struct Caso {
    std::string primeira;
    bool reconhecido;
  };
  // "RST02" counts only at columns 3-7, "RST01" only at columns 1-5.
  for (const Caso& c : {Caso{"RST02xx", false}, Caso{"xxRST01", false}, Caso{"***04", false},
                        Caso{"xxRST02", true}, Caso{"RST01", true}}) {
    const auto r = ExecutaConteudo(c.primeira + "\r\n", TabelaSoEnquadramento());
    const bool desconhecido =
        r.linhasSaida.size() > 2 && r.linhasSaida[2] == "Documento: DESCONHECIDO";
    EXPECT_EQ(!desconhecido, c.reconhecido) << c.primeira;
  }
}

TEST(Reconhecimento, LegendaDeCadaLayout) {
  struct Caso {
    std::string conteudo;
    std::string legenda;
  };
  std::string st01 = "RST01";
  st01.resize(754, '0');
  std::string l03 = "****03";
  l03.resize(898, '0');
  for (const Caso& c : {Caso{ComCRLF({l03}), "Validando ROL Versão 3"},
                        Caso{ComCRLF({LinhaMensal("04")}), "Validando ROL Versão 4"},
                        Caso{ComCRLF({LinhaMensal("05")}), "Validando ROL Versão 5"},
                        Caso{ComCRLF({st01}), "Validando ROL Versão ST"},
                        Caso{ComCRLF({LinhaST2("A0", 797)}), "Validando ROL ST Versão 2"}}) {
    const auto r = ExecutaConteudo(c.conteudo, TabelaSoEnquadramento());
    EXPECT_EQ(r.tela.ver, c.legenda);
    EXPECT_EQ(r.desfecho, Desfecho::RelatorioOK) << c.legenda;
  }
}

TEST(Tamanho, ArquivoQueNaoEMultiploDoRegistro) {
  // A wrong length is found by the size check, before any line is read (line 000).
  const auto r = ExecutaConteudo(ComCRLF({LinhaMensal("04") + "0"}), TabelaSoEnquadramento());
  EXPECT_EQ(r.achados, std::vector<std::string>{Achado21});
  EXPECT_EQ(r.linhasSaida[2], "Documento: ROL04       ");
  EXPECT_EQ(r.linhasSaida[4], TituloREG);
  EXPECT_TRUE(r.tela.ver.empty());  // no line was dispatched
}

TEST(Tamanho, UltimoRegistroSemCRLF) {
  const std::string conteudo = ComCRLF({LinhaMensal("05"), LinhaMensal("05", "0002", "X01 ")});
  const auto r = ExecutaConteudo(conteudo.substr(0, conteudo.size() - 2), TabelaSoEnquadramento());
  EXPECT_EQ(r.achados, std::vector<std::string>{Achado21});
  EXPECT_TRUE(r.tela.ver.empty());
}

TEST(Tamanho, ComprimentoErradoNaLinha1QuandoOTamanhoFecha) {
  // 897 + 903 characters: the size is two records of 900 bytes, but line 1 is one character short.
  std::string curta = LinhaMensal("04");
  curta.pop_back();
  std::string longa = LinhaMensal("04", "0002", "X01 ") + "0";
  const auto r = ExecutaConteudo(ComCRLF({curta, longa}), TabelaSoEnquadramento());
  EXPECT_EQ(r.achados, std::vector<std::string>{
                           Cab15 + "00/0000 001 000 000 Arquivo a ser validado não é ROL"});
}

TEST(Tamanho, ComprimentoErradoNaLinha57ParaALeitura) {
  // ST 02 has no size check: line 57 is an A1 record of 49 characters; line 58 is never read.
  std::vector<std::string> linhas = {LinhaST2("A0", 797)};
  for (int i = 2; i <= 56; ++i) linhas.push_back(LinhaST2("A1", 50));
  linhas.push_back(LinhaST2("A1", 49));
  linhas.push_back("garbage that would be an unknown record type");
  const auto r = ExecutaConteudo(ComCRLF(linhas), TabelaSoEnquadramento());
  EXPECT_EQ(r.achados, std::vector<std::string>{
                           Cab15 + "00/0000 057 000 000 Arquivo a ser validado não é ROL"});
  EXPECT_EQ(r.linhasSaida[4], TituloInscricao);
}

TEST(PrimeiraLinhaMensal, TipoDeRegistroErrado) {
  const auto r4 =
      ExecutaConteudo(ComCRLF({LinhaMensal("04", "0001", "ABD ")}), TabelaSoEnquadramento());
  EXPECT_EQ(r4.achados,
            std::vector<std::string>{Cab15 + "00/0000 001 040 043 Arquivo não é ROL04"});
  EXPECT_TRUE(r4.tela.ver.empty());
  const auto r5 =
      ExecutaConteudo(ComCRLF({LinhaMensal("05", "0001", "X01 ")}), TabelaSoEnquadramento());
  EXPECT_EQ(r5.achados,
            std::vector<std::string>{Cab15 + "00/0000 001 040 043 Arquivo não é ROL05"});
}

TEST(PrimeiraLinhaMensal, SequenciaErrada) {
  const auto r4 = ExecutaConteudo(ComCRLF({LinhaMensal("04", "0002")}), TabelaSoEnquadramento());
  EXPECT_EQ(r4.achados,
            std::vector<std::string>{Cab15 + "00/0000 001 036 039 Arquivo não é ROL04"});
  const auto r5 = ExecutaConteudo(ComCRLF({LinhaMensal("05", "0002")}), TabelaSoEnquadramento());
  EXPECT_EQ(r5.achados,
            std::vector<std::string>{Cab15 + "00/0000 001 036 039 Arquivo não é ROL05"});
}

TEST(PrimeiraLinhaMensal, SoAPrimeiraLinhaEConferida) {
  const auto r = ExecutaConteudo(
      ComCRLF({LinhaMensal("04"), LinhaMensal("04", "0009", "ZZZ "), LinhaMensal("04", "0001")}),
      TabelaSoEnquadramento());
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioOK);
  EXPECT_EQ(r.linhasSaida.back(), "Foram Validadas 000 ROL(s).");
}

TEST(EnquadramentoST2, TipoDesconhecidoEAvisadoEALinhaSegue) {
  const auto r = ExecutaConteudo(
      ComCRLF({LinhaST2("A0", 797), LinhaST2("A1", 50), LinhaST2("B1", 50), LinhaST2("A3", 46)}),
      TabelaSoEnquadramento());
  EXPECT_EQ(r.achados,
            std::vector<std::string>{" " + std::string(14, ' ') +
                                     "00/0000 003 001 002 Identificação Registro Inválida"});
}

TEST(EnquadramentoST2, TipoDesconhecidoComOutroComprimento) {
  // "B5" keeps the length of the previous record (50): 60 characters then stop the reading.
  const auto r = ExecutaConteudo(
      ComCRLF({LinhaST2("A0", 797), LinhaST2("A1", 50), LinhaST2("B5", 60), LinhaST2("A1", 50)}),
      TabelaSoEnquadramento());
  const std::string p = Cab15 + "00/0000 003 ";
  EXPECT_EQ(r.achados, (std::vector<std::string>{p + "001 002 Identificação Registro Inválida",
                                                 p + "000 000 Arquivo a ser validado não é ROL"}));
}

TEST(EnquadramentoST2, UmRegistroSemFimDeLinhaEValidado) {
  // One A1-length record without its line end: the progress value must not divide by zero.
  const auto r2 = ExecutaConteudo("A1RST02" + std::string(43, '0'), TabelaSoEnquadramento());
  EXPECT_EQ(r2.desfecho, Desfecho::RelatorioOK);
  ASSERT_FALSE(r2.tela.valores.empty());
  EXPECT_EQ(r2.tela.valores.back(), 100.0f);
  EXPECT_EQ(r2.tela.ver, "Validando ROL ST Versão 2");
}

TEST(Progresso, NuncaPassaDeCem) {
  std::vector<std::string> linhas;
  for (int i = 0; i < 40; ++i) linhas.push_back(LinhaMensal("05", i == 0 ? "0001" : "0002"));
  const auto r = ExecutaConteudo(ComCRLF(linhas), TabelaSoEnquadramento());
  ASSERT_EQ(r.tela.valores.size(), 40u);
  for (std::size_t i = 1; i < r.tela.valores.size(); ++i) {
    EXPECT_LE(r.tela.valores[i], 100.0f);
    EXPECT_GE(r.tela.valores[i], r.tela.valores[i - 1]);
  }
  EXPECT_EQ(r.tela.valores.back(), 100.0f);
}

TEST(Progresso, UmValorPorBlocoOuComprimentoNovo) {
  // Short ST 02 lines, several to a 128-byte block, and headers that change the record length:
  // the window is given each line's value, worked out line by line, except for a line that ends
  // in the block of the line before and has its length.
  std::vector<std::string> linhas;
  for (int retorno = 0; retorno < 40; ++retorno) {
    linhas.push_back(LinhaST2("A0", 797));
    for (int i = 0; i < 60; ++i)
      linhas.push_back(i % 7 == 6 ? LinhaST2("A3", 46) : LinhaST2("A1", 50));
  }
  const std::string conteudo = ComCRLF(linhas);
  const double tamanho = static_cast<double>(conteudo.size());
  std::vector<float> esperados;
  std::int64_t posicao = 0;
  std::int64_t blocoAnterior = -1;
  std::size_t comprimentoAnterior = 0;
  for (const std::string& l : linhas) {
    posicao += static_cast<std::int64_t>(l.size()) + 2;
    const std::int64_t bloco = posicao / 128;
    if (bloco == blocoAnterior && l.size() == comprimentoAnterior) continue;
    blocoAnterior = bloco;
    comprimentoAnterior = l.size();
    const double valor = std::nearbyint(static_cast<double>(bloco) * 100.0 /
                                        (tamanho - static_cast<double>(l.size())) * 128.0);
    esperados.push_back(static_cast<float>(std::min(valor, 100.0)));
  }
  ASSERT_LT(esperados.size(), linhas.size());
  const auto r = ExecutaConteudo(conteudo, TabelaSoEnquadramento());
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioOK);
  EXPECT_EQ(r.tela.valores, esperados);
}

TEST(FimDeLinha, CRSozinhoTerminaALinhaELFSozinhoNao) {
  // Two ST 02 records ended by a lone CR and by CR LF; an LF inside a record is one of its
  // characters.
  std::string a1 = LinhaST2("A1", 50);
  a1[20] = '\n';
  const auto r = ExecutaConteudo(LinhaST2("A0", 797) + "\r" + a1 + "\r\n", TabelaSoEnquadramento());
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioOK);
}

TEST(ListaDeRetornos, SobraDaListaEGravadaNoFim) {
  // A table whose validator adds one list entry per line: four lines give a line of three entries
  // and the one left over written by the end phase.
  static constexpr auto valida = [](Execucao& ex, std::string_view) {
    ++ex.QtdROLs;
    ex.AcrescentaListaROLs("123/4567890    05/2005  ");
  };
  static constexpr std::array<LayoutArquivo, 1> layouts = {{
      {DocROL04,
       898,
       true,
       "Validando ROL Versão 4",
       ReconheceROL04,
       valida,
       nullptr,
       nullptr,
       ConfereCabecalhoInicial,
       nullptr,
       nullptr,
       {}},
  }};
  static constexpr TabelaLayouts tabela{layouts};
  const auto r = ExecutaConteudo(
      ComCRLF({LinhaMensal("04"), LinhaMensal("04"), LinhaMensal("04"), LinhaMensal("04")}),
      tabela);
  const std::string e = "123/4567890    05/2005  ";
  EXPECT_EQ(r.linhasSaida,
            (std::vector<std::string>{
                "ARQUIVO OK.", "", "Documento: ROL04       ", "", std::string(70, '-'),
                "REG/TB         REFER    REG/TB         REFER    REG/TB         REFER",
                std::string(70, '-'), e + e + e, e, "", "", "Foram Validadas 004 ROL(s)."}));
  EXPECT_EQ(r.param, "\r\nOK\r\n");
  EXPECT_FALSE(r.sobrouAuxiliar);
}

TEST(ArquivoAusente, SoAMensagem) {
  PastaTemporaria pasta;
  const auto r =
      ExecutaArquivo((pasta / "nao-existe.txt").string(), pasta.caminho(), TabelaSoEnquadramento());
  EXPECT_EQ(r.desfecho, Desfecho::SemRelatorio);
  ASSERT_EQ(r.tela.mensagens.size(), 1u);
  EXPECT_EQ(r.tela.mensagens[0].texto, "Não foi possível localizar o arquivo especificado.");
  EXPECT_EQ(r.tela.mensagens[0].titulo, "Atenção");
  EXPECT_EQ(r.tela.mensagens[0].icone, IconeMensagem::Informacao);
  EXPECT_FALSE(std::filesystem::exists(pasta / NomeSaida));
  EXPECT_EQ(r.tela.eventos, (std::vector<std::string>{"MostraProgresso", "EscondeProgresso"}));
}

TEST(ArquivoAusente, PastaNaoEArquivo) {
  PastaTemporaria pasta;
  std::filesystem::create_directory(pasta / "uma-pasta");
  const auto r =
      ExecutaArquivo((pasta / "uma-pasta").string(), pasta.caminho(), TabelaSoEnquadramento());
  ASSERT_EQ(r.tela.mensagens.size(), 1u);
  EXPECT_EQ(r.tela.mensagens[0].texto,
            "O caminho especificado é uma pasta; escolha um arquivo nela.");
}

TEST(ArquivoVazio, MensagemDeAcesso) {
  const auto r = ExecutaConteudo("", TabelaSoEnquadramento());
  EXPECT_EQ(r.desfecho, Desfecho::SemRelatorio);
  ASSERT_EQ(r.tela.mensagens.size(), 1u);
  EXPECT_EQ(r.tela.mensagens[0].texto,
            "Não foi possível acessar o arquivo que você marcou para ser validado.");
  EXPECT_EQ(r.tela.mensagens[0].icone, IconeMensagem::Informacao);
  EXPECT_TRUE(r.saida.empty());
}

TEST(Caminho, ValeExatamenteComoDadoMesmoLongo) {
  PastaTemporaria pasta;
  // A path far longer than 128 characters, with blanks and accents in it; blanks after it are
  // part of another name (the main window drops those typed in its box before the run).
  const std::string nome = std::string(150, 'x') + " ação.txt";
  teste::EscreveArquivo(pasta / nome, ComCRLF({LinhaMensal("05")}));
  EXPECT_EQ(
      ExecutaArquivo((pasta / nome).string(), pasta.caminho(), TabelaSoEnquadramento()).desfecho,
      Desfecho::RelatorioOK);
  const auto r =
      ExecutaArquivo((pasta / nome).string() + "   ", pasta.caminho(), TabelaSoEnquadramento());
  EXPECT_EQ(r.desfecho, Desfecho::SemRelatorio);
  ASSERT_EQ(r.tela.mensagens.size(), 1u);
  EXPECT_EQ(r.tela.mensagens[0].texto, "Não foi possível localizar o arquivo especificado.");
}

TEST(MuitasLinhas, MaisDe32767RegistrosSaoValidados) {
  // Line numbers beyond the old 16-bit limit print with as many digits as they need.
  std::string conteudo;
  const std::string a1 = LinhaST2("A1", 50) + "\r\n";
  conteudo.reserve(40000 * a1.size());
  conteudo += LinhaST2("A0", 797) + "\r\n";
  for (int i = 2; i < 40000; ++i) conteudo += a1;
  conteudo += LinhaST2("A1", 10) + "\r\n";
  const auto r = ExecutaConteudo(conteudo, TabelaSoEnquadramento());
  EXPECT_EQ(r.achados, std::vector<std::string>{
                           Cab15 + "00/0000 40000 000 000 Arquivo a ser validado não é ROL"});
}

TEST(SegundaExecucao, ComecaDoZero) {
  PastaTemporaria pasta;
  teste::EscreveArquivo(pasta / "a.txt", "hello\r\n");
  teste::EscreveArquivo(pasta / "b.txt", ComCRLF({LinhaMensal("05")}));
  TelaGravada tela;
  Execucao execucao(pasta.caminho(), tela);
  EXPECT_EQ(ValidaArquivo(execucao, (pasta / "a.txt").string(), TabelaSoEnquadramento()),
            Desfecho::RelatorioNOK);
  EXPECT_EQ(ValidaArquivo(execucao, (pasta / "b.txt").string(), TabelaSoEnquadramento()),
            Desfecho::RelatorioOK);
  EXPECT_EQ(execucao.NumLinha, 1);
  EXPECT_FALSE(execucao.HouveErro);
}

// A layout-04 table whose validator fails with a chosen failure class on line 2.
template <ClasseFalha classe>
const TabelaLayouts& TabelaQueFalha() {
  static constexpr auto valida = [](Execucao& ex, std::string_view) {
    if (ex.NumLinha == 1) ex.GravaErro(CodigoM::CampoNaoNumerico, 44, 58);
    if (ex.NumLinha == 2) throw FalhaExecucao(classe, "simulated");
  };
  static constexpr std::array<LayoutArquivo, 1> layouts = {{
      {DocROL04,
       898,
       true,
       "Validando ROL Versão 4",
       ReconheceROL04,
       valida,
       nullptr,
       nullptr,
       nullptr,
       nullptr,
       nullptr,
       {}},
  }};
  static constexpr TabelaLayouts tabela{layouts};
  return tabela;
}

const std::string DuasLinhas = ComCRLF({LinhaMensal("04"), LinhaMensal("04", "0002", "X01 ")});
const std::string Achado7 = Cab15 + "00/0000 001 044 058 Campo numérico é esperado";

TEST(FalhaDuranteALeitura, AcessoDeixaRelatorioSemJanela) {
  const auto r = ExecutaConteudo(DuasLinhas, TabelaQueFalha<ClasseFalha::Acesso>());
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioSemJanela);
  EXPECT_EQ(r.achados, (std::vector<std::string>{
                           Achado7, Cab15 + "00/0000 002 000 000 Arquivo não encontrado"}));
  EXPECT_EQ(r.param, "\r\nNOK\r\n");
  EXPECT_TRUE(r.tela.mensagens.empty());
  EXPECT_EQ(r.tela.eventos, (std::vector<std::string>{"MostraProgresso", "EscondeProgresso"}));
  EXPECT_FALSE(r.sobrouAuxiliar);
}

TEST(FalhaDuranteALeitura, DispositivoDeixaRelatorioSemJanela) {
  const auto r = ExecutaConteudo(DuasLinhas, TabelaQueFalha<ClasseFalha::Dispositivo>());
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioSemJanela);
  EXPECT_EQ(r.achados, (std::vector<std::string>{
                           Achado7, Cab15 + "00/0000 002 000 000 Não pode ler unidade informada"}));
  EXPECT_TRUE(r.tela.mensagens.empty());
}

TEST(FalhaDuranteALeitura, DiscoCheioSoAMensagem) {
  const auto r = ExecutaConteudo(DuasLinhas, TabelaQueFalha<ClasseFalha::DiscoCheio>());
  EXPECT_EQ(r.desfecho, Desfecho::SemRelatorio);
  ASSERT_EQ(r.tela.mensagens.size(), 1u);
  EXPECT_EQ(r.tela.mensagens[0].texto, "Disco Cheio. Não é possível Executar Validador.");
  EXPECT_EQ(r.tela.mensagens[0].icone, IconeMensagem::Nenhum);
  EXPECT_TRUE(r.saida.empty());
}

TEST(FalhaDuranteALeitura, OutraSoAMensagemDeAcesso) {
  const auto r = ExecutaConteudo(DuasLinhas, TabelaQueFalha<ClasseFalha::Outra>());
  EXPECT_EQ(r.desfecho, Desfecho::SemRelatorio);
  ASSERT_EQ(r.tela.mensagens.size(), 1u);
  EXPECT_EQ(r.tela.mensagens[0].texto,
            "Não foi possível acessar o arquivo que você marcou para ser validado.");
  EXPECT_TRUE(r.saida.empty());
}

TEST(FalhaDuranteALeitura, ArquivoRemovidoDepoisDoReconhecimento) {
  // The recogniser removes the file: opening it again for the read loop fails.
  static std::filesystem::path alvo;
  static constexpr auto reconheceERemove = [](std::string_view l) {
    std::filesystem::remove(alvo);
    return ReconheceROL04(l);
  };
  static constexpr std::array<LayoutArquivo, 1> layouts = {{
      {DocROL04,
       898,
       true,
       "Validando ROL Versão 4",
       reconheceERemove,
       nullptr,
       nullptr,
       nullptr,
       nullptr,
       nullptr,
       nullptr,
       {}},
  }};
  static constexpr TabelaLayouts tabela{layouts};
  PastaTemporaria pasta;
  alvo = pasta / "entrada.txt";
  teste::EscreveArquivo(alvo, DuasLinhas);
  const auto r = ExecutaArquivo(alvo.string(), pasta.caminho(), tabela);
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioSemJanela);
  EXPECT_EQ(r.achados,
            std::vector<std::string>{Cab15 + "00/0000 000 000 000 Arquivo não encontrado"});
}

TEST(FalhaAntesDoReconhecimento, PastaDeTrabalhoSemEscritaNaoDeixaNada) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  PastaTemporaria pasta;
  teste::EscreveArquivo(pasta / "entrada.txt", DuasLinhas);
  std::filesystem::create_directory(pasta / "ro");
  std::filesystem::permissions(
      pasta / "ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const auto r =
      ExecutaArquivo((pasta / "entrada.txt").string(), pasta / "ro", TabelaSoEnquadramento());
  EXPECT_EQ(r.desfecho, Desfecho::SemRelatorio);
  EXPECT_TRUE(r.tela.mensagens.empty());
}

}  // namespace
}  // namespace rolval
