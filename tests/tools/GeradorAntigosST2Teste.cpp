// The generator's modules for layouts ST 02, 03 and ST 01 against the validator: their files are
// accepted with the list of their returns, each kind of spoil gives exactly the findings it stands
// for, in the return it names, and a seed always gives the same bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "layouts/Layouts.h"
#include "run/Formatos.h"
#include "tests/support/Apoio.h"
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

// Where a layout keeps a return's identification, and how its report shows it.
struct Layout {
  std::string nome;       // the generator's name
  std::string documento;  // the report's document tag
  int colunaInscricao;    // registration (10 characters; 14 in ST 02)
  int colunaPeriodo;      // MMAAAA
  std::size_t largura;    // record length (of the header in ST 02)
};

const Layout ST02{"ST02", "ROLST02     ", 14, 8, 797};
const Layout V03{"03", "ROL03       ", 26, 20, 898};
const Layout ST01{"ST01", "ROLST01     ", 17, 11, 754};

bool EST2(const Layout& l) { return l.nome == "ST02"; }

// A return as the generated file holds it: its first line, its identification and the lines of
// its records by record type (ST 02: "A0" to "A3"; the other layouts: "" for the one line).
struct RetornoLido {
  int linha = 0;
  std::string inscricao;
  std::string periodo;
  std::map<std::string, std::vector<int>> linhas;
};

std::vector<RetornoLido> Retornos(const Layout& l, const std::vector<std::string>& registros) {
  std::vector<RetornoLido> retornos;
  for (std::size_t i = 0; i < registros.size(); ++i) {
    const std::string& r = registros[i];
    const std::string tipo = EST2(l) ? r.substr(0, 2) : "";
    const int linha = static_cast<int>(i) + 1;
    if (!EST2(l) || tipo == "A0")
      retornos.push_back(
          {linha,
           r.substr(static_cast<std::size_t>(l.colunaInscricao - 1), EST2(l) ? 14 : 10),
           r.substr(static_cast<std::size_t>(l.colunaPeriodo - 1), 6),
           {}});
    retornos.back().linhas[tipo].push_back(linha);
  }
  return retornos;
}

// The finding line of a return: ST 02 prints the registration as read, the others masked.
std::string Achado(const Layout& l, const RetornoLido& retorno, int linha, int inicio, int fim,
                   std::string_view mensagem) {
  char numeros[40];
  std::snprintf(numeros, sizeof numeros, " %03d %03d %03d ", linha, inicio, fim);
  std::string s = EST2(l) ? " " + retorno.inscricao : "    " + FormataInscricao(retorno.inscricao);
  return s + FormataPeriodo(retorno.periodo) + numeros + std::string(mensagem);
}

// The whole report of an accepted file holding these returns.
std::vector<std::string> RelatorioOK(const Layout& l, const std::vector<RetornoLido>& retornos) {
  std::vector<std::string> esperado = {
      "ARQUIVO OK.",
      "",
      "Documento: " + l.documento,
      "",
      std::string(70, '-'),
      EST2(l) ? "INSCRIÇÃO      REFER    INSCRIÇÃO      REFER    INSCRIÇÃO      REFER"
              : "REG/TB         REFER    REG/TB         REFER    REG/TB         REFER",
      std::string(70, '-')};
  std::string lista;
  for (std::size_t i = 0; i < retornos.size(); ++i) {
    lista +=
        EST2(l) ? retornos[i].inscricao + " " : FormataInscricao(retornos[i].inscricao) + "    ";
    lista += FormataPeriodo(retornos[i].periodo) + "  ";
    if (i % 3 == 2 || i + 1 == retornos.size()) {
      esperado.push_back(lista);
      lista.clear();
    }
  }
  std::string contagem = "Foram Validadas ";
  AcrescentaNumero(contagem, static_cast<std::int64_t>(retornos.size()));
  esperado.insert(esperado.end(), {"", "", contagem + (EST2(l) ? " ROL(s) ST." : " ROL(s).")});
  return esperado;
}

am::OpcoesAmostra Opcoes(const Layout& l, std::int32_t retornos, std::uint64_t semente) {
  am::OpcoesAmostra opcoes;
  opcoes.layout = l.nome;
  opcoes.retornos = retornos;
  opcoes.semente = semente;
  return opcoes;
}

TEST(GeradorAntigosST2, ArquivosAceitosComAListaDosRetornos) {
  struct Caso {
    const Layout& layout;
    std::int32_t retornos;
    std::string anexos;
  };
  std::vector<Caso> casos;
  for (const std::int32_t n : {1, 3, 50}) {
    for (const char* anexos : {"all", "none", "A1", "A2", "A3", "A1,A2", "A1,A3", "A2,A3"})
      casos.push_back({ST02, n, anexos});
    casos.push_back({V03, n, "all"});
    casos.push_back({ST01, n, "all"});
  }
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.layout.nome + " " + std::to_string(c.retornos) + " " + c.anexos);
    am::OpcoesAmostra opcoes = Opcoes(c.layout, c.retornos, 11);
    opcoes.anexos = c.anexos;
    const std::string conteudo = am::GeraAmostraTexto(opcoes);
    const std::vector<RetornoLido> retornos = Retornos(c.layout, Registros(conteudo));
    ASSERT_EQ(retornos.size(), static_cast<std::size_t>(c.retornos));
    if (EST2(c.layout)) {
      // Each return holds the annexes asked for, and no other.
      for (const RetornoLido& retorno : retornos)
        for (const char* anexo : {"A1", "A2", "A3"})
          EXPECT_EQ(retorno.linhas.count(anexo) == 1,
                    c.anexos == "all" || c.anexos.find(anexo) != std::string::npos)
              << anexo << " in the return at line " << retorno.linha;
    }

    const ResultadoExecucao r = ExecutaConteudo(conteudo, TabelaPadrao());
    EXPECT_EQ(r.desfecho, Desfecho::RelatorioOK);
    EXPECT_EQ(r.linhasSaida, RelatorioOK(c.layout, retornos));
  }
}

TEST(GeradorAntigosST2, ST2ComMuitosRegistrosPorAnexo) {
  for (const std::uint64_t semente : {1u, 2u, 3u}) {
    am::OpcoesAmostra opcoes = Opcoes(ST02, 4, semente);
    opcoes.itens = 120;
    const std::string conteudo = am::GeraAmostraTexto(opcoes);
    const std::vector<std::string> registros = Registros(conteudo);
    for (const RetornoLido& retorno : Retornos(ST02, registros)) {
      for (const char* anexo : {"A1", "A2", "A3"})
        EXPECT_EQ(retorno.linhas.at(anexo).size(), 120u) << anexo;
      // The header declares the counts it holds.
      EXPECT_EQ(registros[static_cast<std::size_t>(retorno.linha - 1)].substr(785, 12),
                "012001200120");
    }
    const ResultadoExecucao r = ExecutaConteudo(conteudo, TabelaPadrao());
    EXPECT_EQ(r.desfecho, Desfecho::RelatorioOK) << "seed " << semente;
    EXPECT_TRUE(r.achados.empty()) << r.achados.front();
  }
}

// One spoil in the second of three returns: the findings it stands for, and nothing else.
struct CasoEstrago {
  const Layout& layout;
  std::string estrago;
  std::string tipo;  // ST 02: the record that carries the finding ("A0": the return's header)
  int ordem;         // ... the first (1) or the second (2) record of that type in the return
  int inicio, fim;
  std::string mensagem;  // ending in "01/": the period masked follows
  int vezes;             // how many times the line is written
};

TEST(GeradorAntigosST2, CadaEstragoDaSoOsAchadosDoCampo) {
  const std::string campo14 = "Valor do campo 14 incorreto",
                    linhas = "Nro de linhas do anexo inválido";
  const std::string numerico = "Campo numérico é esperado", venc = "1° venc deve ser maior que 01/";
  const CasoEstrago casos[] = {
      {ST02, "soma-A1", "A0", 1, 275, 289, campo14, 1},
      {ST02, "soma-A2", "A0", 1, 290, 304, "Valor do campo 15 incorreto", 1},
      {ST02, "linhas-A1", "A0", 1, 786, 789, linhas, 1},
      {ST02, "linhas-A2", "A0", 1, 790, 793, linhas, 1},
      {ST02, "linhas-A3", "A0", 1, 794, 797, linhas, 1},
      {ST02, "repete-A1", "A1", 2, 3, 27, "Informações duplicadas no Anexo I", 1},
      {ST02, "repete-A2", "A2", 2, 3, 27, "Informações duplicadas no Anexo II", 1},
      {ST02, "repete-A3", "A3", 2, 3, 16, "Informações duplicadas no Anexo III", 1},
      {ST02, "digito", "A0", 1, 395, 408, "Dig. Controle Campo 28 Incorreto", 1},
      {ST02, "numerico", "A0", 1, 305, 319, numerico, 1},
      {ST02, "vencimento", "A0", 1, 30, 37, venc, 1},
      {V03, "soma", "", 1, 292, 307, "Valor incorreto", 1},
      {V03, "digito", "", 1, 26, 35, "Dígito controle inválido", 1},
      {V03, "numerico", "", 1, 748, 763, numerico, 1},
      // The due date is read twice, once led by the date and once by its amount.
      {V03, "vencimento", "", 1, 516, 523, "Vencimento Incorreto", 2},
      {ST01, "soma", "", 1, 213, 227, "Soma parcelas difere do campo 17", 1},
      {ST01, "digito", "", 1, 17, 26, "Dig. Controle Campo 5 Incorreto", 1},
      {ST01, "numerico", "", 1, 453, 456, numerico, 1},
      {ST01, "vencimento", "", 1, 228, 235, venc, 1},
  };
  for (const CasoEstrago& c : casos) {
    // Several seeds: returns with and without installments, annexes of one or more records.
    for (const std::uint64_t semente : {1u, 2u, 3u, 4u, 5u, 6u}) {
      SCOPED_TRACE(c.layout.nome + " " + c.estrago + " seed " + std::to_string(semente));
      am::OpcoesAmostra opcoes = Opcoes(c.layout, 3, semente);
      opcoes.estragos = {am::LeEstrago(c.estrago + ":2")};
      const std::string conteudo = am::GeraAmostraTexto(opcoes);
      const RetornoLido segundo = Retornos(c.layout, Registros(conteudo)).at(1);
      const int linha = segundo.linhas.at(c.tipo).at(static_cast<std::size_t>(c.ordem - 1));
      std::string mensagem = c.mensagem;
      if (mensagem.ends_with("01/")) mensagem += FormataPeriodo(segundo.periodo);
      const ResultadoExecucao r = ExecutaConteudo(conteudo, TabelaPadrao());
      EXPECT_EQ(r.desfecho, Desfecho::RelatorioNOK);
      EXPECT_EQ(r.achados, std::vector<std::string>(
                               static_cast<std::size_t>(c.vezes),
                               Achado(c.layout, segundo, linha, c.inicio, c.fim, mensagem)));
    }
  }
}

TEST(GeradorAntigosST2, MesmaSementeMesmoArquivoEmRegistrosCompletos) {
  for (const Layout* l : {&ST02, &V03, &ST01}) {
    SCOPED_TRACE(l->nome);
    const am::OpcoesAmostra opcoes = Opcoes(*l, 7, 99);
    std::ostringstream saida;
    const am::ResumoAmostra resumo = am::GeraAmostra(opcoes, saida);
    const std::string conteudo = saida.str();
    EXPECT_EQ(conteudo, am::GeraAmostraTexto(opcoes));
    EXPECT_NE(conteudo, am::GeraAmostraTexto(Opcoes(*l, 7, 100)));
    const std::vector<std::string> registros = Registros(conteudo);
    EXPECT_EQ(resumo.retornos, 7);
    EXPECT_EQ(resumo.registros, static_cast<std::int64_t>(registros.size()));
    const std::map<std::string, std::size_t> larguras = {
        {"A0", 797}, {"A1", 50}, {"A2", 50}, {"A3", 46}};
    for (const std::string& registro : registros)
      EXPECT_EQ(registro.size(), EST2(*l) ? larguras.at(registro.substr(0, 2)) : l->largura);
  }
}

TEST(GeradorAntigosST2, OpcoesQueOLayoutNaoAtendeSaoRecusadas) {
  auto recusa = [](const Layout& l, auto muda) {
    am::OpcoesAmostra opcoes = Opcoes(l, 3, 1);
    muda(opcoes);
    std::ostringstream saida;
    EXPECT_THROW(am::GeraAmostra(opcoes, saida), std::invalid_argument) << l.nome;
  };
  recusa(ST02, [](am::OpcoesAmostra& o) { o.anexos = "A1,A4"; });
  recusa(ST02, [](am::OpcoesAmostra& o) {
    o.estragos = {{"soma-A3", 1}};
  });  // annex III has no total
  recusa(ST02, [](am::OpcoesAmostra& o) {
    o.anexos = "A2";
    o.estragos = {{"soma-A1", 1}};
  });
  recusa(ST02, [](am::OpcoesAmostra& o) {
    o.itens = 1;
    o.estragos = {{"repete-A2", 1}};
  });
  recusa(ST02, [](am::OpcoesAmostra& o) { o.estragos = {{"sequencia", 1}}; });
  recusa(V03, [](am::OpcoesAmostra& o) { o.anexos = "A1"; });
  recusa(ST01, [](am::OpcoesAmostra& o) { o.itens = 2; });
  recusa(ST01, [](am::OpcoesAmostra& o) { o.estragos = {{"soma-A1", 1}}; });
  recusa(V03, [](am::OpcoesAmostra& o) { o.estragos = {{"digito", 4}}; });  // there are 3 returns
}

// The bundled samples of these layouts: the generator makes them again byte for byte from the
// options below (the commands are in the comments of the tests that pin their reports).
struct AmostraGerada {
  const char* arquivo;
  const Layout* layout;
  std::int32_t retornos;
  std::uint64_t semente;
  std::vector<const char*> estragos;
};

TEST(GeradorAntigosST2, GeradorRefazAsAmostras) {
  const AmostraGerada amostras[] = {
      {"rolst02-limpo.txt", &ST02, 3, 2002, {}},
      {"rolst02-com-erros.txt",
       &ST02,
       3,
       2003,
       {"numerico:1", "soma-A1:1", "repete-A3:2", "digito:2", "vencimento:3", "linhas-A2:3"}},
      {"rol03-limpo.txt", &V03, 7, 1994, {}},
      {"rol03-com-erros.txt", &V03, 4, 1995, {"soma:1", "digito:2", "numerico:3", "vencimento:4"}},
      {"rolst01-limpo.txt", &ST01, 5, 1999, {}},
      {"rolst01-com-erros.txt",
       &ST01,
       4,
       2000,
       {"soma:1", "digito:2", "numerico:3", "vencimento:4"}},
  };
  for (const AmostraGerada& a : amostras) {
    am::OpcoesAmostra opcoes = Opcoes(*a.layout, a.retornos, a.semente);
    for (const char* estrago : a.estragos) opcoes.estragos.push_back(am::LeEstrago(estrago));
    const auto caminho = Amostra(a.arquivo);
    EXPECT_EQ(LeArquivo(caminho), am::GeraAmostraTexto(opcoes)) << a.arquivo;
  }
}

}  // namespace
}  // namespace rolval::teste
