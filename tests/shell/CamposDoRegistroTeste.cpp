// The record view knows the record's fields: the finding's field by number and name with what it
// holds, declared and computed values, and each field's name and value under the pointer.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTest>
#include <QScrollBar>
#include <array>
#include <filesystem>
#include <string>

#include "layouts/CamposLayouts.h"
#include "shell/Principal.h"
#include "shell/Saida.h"
#include "shell/TelaQt.h"
#include "shell/VisaoRegistro.h"
#include "tests/shell/ApoioJanelas.h"
#include "tests/shell/ComPrincipal.h"
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

// The record view with the header line of the finding's return under the record.
class CabecalhoDoRegistro : public ComPrincipal {
 protected:
  // Validates a copy of sample `amostra` in the test's folder; its output window.
  Saida* Valida(const char* amostra) {
    arquivo = pasta / amostra;
    std::filesystem::copy_file(Amostra(amostra), arquivo,
                               std::filesystem::copy_options::overwrite_existing);
    bytes = LeArquivo(arquivo);
    Controle<QLineEdit>(principal.get(), "NomeArq")
        ->setText(QString::fromStdString(arquivo.string()));
    principal->BValidar_Click();
    return principal->tela()->saida();
  }
  // The last finding (the one furthest into the file, mostly) of a record whose return's header is
  // its own line (`noCabecalho`) or another line, and whose own line's offset the run told
  // (`comDeslocamento`) or did not, if asked; -1 when none is.
  static int Procura(const Saida& saida, bool noCabecalho,
                     std::optional<bool> comDeslocamento = std::nullopt) {
    for (std::size_t i = saida.achados().Tamanho(); i-- > 0;) {
      const Achado a = saida.achados().Le(i);
      if (a.linhaCabecalho > 0 && (a.linha == a.linhaCabecalho) == noCabecalho &&
          (!comDeslocamento || (a.deslocamento >= 0) == *comDeslocamento))
        return static_cast<int>(i);
    }
    return -1;
  }
  // Line `n` (1-based) of the file as validated, without its CR LF.
  std::string Linha(std::int32_t n) const {
    std::size_t inicio = 0;
    for (std::int32_t i = 1; i < n; ++i) inicio = bytes.find("\r\n", inicio) + 2;
    return bytes.substr(inicio, bytes.find("\r\n", inicio) - inicio);
  }
  // What the view shows: the record's line, the header's caption and the header's line (empty
  // when hidden).
  static std::array<QString, 3> Mostrado(Saida& saida) {
    const auto* cabecalho = Controle<QPlainTextEdit>(&saida, "txtcabecalho");
    return {
        Controle<QPlainTextEdit>(&saida, "txtregistro")->document()->findBlockByNumber(2).text(),
        Controle<QLabel>(&saida, "lblCabecalho")->text(),
        cabecalho->isHidden() ? QString() : cabecalho->toPlainText()};
  }

  std::filesystem::path arquivo;
  std::string bytes;
};

TEST_F(CabecalhoDoRegistro, CabecalhoDaDeclaracaoDeCadaLayout) {
  const struct {
    const char* amostra;
    bool noCabecalho;  // the finding is on the header line itself
  } casos[] = {
      {"rol05-com-erros.txt", false},   {"rol05-com-erros.txt", true},
      {"rolst02-com-erros.txt", false}, {"rolst02-com-erros.txt", true},
      {"rol03-com-erros.txt", true},    {"rolst01-com-erros.txt", true},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string(c.amostra) + (c.noCabecalho ? " on the header" : " under it"));
    Saida* saida = Valida(c.amostra);
    ASSERT_NE(saida, nullptr);
    const int i = Procura(*saida, c.noCabecalho);
    ASSERT_GE(i, 0);
    saida->MostraAchado(i);
    // The panel opens as tall as its content, not as its captions' hints, the grid keeping the
    // rest.
    auto* visao = Controle<VisaoRegistro>(saida, "VisaoRegistro");
    QCoreApplication::processEvents();
    EXPECT_EQ(visao->height(), visao->layout()->heightForWidth(visao->width()));
    const Achado a = saida->achados().Le(static_cast<std::size_t>(i));
    const std::array<QString, 3> visto = Mostrado(*saida);
    EXPECT_EQ(visto[0], TextoRegistro(Linha(a.linha)));
    if (c.noCabecalho) {
      EXPECT_EQ(visto[1], QStringLiteral("Este registro é o cabeçalho da declaração."));
      EXPECT_EQ(visto[2], QString());
    } else {
      EXPECT_LT(a.linhaCabecalho, a.linha);
      EXPECT_EQ(visto[1],
                QStringLiteral("Cabeçalho da declaração (linha %1):").arg(a.linhaCabecalho));
      EXPECT_EQ(visto[2], TextoRegistro(Linha(a.linhaCabecalho)));
      // Wider than the view (and than an A1 record under an A0), the header line has no scroll
      // bar of its own but scrolls by the keys.
      auto* cabecalho = Controle<QPlainTextEdit>(saida, "txtcabecalho");
      QTest::keyClick(cabecalho, Qt::Key_Right);
      EXPECT_GT(cabecalho->horizontalScrollBar()->value(), 0);
    }
    saida->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

// Opening a record reads its line and its header's from where the run found them, nothing else:
// with every other byte of the file made garbage (no other line ends left), size and time kept,
// both still show, for a finding under its header and for a return's closing finding on the header.
TEST_F(CabecalhoDoRegistro, SoAsLinhasMostradasSaoLidas) {
  Saida* saida = Valida("rol05-com-erros.txt");
  ASSERT_NE(saida, nullptr);
  const int sob = Procura(*saida, false, true), sobre = Procura(*saida, true, false);
  ASSERT_GE(sob, 0);
  ASSERT_GE(sobre, 0);
  const Achado a = saida->achados().Le(static_cast<std::size_t>(sob));
  const Achado b = saida->achados().Le(static_cast<std::size_t>(sobre));
  std::string lixo(bytes.size(), '\xFF');
  for (const Achado& x : {a, b}) {
    const auto guarda = [&](std::int32_t linha, std::int64_t desde) {
      const std::string l = Linha(linha) + "\r\n";
      lixo.replace(static_cast<std::size_t>(desde), l.size(), l);
    };
    guarda(x.linhaCabecalho, x.deslocamentoCabecalho);
    if (x.deslocamento >= 0) guarda(x.linha, x.deslocamento);
  }
  const auto quando = std::filesystem::last_write_time(arquivo);
  EscreveArquivo(arquivo, lixo);
  std::filesystem::last_write_time(arquivo, quando);

  saida->MostraAchado(sob);
  EXPECT_EQ(Mostrado(*saida)[0], TextoRegistro(Linha(a.linha)));
  EXPECT_EQ(Mostrado(*saida)[2], TextoRegistro(Linha(a.linhaCabecalho)));
  saida->MostraAchado(sobre);
  EXPECT_EQ(Mostrado(*saida)[0], TextoRegistro(Linha(b.linha)));
  EXPECT_EQ(Mostrado(*saida)[1], QStringLiteral("Este registro é o cabeçalho da declaração."));
}

}  // namespace
}  // namespace rolval::teste
