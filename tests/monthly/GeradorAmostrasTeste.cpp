// The sample-file generator against the validator: its files are accepted with the list of their
// returns, and each kind of spoil gives exactly the finding it stands for, in the return it names.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "layouts/Layouts.h"
#include "run/Formatos.h"
#include "tests/monthly/RegistrosMensais.h"
#include "tools/GeradorAmostras.h"

namespace rolval::teste {
namespace {

namespace am = rolval::amostras;

std::vector<std::string> Registros(const std::string& conteudo) {
  std::vector<std::string> registros;
  std::size_t inicio = 0;
  while (inicio < conteudo.size()) {
    const std::size_t fim = conteudo.find("\r\n", inicio);
    if (fim == std::string::npos) throw std::runtime_error("record without CR LF");
    registros.push_back(conteudo.substr(inicio, fim - inicio));
    inicio = fim + 2;
  }
  return registros;
}

// A return as the generated file holds it: its header line and identification, and the lines
// of its records by record type.
struct RetornoLido {
  int linha = 0;
  std::string inscricao;
  std::string periodo;
  std::map<std::string, std::vector<int>> linhas;

  std::string Achado(int linhaAchado, int inicio, int fim, std::string_view mensagem) const {
    return teste::Achado(FormataInscricao(inscricao), FormataPeriodo(periodo), linhaAchado, inicio,
                         fim, mensagem);
  }
};

std::vector<RetornoLido> Retornos(const std::vector<std::string>& registros) {
  std::vector<RetornoLido> retornos;
  for (std::size_t i = 0; i < registros.size(); ++i) {
    const std::string tipo = registros[i].substr(39, 4);
    const int linha = static_cast<int>(i) + 1;
    if (tipo == "ABC ")
      retornos.push_back({linha, registros[i].substr(25, 10), registros[i].substr(19, 6), {}});
    retornos.back().linhas[tipo].push_back(linha);
  }
  return retornos;
}

am::OpcoesAmostra Opcoes(std::string layout, std::int32_t retornos, std::uint64_t semente) {
  am::OpcoesAmostra opcoes;
  opcoes.layout = std::move(layout);
  opcoes.retornos = retornos;
  opcoes.semente = semente;
  return opcoes;
}

TEST(GeradorAmostras, ArquivosAceitosComAListaDosRetornos) {
  struct Caso {
    std::string layout;
    std::int32_t retornos;
    std::string anexos;
  };
  const Caso casos[] = {{"05", 1, "all"},         {"05", 3, "all"},  {"05", 50, "all"},
                        {"04", 3, "all"},         {"05", 4, "none"}, {"04", 2, "X07A,X10"},
                        {"05", 3, "X05B,X08,X09"}};
  for (const Caso& c : casos) {
    am::OpcoesAmostra opcoes = Opcoes(c.layout, c.retornos, 11);
    opcoes.anexos = c.anexos;
    const std::string conteudo = am::GeraAmostraTexto(opcoes);
    const std::vector<RetornoLido> retornos = Retornos(Registros(conteudo));
    ASSERT_EQ(retornos.size(), static_cast<std::size_t>(c.retornos));

    std::vector<std::string> esperado = {
        "ARQUIVO OK.",
        "",
        "Documento: ROL" + c.layout + "       ",
        "",
        std::string(70, '-'),
        "REG/TB         REFER    REG/TB         REFER    REG/TB         REFER",
        std::string(70, '-')};
    std::string lista;
    for (std::size_t i = 0; i < retornos.size(); ++i) {
      lista += FormataInscricao(retornos[i].inscricao) + "    " +
               FormataPeriodo(retornos[i].periodo) + "  ";
      if (i % 3 == 2 || i + 1 == retornos.size()) {
        esperado.push_back(lista);
        lista.clear();
      }
    }
    std::string contagem = "Foram Validadas ";
    AcrescentaNumero(contagem, c.retornos);
    esperado.insert(esperado.end(), {"", "", contagem + " ROL(s)."});

    const ResultadoExecucao r = ExecutaConteudo(conteudo, TabelaPadrao());
    EXPECT_EQ(r.desfecho, Desfecho::RelatorioOK)
        << c.layout << " " << c.retornos << " " << c.anexos;
    EXPECT_EQ(r.linhasSaida, esperado) << c.layout << " " << c.retornos << " " << c.anexos;
  }
}

TEST(GeradorAmostras, TodosOsTiposDeAnexoEmVariosRegistros) {
  for (const std::uint64_t semente : {1u, 2u, 3u}) {
    am::OpcoesAmostra opcoes = Opcoes("05", 2, semente);
    opcoes.itens = 40;  // more items than a record of any type holds
    const std::string conteudo = am::GeraAmostraTexto(opcoes);
    for (const RetornoLido& retorno : Retornos(Registros(conteudo))) {
      EXPECT_EQ(retorno.linhas.size(), 18u);            // the header and the 17 annex types
      EXPECT_EQ(retorno.linhas.at("X01 ").size(), 4u);  // 12 + 12 + 12 + 4 items
      EXPECT_EQ(retorno.linhas.at("X07 ").size(), 1u);
    }
    const ResultadoExecucao r = ExecutaConteudo(conteudo, TabelaPadrao());
    EXPECT_EQ(r.desfecho, Desfecho::RelatorioOK) << "seed " << semente;
    EXPECT_TRUE(r.achados.empty()) << r.achados.front();
  }
}

TEST(GeradorAmostras, TotalEstragadoNoSegundoDeTresRetornosDaSoUmAchado) {
  struct Caso {
    std::string estrago;
    std::string linhaDe;  // the record type whose line the finding carries ("ABC " the header)
    bool ultima;          // the last record of that type, not the first
    int inicio, fim;
    std::string mensagem;  // empty: "Valor do CFOP nnn incorreto" with the detail's first CFOP
    std::string detalhe;
  };
  const std::string v33 = "Valor Incorreto da Referência";
  const Caso casos[] = {
      {"soma-X01", "ABC ", false, 44, 58, v33, ""},
      {"soma-X02", "ABC ", false, 74, 88, v33, ""},
      {"soma-X03", "ABC ", false, 89, 103, v33, ""},
      {"soma-X04", "ABC ", false, 104, 118, v33, ""},
      {"soma-X05", "ABC ", false, 209, 223, v33, ""},
      {"soma-X06", "ABC ", false, 254, 268, v33, ""},
      {"soma-X10", "ABC ", false, 510, 524, v33, ""},
      {"soma-X11", "ABC ", false, 703, 717, v33, ""},
      {"soma-X12", "ABC ", false, 733, 747, v33, ""},
      {"soma-X05A", "X05 ", true, 999, 999, "", "X05A"},
      {"soma-X05B", "X05 ", true, 999, 999, "", "X05B"},
      {"soma-X07A", "X07 ", false, 46, 58, "Valor Incorreto", ""},
      {"soma-X07B", "X07 ", false, 145, 157, "Valor Incorreto", ""},
  };
  for (const Caso& c : casos) {
    am::OpcoesAmostra opcoes = Opcoes("05", 3, 21);
    opcoes.estragos = {am::LeEstrago(c.estrago + ":2")};
    const std::string conteudo = am::GeraAmostraTexto(opcoes);
    const std::vector<std::string> registros = Registros(conteudo);
    const RetornoLido segundo = Retornos(registros).at(1);
    const std::vector<int>& linhas = segundo.linhas.at(c.linhaDe);
    std::string mensagem = c.mensagem;
    if (mensagem.empty()) {
      const int linhaDetalhe = segundo.linhas.at(c.detalhe).front();
      mensagem = "Valor do CFOP " +
                 registros[static_cast<std::size_t>(linhaDetalhe - 1)].substr(45, 3) + " incorreto";
    }
    const ResultadoExecucao r = ExecutaConteudo(conteudo, TabelaPadrao());
    EXPECT_EQ(r.achados,
              (std::vector<std::string>{segundo.Achado(c.ultima ? linhas.back() : linhas.front(),
                                                       c.inicio, c.fim, mensagem)}))
        << c.estrago;
  }
}

TEST(GeradorAmostras, OutrosEstragosDaoOAchadoDoCampo) {
  struct Caso {
    std::string estrago;
    std::string tipo;  // the record that carries the finding: the first of this type, or the last
    bool ultimo;       // record of the return
    int inicio, fim;
    std::string mensagem;
  };
  const Caso casos[] = {
      {"linhas-X09", "ABC ", false, 880, 882, "Nro de linhas do anexo inválido"},
      {"digito", "ABC ", false, 26, 35, "Dígito controle inválido"},
      {"numerico", "ABC ", false, 600, 614, "Campo numérico é esperado"},
      {"vencimento", "X08 ", false, 50, 57, "Venc Anexo VIII deve ser no Mes/Ano ROL"},
      {"cabecalho", "X01 ", false, 26, 35, "Anexo com cabeçalho inválido"},
      {"sequencia", "", true, 36, 39, "Contador de sequência incorreto"},
  };
  for (const Caso& c : casos) {
    am::OpcoesAmostra opcoes = Opcoes("05", 3, 5);
    opcoes.estragos = {am::LeEstrago(c.estrago + ":2")};
    const std::string conteudo = am::GeraAmostraTexto(opcoes);
    const std::vector<std::string> registros = Registros(conteudo);
    const std::vector<RetornoLido> retornos = Retornos(registros);
    const int linha = c.ultimo ? retornos[2].linha - 1 : retornos[1].linhas.at(c.tipo).front();
    // Ordinary findings name the record's own registration, as spoiled.
    RetornoLido doRegistro = retornos[1];
    doRegistro.inscricao = registros[static_cast<std::size_t>(linha - 1)].substr(25, 10);
    const ResultadoExecucao r = ExecutaConteudo(conteudo, TabelaPadrao());
    EXPECT_EQ(r.achados,
              (std::vector<std::string>{doRegistro.Achado(linha, c.inicio, c.fim, c.mensagem)}))
        << c.estrago;
  }
}

TEST(GeradorAmostras, MesmaSementeMesmoArquivoEmRegistrosCompletos) {
  const am::OpcoesAmostra opcoes = Opcoes("05", 7, 99);
  std::ostringstream saida;
  const am::ResumoAmostra resumo = am::GeraAmostra(opcoes, saida);
  const std::string conteudo = saida.str();
  EXPECT_EQ(conteudo, am::GeraAmostraTexto(opcoes));
  EXPECT_NE(conteudo, am::GeraAmostraTexto(Opcoes("05", 7, 100)));
  const std::vector<std::string> registros = Registros(conteudo);
  EXPECT_EQ(resumo.retornos, 7);
  EXPECT_EQ(resumo.registros, static_cast<std::int64_t>(registros.size()));
  for (const std::string& registro : registros) EXPECT_EQ(registro.size(), 898u);
}

TEST(GeradorAmostras, DetalheTrazOAnexoQueDetalha) {
  am::OpcoesAmostra opcoes = Opcoes("05", 1, 3);
  opcoes.anexos = "X03A,X05B,X07B";
  const RetornoLido retorno = Retornos(Registros(am::GeraAmostraTexto(opcoes))).at(0);
  for (const char* tipo : {"X03 ", "X03A", "X05 ", "X05B", "X07 ", "X07B"})
    EXPECT_TRUE(retorno.linhas.count(tipo)) << tipo;
  EXPECT_FALSE(retorno.linhas.count("X05A"));
  EXPECT_FALSE(retorno.linhas.count("X07A"));
}

TEST(GeradorAmostras, OpcoesQueOLayoutNaoAtendeSaoRecusadas) {
  auto recusa = [](auto muda) {
    am::OpcoesAmostra opcoes = Opcoes("05", 3, 1);
    muda(opcoes);
    std::ostringstream saida;
    EXPECT_THROW(am::GeraAmostra(opcoes, saida), std::invalid_argument);
  };
  recusa([](am::OpcoesAmostra& o) { o.layout = "06"; });
  recusa([](am::OpcoesAmostra& o) { o.retornos = 0; });
  recusa([](am::OpcoesAmostra& o) { o.itens = 1000; });
  recusa([](am::OpcoesAmostra& o) { o.anexos = "X01,X13"; });
  recusa([](am::OpcoesAmostra& o) { o.estragos = {{"soma-X03A", 1}}; });  // X03A sums nothing
  recusa([](am::OpcoesAmostra& o) { o.estragos = {{"soma-X02", 4}}; });   // there are 3 returns
  recusa([](am::OpcoesAmostra& o) { o.estragos = {{"valor", 1}}; });
  recusa([](am::OpcoesAmostra& o) {
    o.anexos = "X01";
    o.estragos = {{"vencimento", 1}};
  });

  EXPECT_EQ(am::LeEstrago("soma-X01:2").tipo, "soma-X01");
  EXPECT_EQ(am::LeEstrago("soma-X01:2").retorno, 2);
  EXPECT_EQ(am::LeEstrago("digito").retorno, 1);
  EXPECT_THROW(am::LeEstrago("digito:"), std::invalid_argument);
  EXPECT_THROW(am::LeEstrago("digito:2x"), std::invalid_argument);
  EXPECT_THROW(am::LeEstrago(":2"), std::invalid_argument);
}

// The bundled layout-05 samples: the generator makes them again byte for byte from the options
// below, and the validator gives the reports they are meant to show.
am::OpcoesAmostra OpcoesAmostraLimpa() { return Opcoes("05", 4, 2005); }
am::OpcoesAmostra OpcoesAmostraComErros() {
  am::OpcoesAmostra opcoes = Opcoes("05", 3, 2006);
  for (const char* estrago :
       {"numerico:1", "soma-X02:1", "digito:2", "soma-X05A:2", "vencimento:3", "linhas-X09:3"})
    opcoes.estragos.push_back(am::LeEstrago(estrago));
  return opcoes;
}

TEST(AmostrasMensais, GeradorRefazAsAmostras) {
  EXPECT_EQ(LeArquivo(Amostra("rol05-limpo.txt")), am::GeraAmostraTexto(OpcoesAmostraLimpa()));
  EXPECT_EQ(LeArquivo(Amostra("rol05-com-erros.txt")),
            am::GeraAmostraTexto(OpcoesAmostraComErros()));
}

TEST(AmostrasMensais, LimpaTemQuatroRetornos) {
  PastaTemporaria pasta;
  const ResultadoExecucao r =
      ExecutaArquivo(Amostra("rol05-limpo.txt").string(), pasta.caminho(), TabelaPadrao());
  ASSERT_EQ(r.desfecho, Desfecho::RelatorioOK);
  ASSERT_EQ(r.linhasSaida.size(), 12u);
  EXPECT_EQ(r.linhasSaida[7],
            "669/2516777    12/2003  474/3284103    03/2015  935/8514880    08/2008  ");
  EXPECT_EQ(r.linhasSaida[8], "083/3224123    08/2002  ");
  EXPECT_EQ(r.linhasSaida[11], "Foram Validadas 004 ROL(s).");
}

TEST(AmostrasMensais, ComErros) {
  PastaTemporaria pasta;
  const ResultadoExecucao r =
      ExecutaArquivo(Amostra("rol05-com-erros.txt").string(), pasta.caminho(), TabelaPadrao());
  EXPECT_EQ(r.desfecho, Desfecho::RelatorioNOK);
  EXPECT_EQ(
      r.achados,
      (std::vector<std::string>{
          Achado("514/3522508", "08/2014", 1, 600, 614, "Campo numérico é esperado"),
          Achado("514/3522508", "08/2014", 1, 74, 88, "Valor Incorreto da Referência"),
          Achado("954/2969968", "04/2004", 19, 26, 35, "Dígito controle inválido"),
          Achado("954/2969968", "04/2004", 25, 999, 999, "Valor do CFOP 202 incorreto"),
          Achado("901/7152015", "10/2004", 50, 50, 57, "Venc Anexo VIII deve ser no Mes/Ano ROL"),
          Achado("901/7152015", "10/2004", 37, 880, 882, "Nro de linhas do anexo inválido"),
      }));
}

}  // namespace
}  // namespace rolval::teste
