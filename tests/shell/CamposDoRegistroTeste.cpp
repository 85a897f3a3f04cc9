// The record view knows the record's fields: the finding's field by number and name with what it
// holds, declared and computed values, and each field's name and value under the pointer.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <string>

#include "layouts/CamposLayouts.h"
#include "shell/Principal.h"
#include "shell/Saida.h"
#include "shell/TelaQt.h"
#include "shell/VisaoRegistro.h"
#include "tests/shell/ApoioJanelas.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {
namespace {

TEST(CamposDoRegistro, ValorLegivelDeDatasPeriodosEValores) {
  const struct {
    TipoCampo tipo;
    const char* bytes;
    const char* esperado;
  } casos[] = {
      {TipoCampo::DataDDMMAAAA, "01102006", "01/10/2006"},
      {TipoCampo::DataAAAAMMDD, "20060906", "06/09/2006"},
      {TipoCampo::DataAAAAMMDD, "2006090", ""},  // not a date's length
      {TipoCampo::DataDDMMAAAA, "01 02006", ""},
      {TipoCampo::PeriodoMMAAAA, "072000", "07/2000"},
      {TipoCampo::Valor, "000000000123456", "1.234,56"},
      {TipoCampo::Valor, "000000000000005", "0,05"},
      {TipoCampo::Valor, "000000000000000", "0,00"},
      {TipoCampo::Valor, "123456789012345", "1.234.567.890.123,45"},
      {TipoCampo::Valor, "7", "0,07"},
      {TipoCampo::Valor, "00000000001234-", ""},
      {TipoCampo::Digitos, "0012", ""},
      {TipoCampo::Texto, "20060906", ""},
  };
  for (const auto& c : casos)
    EXPECT_EQ(ValorLegivel(c.tipo, c.bytes), QString::fromUtf8(c.esperado)) << c.bytes;
}

TEST(CamposDoRegistro, DescricaoDoCampoDeCadaTipoDeAchado) {
  const TabelaRegistro* a0 = TabelaDoRegistro("A0");
  ASSERT_NE(a0, nullptr);
  const CampoRegistro* vencimento = CampoNaColuna(*a0, 30);
  const CampoRegistro* imposto = CampoDeNumero(*a0, 21);
  const CampoRegistro* linhasAnexo = CampoNaColuna(*a0, 786);
  const CampoRegistro* nome = CampoDeNumero(*a0, 29);
  const auto achado = [](const CampoRegistro* campo, std::int16_t ocorrencia, const char* achado,
                         std::optional<double> declarado, std::optional<double> calculado) {
    Achado a{'S', 4, "0500000000", "07/2000", 1, 0, 0, "mensagem"};
    a.tipoRegistro = campo != nullptr ? "A0" : "";
    a.campo = campo;
    a.ocorrencia = ocorrencia;
    a.encontrado = achado;
    a.declarado = declarado;
    a.calculado = calculado;
    return a;
  };
  const struct {
    const char* nome;
    Achado achado;
    const char* esperado;
  } casos[] = {
      {"a date of the second installment", achado(vencimento, 1, "20060906", {}, {}),
       "Registro A0 - campo Vencimento da parcela (colunas 53 a 60): \"20060906\" = 06/09/2006"},
      {"a total, declared and computed", achado(imposto, 0, "000000000123456", 123456, 120000),
       "Registro A0 - campo 21 Imposto a recolher (soma das parcelas) (colunas 380 a 394): "
       "\"000000000123456\" = 1.234,56 - declarado 123456 / calculado 120000"},
      {"a count", achado(linhasAnexo, 0, "0003", 3, 5),
       "Registro A0 - campo Linhas do anexo I (colunas 786 a 789): \"0003\" - declarado 3 / "
       "calculado 5"},
      {"a computed value alone", achado(linhasAnexo, 0, "", {}, 7),
       "Registro A0 - campo Linhas do anexo I (colunas 786 a 789) - calculado 7"},
      {"a text", achado(nome, 0, "EMPRESA", {}, {}),
       "Registro A0 - campo 29 Nome da empresa (colunas 409 a 454): \"EMPRESA\""},
      {"no field known", achado(nullptr, 0, "", {}, {}), ""},
  };
  for (const auto& c : casos)
    EXPECT_EQ(DescricaoCampo(c.achado).toStdString(), c.esperado) << c.nome;
}

// Every finding of the samples that names a field: its field above the record, and the same field
// under the pointer at its first column.
TEST(CamposDoRegistro, AchadosDasAmostrasMostramOCampoNaVisaoENaDica) {
  PastaTemporaria pasta;
  DialogosGravados dialogos;
  auto principal = std::make_unique<Principal>(pasta.caminho(), dialogos);
  for (const char* amostra : {"rolst02-com-erros.txt", "rol05-com-erros.txt", "rol03-com-erros.txt",
                              "rolst01-com-erros.txt"}) {
    SCOPED_TRACE(amostra);
    Controle<QLineEdit>(principal.get(), "NomeArq")
        ->setText(QString::fromStdString(std::string(ROLVAL_FONTE) + "/samples/" + amostra));
    principal->BValidar_Click();
    Saida* saida = principal->tela()->saida();
    ASSERT_NE(saida, nullptr);
    auto* visao = Controle<VisaoRegistro>(saida, "VisaoRegistro");
    auto* campo = Controle<QLabel>(saida, "lblCampo");
    int comCampo = 0;
    for (std::size_t i = 0; i < saida->achados().Tamanho(); ++i) {
      const Achado a = saida->achados().Le(i);
      saida->MostraAchado(static_cast<int>(i));
      if (a.campo == nullptr) continue;
      ++comCampo;
      const QString nome =
          QString::fromUtf8(a.campo->nome.data(), static_cast<qsizetype>(a.campo->nome.size()));
      EXPECT_TRUE(campo->text().contains(nome)) << i << " " << campo->text().toStdString();
      EXPECT_TRUE(visao->DicaDaColuna(a.campo->ColunaDe(a.ocorrencia)).contains(nome)) << i;
      EXPECT_EQ(campo->text().contains(QStringLiteral("declarado ")), a.declarado.has_value()) << i;
    }
    EXPECT_GT(comCampo, 0);
    saida->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

}  // namespace
}  // namespace rolval::teste
