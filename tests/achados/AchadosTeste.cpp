// The findings as the faces take them: the writers' bytes, the tally's order, the compact list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "achados/Contagem.h"
#include "achados/Escritores.h"
#include "achados/ListaAchados.h"

namespace rolval {
namespace {

constexpr CampoRegistro CampoNumerado{14, "Valor total", 275, 15, TipoCampo::Valor};
constexpr CampoRegistro CampoSemNumero{0, "Inscrição; \"IE\"", 26, 10, TipoCampo::Inscricao};

Achado Exemplo(int codigo, std::string_view mensagem, char catalogo = 'M') {
  return Achado{catalogo, codigo, "123/4567890", "05/2005", 7, 275, 289, mensagem};
}

struct CasoEscrita {
  const char* nome;
  Achado achado;
  std::string json;
  std::string csv;  // with ';'
};

TEST(Escritores, JsonLinesECsvDeCadaAchado) {
  Achado comTudo = Exemplo(13, "Valor do campo 14 incorreto", 'S');
  comTudo.tipoRegistro = "X01";
  comTudo.campo = &CampoNumerado;
  comTudo.encontrado = "000000000012345";
  comTudo.declarado = 12345;
  comTudo.calculado = 12345.5;
  Achado estranho{'M', 4, "1\n\x01;\"", "05/2005", 2, 26, 35, "D\xEDgito controle inv\xE1lido"};
  estranho.campo = &CampoSemNumero;
  estranho.encontrado = "\xE7;";
  estranho.calculado = -3;
  const std::vector<CasoEscrita> casos = {
      {"sem o que o relatorio nao imprime", Exemplo(2, "AVISO: Campos 9 e 10 zerados", 'S'),
       R"({"type":"finding","file":"a.txt","line":7,"first_column":275,"last_column":289,)"
       R"("catalogue":"ST","code":2,"registration":"123/4567890","period":"05/2005",)"
       R"("message":"AVISO: Campos 9 e 10 zerados","warning":true,"record_type":"","field":null,)"
       R"("found":"","declared":null,"computed":null})"
       "\n",
       "a.txt;7;275;289;ST;2;123/4567890;05/2005;AVISO: Campos 9 e 10 zerados;true;;;;;;;;\r\n"},
      {"campo numerado e valores", comTudo,
       R"({"type":"finding","file":"a.txt","line":7,"first_column":275,"last_column":289,)"
       R"("catalogue":"ST","code":13,"registration":"123/4567890","period":"05/2005",)"
       R"("message":"Valor do campo 14 incorreto","warning":false,"record_type":"X01",)"
       R"("field":{"number":14,"name":"Valor total","first_column":275,"last_column":289},)"
       R"("found":"000000000012345","declared":12345,"computed":12345.5})"
       "\n",
       "a.txt;7;275;289;ST;13;123/4567890;05/2005;Valor do campo 14 incorreto;false;X01;14;"
       "Valor total;275;289;000000000012345;12345;12345.5\r\n"},
      {"latin1 controle aspas e separador", estranho,
       R"({"type":"finding","file":"a.txt","line":2,"first_column":26,"last_column":35,)"
       R"("catalogue":"M","code":4,"registration":"1\n\u0001;\"","period":"05/2005",)"
       R"("message":"Dígito controle inválido","warning":false,"record_type":"",)"
       R"("field":{"number":null,"name":"Inscrição; \"IE\"","first_column":26,"last_column":35},)"
       R"("found":"ç;","declared":null,"computed":-3})"
       "\n",
       "a.txt;2;26;35;M;4;\"1\n\x01;\"\"\";05/2005;Dígito controle inválido;false;;;"
       "\"Inscrição; \"\"IE\"\"\";26;35;\"ç;\";;-3\r\n"},
  };
  for (const CasoEscrita& c : casos) {
    std::string json, csv;
    AcrescentaJsonAchado(json, "\"a.txt\"", c.achado);
    AcrescentaCsvAchado(csv, "a.txt", c.achado, ';');
    EXPECT_EQ(json, c.json) << c.nome;
    EXPECT_EQ(csv, c.csv) << c.nome;
  }
  std::string comVirgula;
  AcrescentaCsvAchado(comVirgula, "x,y.txt", casos[0].achado, ',');
  EXPECT_EQ(comVirgula,
            "\"x,y.txt\",7,275,289,ST,2,123/4567890,05/2005,"
            "AVISO: Campos 9 e 10 zerados,true,,,,,,,,\r\n");
}

// An item's field is written with the columns of the occurrence the finding names.
TEST(Escritores, CampoDeItemComAsColunasDaOcorrencia) {
  static constexpr CampoRegistro Numero =
      CampoRepetido("Número", 46, 3, TipoCampo::Digitos, 29, 29);
  Achado a = Exemplo(7, "Campo numérico é esperado");
  a.campo = &Numero;
  a.ocorrencia = 1;
  std::string json;
  AcrescentaJsonAchado(json, "\"a.txt\"", a);
  EXPECT_NE(
      json.find(R"("field":{"number":null,"name":"Número","first_column":75,"last_column":77})"),
      std::string::npos)
      << json;
  std::string csv;
  AcrescentaCsvAchado(csv, "a.txt", a, ';');
  EXPECT_NE(csv.find(";Número;75;77;"), std::string::npos) << csv;
}

TEST(Escritores, ResumoContagemEStatus) {
  const std::vector<std::string> mensagens = {"falhou \"aqui\""};
  std::string s;
  AcrescentaJsonResumo(s, {"d\xE9.txt", "ROL05", Desfecho::RelatorioNOK, 3, 6, 1, &mensagens});
  AcrescentaJsonResumo(s, {"b.txt", "DESCONHECIDO", Desfecho::SemRelatorio, 0, 0, 0, nullptr});
  AcrescentaJsonContagem(s, {'S', 28, "Nro de linhas do anexo inv\xE1lido", 12, 3});
  AcrescentaTextoContagem(s, {'M', 4, "D\xEDgito", 5, 2});
  EXPECT_EQ(
      s,
      R"({"type":"summary","file":"dé.txt","file_bytes":"ZOkudHh0","document":"ROL05","status":"NOK",)"
      R"("returns":3,)"
      R"("findings":6,"warnings":1,"messages":["falhou \"aqui\""]})"
      "\n"
      R"({"type":"summary","file":"b.txt","document":"DESCONHECIDO","status":"NO_REPORT",)"
      R"("returns":0,"findings":0,"warnings":0,"messages":[]})"
      "\n"
      R"({"type":"tally","catalogue":"ST","code":28,"message":"Nro de linhas do anexo )"
      R"(inválido","findings":12,"files":3})"
      "\n"
      "TALLY\tM\t4\t5\t2\tDígito\n");
  EXPECT_EQ(NomeDoStatus(Desfecho::RelatorioOK), "OK");
  EXPECT_EQ(NomeDoStatus(Desfecho::RelatorioSemJanela), "NOK");
}

TEST(Escritores, NomeDoArquivoEmUtf8) {
  const std::vector<std::pair<std::string, std::string>> casos = {
      {"plain.txt", "plain.txt"},
      {"j\xC3\xA1 utf8.txt", "j\xC3\xA1 utf8.txt"},
      {"latin\xE1.txt", "latin\xC3\xA1.txt"},
      {"longa\xC0\x80", "longa\xC3\x80\xC2\x80"},                // an overlong form is not UTF-8
      {"metade\xED\xA0\x80", "metade\xC3\xAD\xC2\xA0\xC2\x80"},  // nor is a surrogate
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
      {"cortado\xE2\x82", "cortado\xC3\xA2\xC2\x82"},
  };
  for (const auto& [nome, esperado] : casos) EXPECT_EQ(NomeEmUtf8(nome), esperado) << nome;
}

TEST(Contagem, MaisAchadosPrimeiroDepoisMaisArquivosECatalogoECodigo) {
  ContagemAchados total;
  const std::vector<std::vector<std::pair<char, int>>> arquivos = {
      {{'M', 24}, {'M', 24}, {'S', 9}, {'M', 4}},
      {{'M', 24}, {'S', 9}, {'S', 2}, {'M', 7}},
      {{'S', 9}, {'M', 4}, {'M', 7}, {'M', 7}, {'M', 7}},
  };
  for (const auto& achados : arquivos) {
    ContagemAchados arquivo;
    for (const auto& [catalogo, codigo] : achados) arquivo.Anota(Exemplo(codigo, "m", catalogo));
    total.Junta(arquivo);
  }
  std::vector<std::tuple<char, int, long, long>> linhas;
  for (const LinhaContagem& l : total.Linhas())
    linhas.emplace_back(l.catalogo, l.codigo, l.achados, l.arquivos);
  const std::vector<std::tuple<char, int, long, long>> esperadas = {
      {'M', 7, 4, 2}, {'S', 9, 3, 3}, {'M', 24, 3, 2}, {'M', 4, 2, 2}, {'S', 2, 1, 1}};
  EXPECT_EQ(linhas, esperadas);
}

TEST(Contagem, MensagemDoPrimeiroAchadoDoCodigo) {
  ContagemAchados a, b, total;
  a.Anota(Exemplo(13, "Valor do campo 21 incorreto", 'S'));
  a.Anota(Exemplo(13, "Valor do campo 14 incorreto", 'S'));
  b.Anota(Exemplo(13, "Valor do campo 9 incorreto", 'S'));
  total.Junta(a);
  total.Junta(b);
  ASSERT_EQ(total.Linhas().size(), 1u);
  EXPECT_EQ(total.Linhas()[0].mensagem, "Valor do campo 21 incorreto");
}

TEST(ListaAchados, GuardaCadaAchadoELinhasDaVisao) {
  ListaAchados lista;
  std::vector<Achado> dados = {
      Exemplo(24, "Valor incorreto"), Achado{'M', 4, "1\n2", "05/2005", 2, 26, 35, "AVISO: x"},
      Achado{'S', 2, "1\r2\r", "", 3, 0, 0, "com CR sozinho"}, Exemplo(7, "Valor incorreto")};
  dados[0].campo = &CampoNumerado;
  dados[0].tipoRegistro = "X01";
  dados[0].encontrado = "A00";
  dados[0].deslocamento = 1796;
  dados[0].ocorrencia = 2;
  dados[0].declarado = 10;
  dados[3].calculado = 0;
  // Headers named: the first two findings share one, the third another, the fourth the first again.
  for (const std::size_t i : {0, 1, 3}) {
    dados[i].linhaCabecalho = 1;
    dados[i].deslocamentoCabecalho = 0;
  }
  dados[2].linhaCabecalho = 3;
  dados[2].deslocamentoCabecalho = 1800;
  // The report line as the log writes it: only its line breaks matter to the view.
  const std::vector<std::string> linhas = {"um", "reg 1\n2 x", "reg 1\r2\r", "quatro"};
  for (std::size_t i = 0; i < dados.size(); ++i) {
    Achado a = dados[i];
    a.linhaRelatorio = linhas[i];
    lista.Anota(a);
  }
  ASSERT_EQ(lista.Tamanho(), 4u);
  for (std::size_t i = 0; i < dados.size(); ++i) {
    const Achado a = lista.Le(i);
    const Achado& e = dados[i];
    EXPECT_EQ(
        std::tie(a.catalogo, a.codigo, a.inscricao, a.periodo, a.linha, a.inicio, a.fim, a.mensagem,
                 a.tipoRegistro, a.campo, a.ocorrencia, a.encontrado, a.deslocamento, a.declarado,
                 a.calculado, a.linhaCabecalho, a.deslocamentoCabecalho),
        std::tie(e.catalogo, e.codigo, e.inscricao, e.periodo, e.linha, e.inicio, e.fim, e.mensagem,
                 e.tipoRegistro, e.campo, e.ocorrencia, e.encontrado, e.deslocamento, e.declarado,
                 e.calculado, e.linhaCabecalho, e.deslocamentoCabecalho))
        << i;
  }
  EXPECT_EQ(lista.Avisos(), 1);
  EXPECT_EQ(lista.Erros(), 3);
  // After the report's six lines of heading: one line, two (an LF), three (two lone CRs), one.
  const std::vector<std::pair<int, int>> visao = {{6, 6}, {7, 8}, {9, 11}, {12, 12}};
  for (std::size_t i = 0; i < visao.size(); ++i)
    EXPECT_EQ(std::make_pair(lista.PrimeiraLinhaNaVisao(i), lista.UltimaLinhaNaVisao(i)), visao[i])
        << i;
  std::vector<std::int64_t> daLinha;
  for (int l = 0; l <= 13; ++l) daLinha.push_back(lista.AchadoDaLinhaNaVisao(l));
  EXPECT_EQ(daLinha, (std::vector<std::int64_t>{-1, -1, -1, -1, -1, -1, 0, 1, 1, 2, 2, 2, 3, -1}));
}

}  // namespace
}  // namespace rolval
