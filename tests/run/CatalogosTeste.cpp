// The catalogues as data: which codes exist, which are warnings, where each is reported, and the
// messages as the help shows them.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "run/Catalogos.h"

namespace rolval {
namespace {

std::set<int> CodigosOnde(char catalogo, Onde onde) {
  std::set<int> codigos;
  for (const EntradaCatalogo& e : EntradasDoCatalogo(catalogo))
    if (e.onde == onde) codigos.insert(e.codigo);
  return codigos;
}

TEST(Catalogos, CodigosComMensagemEForaDoCatalogo) {
  EXPECT_EQ(EntradasDoCatalogo(LetraMensal).size(), 46u);  // 1 to 52 but 38 to 43
  EXPECT_EQ(EntradasDoCatalogo(LetraST).size(), 41u);
  for (const int codigo : {0, 38, 43, 53, 255}) EXPECT_EQ(EntradaDe(LetraMensal, codigo), nullptr);
  for (const int codigo : {-1, 0, 42}) EXPECT_EQ(EntradaDe(LetraST, codigo), nullptr);
  // Each named code finds its own entry.
  EXPECT_EQ(EntradaDe(CodigoM::VencimentoX08ForaDaReferencia)->codigo, 52);
  EXPECT_EQ(EntradaDe(CodigoM::X03ASemX03)->texto, "Anexo X03a sem Anexo X03");
  EXPECT_EQ(EntradaDe(CodigoST::PeriodoApos062000)->depois, " deve ser menor que 07/2000");
  EXPECT_EQ(TextoDoCatalogo(LetraST, 13), "");  // made with the field's number
  EXPECT_EQ(TextoDoCatalogo(LetraST, 12), "Campo 10 não pode ser maior que o 9");
}

TEST(Catalogos, AvisosSaoOsDaSubstituicaoQueComecamPorAVISO) {
  std::set<int> avisos;
  for (int codigo = 0; codigo < 60; ++codigo) {
    EXPECT_FALSE(EAviso(LetraMensal, codigo)) << codigo;
    if (EAviso(LetraST, codigo)) avisos.insert(codigo);
  }
  EXPECT_EQ(avisos, (std::set<int>{2, 18, 23, 24, 29, 38, 39, 40}));
  EXPECT_TRUE(MensagemDeAviso("AVISO: Campos 9 e 10 zerados"));
  EXPECT_FALSE(MensagemDeAviso(" AVISO:"));
}

TEST(Catalogos, OndeCadaCodigoEReportado) {
  EXPECT_EQ(CodigosOnde(LetraMensal, Onde::LinhaGuardada),
            (std::set<int>{5, 30, 33, 34, 35, 36, 37, 44, 45, 46, 47, 48}));
  EXPECT_EQ(CodigosOnde(LetraMensal, Onde::Arquivo), (std::set<int>{17, 18, 19, 21, 27, 28, 49}));
  EXPECT_EQ(CodigosOnde(LetraMensal, Onde::RegistroSemPeriodo), (std::set<int>{50}));
  EXPECT_EQ(CodigosOnde(LetraST, Onde::LinhaGuardada), (std::set<int>{28, 31}));
  EXPECT_EQ(CodigosOnde(LetraST, Onde::Arquivo), (std::set<int>{1}));
  EXPECT_TRUE(CodigosOnde(LetraST, Onde::RegistroSemPeriodo).empty());
}

TEST(Catalogos, MensagensMontadasEModelos) {
  const struct {
    const EntradaCatalogo* entrada;
    int numero;
    const char* mensagem;
    const char* modelo;
  } casos[] = {
      {EntradaDe(CodigoM::ValorCfopIncorreto), 51, "Valor do CFOP 051 incorreto",
       "Valor do CFOP nnn incorreto"},
      {EntradaDe(CodigoM::ValorCfopIncorreto), 5102, "Valor do CFOP 5102 incorreto",
       "Valor do CFOP nnn incorreto"},
      {EntradaDe(CodigoST::CampoNaoInformado), 28, "Informe o campo 28", "Informe o campo n"},
      {EntradaDe(CodigoST::VencimentoAntesDaReferencia), 2, "2° venc deve ser maior que 01/07/2000",
       "n° venc deve ser maior que 01/MM/AAAA"},
      {EntradaDe(CodigoST::AnexoDuplicado), 2, "Informações duplicadas no Anexo II",
       "Informações duplicadas no Anexo I, II ou III"},
      {EntradaDe(CodigoST::AnexoDuplicado), 0, "Informações duplicadas no Anexo III",
       "Informações duplicadas no Anexo I, II ou III"},
      {EntradaDe(CodigoM::DataInvalida), 9, "Data Inválida", "Data Inválida"},
  };
  for (const auto& c : casos) {
    ASSERT_NE(c.entrada, nullptr) << c.mensagem;
    std::string mensagem = "> ";
    AcrescentaMensagem(mensagem, *c.entrada, c.numero, "072000");
    EXPECT_EQ(mensagem, std::string("> ") + c.mensagem);
    EXPECT_EQ(MensagemModelo(*c.entrada), c.modelo);
  }
}

TEST(Catalogos, DatasForaDaReferenciaNaoSeExplicamComoDataInexistente) {
  const std::string_view inexistente = EntradaDe(CodigoM::DataInvalida)->explicacao;
  for (const EntradaCatalogo* e : {EntradaDe(CodigoST::DataNaoPosteriorAReferencia),
                                   EntradaDe(CodigoST::VencimentoAntesDaReferencia),
                                   EntradaDe(CodigoM::VencimentoX08ForaDaReferencia)})
    EXPECT_NE(e->explicacao, inexistente) << e->codigo;
}

}  // namespace
}  // namespace rolval
