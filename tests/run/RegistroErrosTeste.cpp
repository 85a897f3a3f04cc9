// Finding lines: the registration part, the period, the masks, the catalogues and their sources.
#include <gtest/gtest.h>

#include "layouts/Layouts.h"
#include "run/Execucao.h"
#include "run/Latin1.h"
#include "tests/support/Apoio.h"

namespace rolval {
namespace {

using teste::LeArquivo;
using teste::PastaTemporaria;

class LinhaDeAchado : public ::testing::Test {
 protected:
  LinhaDeAchado() : execucao(pasta.caminho(), tela) {
    execucao.arquivoAchados.Abre();
    teste::DefineDocumento(execucao, DocROL05);
  }

  // The lines written so far, as UTF-8, each checked for its CR LF.
  std::vector<std::string> Linhas() {
    execucao.arquivoAchados.Fecha();
    const std::string bytes = execucao.arquivoAchados.Texto();
    std::vector<std::string> linhas;
    std::size_t inicio = 0;
    while (inicio < bytes.size()) {
      const std::size_t fim = bytes.find("\r\n", inicio);
      EXPECT_NE(fim, std::string::npos) << "line without CR LF";
      if (fim == std::string::npos) break;
      linhas.push_back(ParaUtf8(bytes.substr(inicio, fim - inicio)));
      inicio = fim + 2;
    }
    return linhas;
  }

  std::string Uma() {
    const auto linhas = Linhas();
    EXPECT_EQ(linhas.size(), 1u);
    return linhas.empty() ? std::string() : linhas.front();
  }

  PastaTemporaria pasta;
  TelaMuda tela;
  Execucao execucao;
};

TEST_F(LinhaDeAchado, MensalComInscricaoMascarada) {
  execucao.RegistroAtual.Inscricao = "1234567890";
  execucao.RegistroAtual.MesAnoRef = "052005";
  execucao.NumLinha = 12;
  execucao.GravaErro(CodigoM::CampoNaoNumerico, 26, 35);
  EXPECT_EQ(Uma(), "    123/456789005/2005 012 026 035 Campo numérico é esperado");
  EXPECT_TRUE(execucao.HouveErro);
}

TEST_F(LinhaDeAchado, ST02ComInscricaoComoLida) {
  teste::DefineDocumento(execucao, DocROLST02);
  execucao.RegistroAtual.Inscricao = "12345678000199";
  execucao.RegistroAtual.MesAnoRef = "052005";
  execucao.NumLinha = 12;
  execucao.GravaErro(CodigoM::CampoNaoNumerico, 26, 35);
  EXPECT_EQ(Uma(), " 1234567800019905/2005 012 026 035 Campo numérico é esperado");
}

TEST_F(LinhaDeAchado, ArquivoNaoReconhecido) {
  execucao.controle.Documento = "";
  execucao.RegistroAtual.Inscricao = "1234567890";
  execucao.GravaErroDoArquivo(CodigoM::ArquivoNaoROL);
  EXPECT_EQ(Uma(), std::string(15, ' ') + "00/0000 000 000 000 Arquivo a ser validado não é ROL");
  EXPECT_TRUE(
      execucao.RegistroAtual.Inscricao.empty());  // file-level codes empty it for later findings
}

TEST_F(LinhaDeAchado, MascaraDaInscricao) {
  execucao.RegistroAtual.MesAnoRef = "012001";
  execucao.RegistroAtual.Inscricao = "12345";
  execucao.GravaErro(CodigoM::DigitoControleInvalido, 26, 35);
  execucao.RegistroAtual.Inscricao = "ABC1234567890";  // letters: unchanged, cut to 11 by GravaErro
  execucao.GravaErro(CodigoM::DigitoControleInvalido, 26, 35);
  execucao.GravaErroST(CodigoST::DataIncorreta, 0, 26,
                       35);  // not cut by GravaErroST: three characters longer
  const auto linhas = Linhas();
  ASSERT_EQ(linhas.size(), 3u);
  EXPECT_EQ(linhas[0], "    000/001234501/2001 000 026 035 Dígito controle inválido");
  EXPECT_EQ(linhas[1], "    ABC1234567801/2001 000 026 035 Dígito controle inválido");
  EXPECT_EQ(linhas[2], "    ABC1234567890 01/2001 000 026 035 Data Incorreta");
  EXPECT_EQ(linhas[2].size(), linhas[1].size() + 3 -
                                  std::string("Dígito controle inválido").size() +
                                  std::string("Data Incorreta").size());
}

TEST_F(LinhaDeAchado, NumerosDeMaisDeTresDigitos) {
  execucao.RegistroAtual.Inscricao = "1234567890";
  execucao.RegistroAtual.MesAnoRef = "052005";
  execucao.NumLinha = 1000;
  execucao.GravaErro(CodigoM::ValorIncorreto, 999, 999);
  EXPECT_EQ(Uma(), "    123/456789005/2005 1000 999 999 Valor incorreto");
}

TEST_F(LinhaDeAchado, PeriodoEmBrancoSaiZerado) {
  execucao.RegistroAtual.Inscricao = "1234567890";
  execucao.GravaErro(CodigoM::IdentificacaoRegistroInvalida, 1, 2);
  EXPECT_EQ(Uma(), "    123/456789000/0000 000 001 002 Identificação Registro Inválida");
}

TEST_F(LinhaDeAchado, AchadosDoRetornoFechadoLevamOCabecalhoEALinhaDada) {
  execucao.RegistroAtual.Inscricao = "9999999999";
  execucao.RegistroAtual.MesAnoRef = "122005";
  execucao.CabecalhoROL.Inscricao = "1234567890";
  execucao.CabecalhoROL.MesAnoRef = "052005";
  execucao.NumLinha = 90;
  const struct {
    CodigoM codigo;
    std::int32_t linha;
  } casos[] = {
      {CodigoM::LinhasAnexoInvalidas, 3},       {CodigoM::SomaX07Incorreta, 7},
      {CodigoM::TotalDaReferenciaIncorreto, 3}, {CodigoM::MaisDeUmAnexo7, 3},
      {CodigoM::Anexo7ComAnexos7Ae7B, 3},       {CodigoM::ValorCfopIncorreto, 15},
      {CodigoM::ReferenciaIncorreta, 3},        {CodigoM::X03ASemX03, 4},
      {CodigoM::X05AouX05BSemX05, 5},           {CodigoM::X07AouX07BSemX07, 8},
      {CodigoM::IcmsProprioIncorreto, 3},       {CodigoM::IcmsSubstituicaoIncorreto, 3},
  };
  for (const auto& c : casos)
    execucao.GravaErro(execucao.NoRetornoFechado(c.linha), c.codigo, 51, 1, 2);
  const std::vector<std::string> esperado = {
      "    123/456789005/2005 003 001 002 Nro de linhas do anexo inválido",
      "    123/456789005/2005 007 001 002 Valor Incorreto",
      "    123/456789005/2005 003 001 002 Valor Incorreto da Referência",
      "    123/456789005/2005 003 001 002 Deve existir apenas UM Anexo 7",
      "    123/456789005/2005 003 001 002 Não pode ter anexo 7, 7a e 7b",
      "    123/456789005/2005 015 001 002 Valor do CFOP 051 incorreto",
      "    123/456789005/2005 003 001 002 Referência Incorreta",
      "    123/456789005/2005 004 001 002 Anexo X03a sem Anexo X03",
      "    123/456789005/2005 005 001 002 Anexo X05a ou X05b sem Anexo X05",
      "    123/456789005/2005 008 001 002 Anexo X07a ou X07b sem Anexo X07",
      "    123/456789005/2005 003 001 002 Cálculo de ICMS Próprio Incorreto",
      "    123/456789005/2005 003 001 002 Cálculo ICMS Subst. Trib. Incorreto",
  };
  EXPECT_EQ(Linhas(), esperado);
}

TEST_F(LinhaDeAchado, CodigosSemTextoEForaDoCatalogo) {
  execucao.RegistroAtual.Inscricao = "1234567890";
  execucao.RegistroAtual.MesAnoRef = "052005";
  for (const int codigo : {38, 43, 0, 53, 255})
    execucao.GravaErro(static_cast<CodigoM>(codigo), 1, 1);
  execucao.GravaErroST(static_cast<CodigoST>(42), 0, 1, 1);
  execucao.GravaErroST(static_cast<CodigoST>(0), 0, 1, 1);
  const auto linhas = Linhas();
  ASSERT_EQ(linhas.size(), 7u);
  for (const auto& l : linhas) EXPECT_EQ(l, "    123/456789005/2005 000 001 001 ");
}

TEST_F(LinhaDeAchado, Codigo18EsvaziaODocumentoECodigo50ZeraOPeriodo) {
  execucao.RegistroAtual.Inscricao = "1234567890";
  execucao.RegistroAtual.MesAnoRef = "052005";
  execucao.NumLinha = 4;
  execucao.GravaErro(LocalAchado{execucao.RegistroAtual.Inscricao, "000000", execucao.NumLinha},
                     CodigoM::VersoesDiferentes, 0, 5, 6);
  execucao.GravaErroDoArquivo(CodigoM::ParametrosInvalidos);
  const auto linhas = Linhas();
  ASSERT_EQ(linhas.size(), 2u);
  EXPECT_EQ(linhas[0], "    123/456789000/0000 004 005 006 Arquivo com ROLs de versões diferentes");
  EXPECT_EQ(linhas[1], std::string(15, ' ') + "00/0000 004 000 000 Arquivo de Parâmetros Inválido");
  EXPECT_EQ(execucao.controle.Documento.vista(), std::string(12, ' '));
}

TEST_F(LinhaDeAchado, MensagensMontadasDoCatalogoST) {
  teste::DefineDocumento(execucao, DocROLST02);
  execucao.RegistroAtual.Inscricao = "12345678000199";
  execucao.RegistroAtual.MesAnoRef = "072000";
  execucao.NumLinha = 9;
  execucao.GravaErroST(CodigoST::AnexoDuplicado, 2, 1, 27);
  execucao.GravaErroST(CodigoST::AnexoDuplicado, 3, 1, 27);
  execucao.GravaErroST(CodigoST::AnexoDuplicado, 7, 1, 27);
  execucao.GravaErroST(CodigoST::AnexoDuplicado, 1, 1, 27);
  execucao.GravaErroST(CodigoST::ValorDoPagamentoAusente, 3, 84, 98);
  execucao.GravaErroST(CodigoST::VencimentoDoPagamentoAusente, 3, 76, 83);
  execucao.GravaErroST(CodigoST::VencimentoAntesDaReferencia, 1, 30, 37);
  execucao.GravaErroST(CodigoST::PeriodoAte041999, 9, 1, 1);
  execucao.GravaErroST(CodigoST::CampoNaoInformado, 28, 1, 1);
  execucao.GravaErroST(CodigoST::DigitoDoCampoIncorreto, 30, 1, 1);
  execucao.GravaErroST(CodigoST::CampoNaoPositivo, 7, 1, 1);
  execucao.GravaErroST(CodigoST::CampoMaiorQueO6, 8, 1, 1);
  execucao.GravaErroST(CodigoST::ValorDoCampoIncorreto, 18, 1, 1);
  execucao.GravaErroST(CodigoST::SomaParcelasDifere, 21, 1, 1);
  execucao.GravaErroST(CodigoST::PeriodoApos062000, 12, 1, 1);
  execucao.GravaErroST(execucao.NoRegistroAtual(2), CodigoST::TotalDoCampoIncorreto, 14, 275, 289);
  execucao.GravaErroST(execucao.NoRegistroAtual(2), CodigoST::LinhasAnexoInvalidas, 0, 786, 789);
  execucao.GravaErroST(CodigoST::LinhasAnexoIIIAusentes, 0, 794, 797);
  const std::string p = " 1234567800019907/2000 ";
  const std::vector<std::string> esperado = {
      p + "009 001 027 Informações duplicadas no Anexo II",
      p + "009 001 027 Informações duplicadas no Anexo III",
      p + "009 001 027 Informações duplicadas no Anexo III",
      p + "009 001 027 Informações duplicadas no Anexo I",
      p + "009 084 098 Informe o valor do 3° pagamento",
      p + "009 076 083 Informe o vencimento do 3° pagto",
      p + "009 030 037 1° venc deve ser maior que 01/07/2000",
      p + "009 001 001 Campo 9 deve ser maior que 04/1999",
      p + "009 001 001 Informe o campo 28",
      p + "009 001 001 Dig. Controle Campo 30 Incorreto",
      p + "009 001 001 Campo 7 deve ser positivo",
      p + "009 001 001 Campo 8 não pode ser maior que o 6",
      p + "009 001 001 Valor do campo 18 incorreto",
      p + "009 001 001 Soma parcelas difere do campo 21",
      p + "009 001 001 Campo 12 deve ser menor que 07/2000",
      p + "002 275 289 Valor do campo 14 incorreto",
      p + "002 786 789 Nro de linhas do anexo inválido",
      p + "009 794 797 Informe nº de linhas do Anexo III",
  };
  EXPECT_EQ(Linhas(), esperado);
}

TEST_F(LinhaDeAchado, SinaisGravadosEmLatin1) {
  teste::DefineDocumento(execucao, DocROLST02);
  execucao.GravaErroST(CodigoST::ValorDoPagamentoAusente, 3, 84, 98);
  execucao.GravaErroST(CodigoST::LinhasAnexoIIIAusentes, 0, 794, 797);
  execucao.arquivoAchados.Fecha();
  const std::string bytes = execucao.arquivoAchados.Texto();
  EXPECT_NE(bytes.find("3\xB0 pagamento\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("Informe n\xBA de linhas"), std::string::npos);
}

TEST_F(LinhaDeAchado, ST1NaoMudaAInscricaoMasSaiSemElaEComPeriodoZerado) {
  teste::DefineDocumento(execucao, DocROLST02);
  execucao.RegistroAtual.Inscricao = "12345678000199";
  execucao.RegistroAtual.MesAnoRef = "072000";
  execucao.GravaErroST(LocalAchado{{}, {}, execucao.NumLinha}, CodigoST::ArquivoNaoROLST, 0, 0, 0);
  EXPECT_EQ(Uma(), std::string(15, ' ') + "00/0000 000 000 000 Arquivo não é ROL ST");
  EXPECT_EQ(execucao.RegistroAtual.Inscricao, "12345678000199");
}

TEST_F(LinhaDeAchado, ST15ComPeriodoEmBrancoNaoOZera) {
  teste::DefineDocumento(execucao, DocROLST02);
  execucao.RegistroAtual.Inscricao = "12345678000199";
  execucao.GravaErroST(CodigoST::VencimentoAntesDaReferencia, 2, 53, 60);
  EXPECT_EQ(Uma(), " 1234567800019900/0000 000 053 060 2° venc deve ser maior que 01/      ");
}

TEST(LimpaVariaveis, VoltaAoEstadoInicial) {
  PastaTemporaria pasta;
  TelaMuda tela;
  Execucao execucao(pasta.caminho(), tela);
  execucao.NumLinha = 40;
  execucao.QtdROLs = 3;
  execucao.HouveErro = true;
  execucao.CabecalhoLido = true;
  execucao.ListaROLs = "abc";
  execucao.LinhaAtual = "linha";
  execucao.RegistroAtual.Inscricao = "1";
  execucao.RegistroAtual.Complemento = "12345678";
  execucao.CabecalhoROL.MesAnoRef = "012000";
  teste::DefineDocumento(execucao, DocROL04);
  execucao.LimpaVariaveis();
  EXPECT_EQ(execucao.NumLinha, 0);
  EXPECT_EQ(execucao.QtdROLs, 0);
  EXPECT_FALSE(execucao.HouveErro);
  EXPECT_FALSE(execucao.CabecalhoLido);
  EXPECT_TRUE(execucao.ListaROLs.empty());
  EXPECT_TRUE(execucao.LinhaAtual.empty());
  for (const PrefixoRegistro* p : {&execucao.RegistroAtual, &execucao.CabecalhoROL}) {
    EXPECT_EQ(p->Complemento.vista(), "0       ");
    EXPECT_TRUE(p->Inscricao.empty());
    EXPECT_TRUE(p->Marca.empty());
    EXPECT_EQ(p->MesAnoRef.vista(), "      ");
    EXPECT_EQ(p->TipoRegistro.vista(), "    ");
  }
  EXPECT_EQ(execucao.controle.Documento, DocROL04);  // the control record is the driver's
}

TEST(ListaROLs, GravaUmaLinhaACadaTresEntradas) {
  PastaTemporaria pasta;
  TelaMuda tela;
  Execucao execucao(pasta.caminho(), tela);
  execucao.arquivoLista.Abre();
  const std::string entrada = "123/4567890    05/2005  ";
  for (int i = 0; i < 4; ++i) execucao.AcrescentaListaROLs(entrada);
  EXPECT_EQ(execucao.ListaROLs, entrada);
  execucao.arquivoLista.Fecha();
  EXPECT_EQ(execucao.arquivoLista.Texto(), entrada + entrada + entrada + "\r\n");
}

}  // namespace
}  // namespace rolval
