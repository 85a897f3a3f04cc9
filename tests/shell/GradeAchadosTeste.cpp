// The findings grid of the output window: sorting, filters, the summary that filters, search, go to
// line, copy, F1 on a finding, and the CSV export, byte for byte what rolval-cli writes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

#include "run/Execucao.h"
#include "shell/Ajuda.h"
#include "shell/GradeAchados.h"
#include "shell/Impressao.h"
#include "shell/Principal.h"
#include "shell/Saida.h"
#include "shell/TelaQt.h"
#include "tests/shell/ApoioJanelas.h"
#include "tests/shell/ComPrincipal.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {
namespace {

// Five findings of two returns, out of line order, errors and warnings mixed:
//   0: line 5, return A (07/2000), ST 9, columns 10-12      3: line 7, return B, ST 29 (warning)
//   1: line 2, return A, ST 2 (warning), columns 230-244    4: line 3, return A, ST 4
//   2: line 9, return B (01/2001), ST 9, columns 10-12
class GradeDeAchados : public ComPrincipal {
 protected:
  void SetUp() override {
    ComPrincipal::SetUp();
    ListaAchados lista = GeraRelatorioST02(*principal->execucao(), [](Execucao& e) {
      struct {
        std::int32_t linha;
        const char* inscricao;
        const char* periodo;
        CodigoST codigo;
        int inicio, fim;
      } const escritos[] = {
          {5, "0500000000", "072000", CodigoST::DigitoDoCampoIncorreto, 10, 12},
          {2, "0500000000", "072000", CodigoST::Campos9e10Zerados, 230, 244},
          {9, "0600000000", "012001", CodigoST::DigitoDoCampoIncorreto, 10, 12},
          {7, "0600000000", "012001", CodigoST::MesmaInscricaoDaROLAviso, 0, 0},
          {3, "0500000000", "072000", CodigoST::DataIncorreta, 20, 27},
      };
      for (const auto& a : escritos) {
        e.NumLinha = a.linha;
        e.RegistroAtual.Inscricao = a.inscricao;
        e.RegistroAtual.MesAnoRef = a.periodo;
        e.GravaErroST(a.codigo, 0, a.inicio, a.fim);
      }
    });
    saida = std::make_unique<Saida>(*principal->execucao(), pasta.caminho(), nullptr, dialogos,
                                    std::nullopt, nullptr, std::move(lista));
    saida->show();
    QApplication::setActiveWindow(saida.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(saida.get()));
    grade = Controle<GradeAchados>(saida.get(), "GradeAchados");
    ASSERT_NE(grade, nullptr);
  }
  void TearDown() override {
    saida.reset();
    ComPrincipal::TearDown();
  }
  // The findings the grid shows, in its order.
  std::vector<int> Mostrados() const {
    std::vector<int> achados;
    for (int r = 0; r < grade->Modelo().rowCount(); ++r)
      achados.push_back(grade->Modelo().AchadoDaLinha(r));
    return achados;
  }
  QTreeWidgetItem* ItemDoResumo(const QString& texto) const {
    const auto itens = Controle<QTreeWidget>(grade, "lstResumo")
                           ->findItems(texto, Qt::MatchContains | Qt::MatchRecursive, 1);
    return itens.isEmpty() ? nullptr : itens.front();
  }

  std::unique_ptr<Saida> saida;
  GradeAchados* grade = nullptr;
};

TEST_F(GradeDeAchados, EAPrimeiraAbaEOrdenaPorQualquerColuna) {
  EXPECT_EQ(Controle<QTabWidget>(saida.get(), "abas")->currentWidget(), grade);
  EXPECT_EQ(Mostrados(), (std::vector<int>{0, 1, 2, 3, 4}));
  const struct {
    int coluna;
    Qt::SortOrder ordem;
    std::vector<int> esperado;
  } casos[] = {
      {ModeloAchados::Linha, Qt::AscendingOrder, {1, 4, 0, 3, 2}},
      {ModeloAchados::Linha, Qt::DescendingOrder, {2, 3, 0, 4, 1}},
      // Errors first; equal keys keep the report's order in both directions.
      {ModeloAchados::Tipo, Qt::AscendingOrder, {0, 2, 4, 1, 3}},
      {ModeloAchados::Tipo, Qt::DescendingOrder, {1, 3, 0, 2, 4}},
      {ModeloAchados::Codigo, Qt::AscendingOrder, {1, 4, 0, 2, 3}},
      // By year, then month: 07/2000 before 01/2001.
      {ModeloAchados::Periodo, Qt::AscendingOrder, {0, 1, 4, 2, 3}},
      {ModeloAchados::Colunas, Qt::AscendingOrder, {3, 0, 2, 4, 1}},
      {ModeloAchados::Numero, Qt::DescendingOrder, {4, 3, 2, 1, 0}},
      {ModeloAchados::Numero, Qt::AscendingOrder, {0, 1, 2, 3, 4}},
  };
  auto* tabela = grade->Tabela();
  for (const auto& caso : casos) {
    tabela->sortByColumn(caso.coluna, caso.ordem);
    EXPECT_EQ(Mostrados(), caso.esperado) << caso.coluna << " " << caso.ordem;
  }
}

TEST_F(GradeDeAchados, FiltraPorTipoPorMensagemOuCodigoEPeloResumo) {
  auto* tipo = Controle<QComboBox>(grade, "cmbTipo");
  auto* texto = Controle<QLineEdit>(grade, "txtFiltro");
  const struct {
    const char* nome;
    std::function<void()> faz;
    std::vector<int> esperado;
  } casos[] = {
      {"errors only", [&] { tipo->setCurrentIndex(1); }, {0, 2, 4}},
      {"warnings only", [&] { tipo->setCurrentIndex(2); }, {1, 3}},
      {"warnings holding a text", [&] { texto->setText(QStringLiteral("campos")); }, {1}},
      {"both types again", [&] { tipo->setCurrentIndex(0); }, {1}},
      {"a code", [&] { texto->setText(QStringLiteral("ST 9")); }, {0, 2}},
      {"a code, written short", [&] { texto->setText(QStringLiteral("st9")); }, {0, 2}},
      // A bare number is a code, and also a text of the messages ("Campos 9 e 10").
      {"a number", [&] { texto->setText(QStringLiteral("9")); }, {0, 1, 2}},
      {"a text in any case", [&] { texto->setText(QStringLiteral("MESMA")); }, {3}},
      {"no text", [&] { texto->clear(); }, {0, 1, 2, 3, 4}},
      {"a message of the summary",
       [&] {
         Controle<QTreeWidget>(grade, "lstResumo")
             ->setCurrentItem(ItemDoResumo(QStringLiteral("AVISO: Campos 9 e 10")));
       },
       {1}},
      {"a return of the summary",
       [&] {
         Controle<QTreeWidget>(grade, "lstResumo")
             ->setCurrentItem(ItemDoResumo(QStringLiteral("01/2001")));
       },
       {2, 3}},
      {"that return's errors", [&] { tipo->setCurrentIndex(1); }, {2}},
      {"every finding of the summary",
       [&] {
         tipo->setCurrentIndex(0);
         Controle<QTreeWidget>(grade, "lstResumo")
             ->setCurrentItem(ItemDoResumo(QStringLiteral("Todos os achados")));
       },
       {0, 1, 2, 3, 4}},
  };
  for (const auto& caso : casos) {
    caso.faz();
    EXPECT_EQ(Mostrados(), caso.esperado) << caso.nome;
  }
  // The summary counts per message and per return.
  ASSERT_NE(ItemDoResumo(QStringLiteral("01/2001")), nullptr);
  EXPECT_EQ(ItemDoResumo(QStringLiteral("01/2001"))->text(0), QStringLiteral("2"));
  EXPECT_EQ(ItemDoResumo(QStringLiteral("07/2000"))->text(0), QStringLiteral("3"));
  EXPECT_EQ(ItemDoResumo(QStringLiteral("AVISO: mesma"))->text(0), QStringLiteral("1"));
}

TEST_F(GradeDeAchados, CtrlFLocalizaECtrlGVaiParaALinha) {
  auto* localizar = Controle<QLineEdit>(grade, "txtLocalizar");
  auto* irLinha = Controle<QLineEdit>(grade, "txtIrLinha");
  grade->Tabela()->setFocus();
  QTest::keyClick(grade->Tabela(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(localizar->hasFocus());
  QTest::keyClicks(localizar, QStringLiteral("01/2001"));
  // From the current row on, round to the first again.
  for (const int esperado : {2, 3, 2}) {
    QTest::keyClick(localizar, Qt::Key_Return);
    EXPECT_EQ(grade->AchadoAtual(), esperado);
  }
  const struct {
    const char* linha;
    int esperado;  // the finding made current
  } casos[] = {{"7", 3}, {"4", 0}, {"6", 3}, {"2", 1}, {"10", 1}};
  for (const auto& caso : casos) {
    QTest::keyClick(saida.get(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_TRUE(irLinha->hasFocus()) << caso.linha;
    QTest::keyClicks(irLinha, QString::fromLatin1(caso.linha));
    QTest::keyClick(irLinha, Qt::Key_Return);
    EXPECT_EQ(grade->AchadoAtual(), caso.esperado) << "line " << caso.linha;
  }
  // Sorted by line, the search goes on in the grid's order.
  grade->Tabela()->sortByColumn(ModeloAchados::Linha, Qt::AscendingOrder);
  grade->SelecionaAchado(1);
  grade->Localiza(QStringLiteral("ST 9"));
  EXPECT_EQ(grade->AchadoAtual(), 0);
}

TEST_F(GradeDeAchados, CtrlCCopiaAsLinhasSelecionadasSeparadasPorTab) {
  auto* tabela = grade->Tabela();
  tabela->setFocus();
  tabela->selectionModel()->select(grade->Modelo().index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
  tabela->selectionModel()->select(grade->Modelo().index(0, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QTest::keyClick(tabela, Qt::Key_C, Qt::ControlModifier);
  const QStringList linhas = QApplication::clipboard()->text().split(QLatin1Char('\n'));
  ASSERT_EQ(linhas.size(), 4);  // the headings, two rows, and the end of the last
  EXPECT_EQ(linhas[0],
            QStringLiteral("Nº\tTipo\tCódigo\tInscrição\tPeríodo\tLinha\tRegistro\tCampo\tColunas\t"
                           "Encontrado\tDeclarado / Calculado\tMensagem"));
  const QStringList primeira = linhas[1].split(QLatin1Char('\t'));
  ASSERT_EQ(primeira.size(), ModeloAchados::QtdColunas);
  EXPECT_EQ(primeira[ModeloAchados::Numero], QStringLiteral("1"));
  EXPECT_EQ(primeira[ModeloAchados::Tipo], QStringLiteral("Erro"));
  EXPECT_EQ(primeira[ModeloAchados::Codigo], QStringLiteral("ST 9"));
  EXPECT_EQ(primeira[ModeloAchados::Periodo], QStringLiteral("07/2000"));
  EXPECT_EQ(primeira[ModeloAchados::Linha], QStringLiteral("5"));
  EXPECT_EQ(primeira[ModeloAchados::Colunas], QStringLiteral("10-12"));
  EXPECT_TRUE(linhas[2].startsWith(QStringLiteral("3\tErro\tST 9\t"))) << linhas[2].toStdString();
  EXPECT_TRUE(linhas[3].isEmpty());

  // One row, from the context menu: the row alone.
  tabela->clearSelection();
  grade->SelecionaAchado(3);
  Controle<QAction>(tabela, "mnucopgrade")->trigger();
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("4\tAviso\tST 29\t")));
  EXPECT_TRUE(QApplication::clipboard()->text().endsWith(QStringLiteral("ROL\n")));
  // The same row from the report's context menu.
  QApplication::clipboard()->clear();
  saida->CopiaAchado(3);
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("4\tAviso\tST 29\t")));
}

TEST_F(GradeDeAchados, EnterAbreORegistroEF1AAjudaNoCodigoDoAchado) {
  grade->Tabela()->setFocus();
  grade->SelecionaAchado(2);
  QTest::keyClick(grade->Tabela(), Qt::Key_Return);
  EXPECT_EQ(saida->achadoAtual(), 2);
  EXPECT_TRUE(Controle<QWidget>(saida.get(), "VisaoRegistro")->isVisible());
  // F3 and Shift+F3 walk the grid's rows in its order.
  grade->Tabela()->sortByColumn(ModeloAchados::Linha, Qt::AscendingOrder);
  QTest::keyClick(saida.get(), Qt::Key_F3);
  EXPECT_EQ(saida->achadoAtual(), 2);  // line 9 is the last: stays
  QTest::keyClick(saida.get(), Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(saida->achadoAtual(), 3);

  // Each code's entry at the top of the help: a different place for each; from a row of the
  // grid, then from a finding line of the report.
  auto* txtsaida = Controle<QPlainTextEdit>(saida.get(), "txtsaida");
  const std::function<void()> escolhe[] = {
      [&] {
        grade->SelecionaAchado(1);
        grade->Tabela()->setFocus();
      },
      [&] {
        Controle<QTabWidget>(saida.get(), "abas")->setCurrentWidget(txtsaida);
        txtsaida->setTextCursor(QTextCursor(
            txtsaida->document()->findBlockByNumber(saida->achados().PrimeiraLinhaNaVisao(3))));
        txtsaida->setFocus();
      }};
  std::vector<int> posicoes;
  for (const auto& escolha : escolhe) {
    escolha();
    QTest::keyClick(saida.get(), Qt::Key_F1);
    auto* ajuda = qobject_cast<JanelaAjuda*>(JanelaVisivel(QStringLiteral("Ajuda")));
    ASSERT_NE(ajuda, nullptr);
    posicoes.push_back(ajuda->Texto()->verticalScrollBar()->value());
    ajuda->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  EXPECT_GT(posicoes[0], 0);
  EXPECT_GT(posicoes[1], posicoes[0]);  // ST 29 comes after ST 2
}

TEST_F(GradeDeAchados, ImprimeAsLinhasDaGradeFiltradaComoTabela) {
  Controle<QComboBox>(grade, "cmbTipo")->setCurrentIndex(2);  // the two warnings
  grade->Tabela()->sortByColumn(ModeloAchados::Linha, Qt::DescendingOrder);
  const QStringList linhas = grade->Modelo().LinhasParaImpressao();
  ASSERT_EQ(linhas.size(), 5);
  // The headings between lines of dashes, which the printing repeats on every page.
  EXPECT_EQ(InicioTitulosColunas(linhas), 0);
  EXPECT_TRUE(linhas[1].startsWith(QStringLiteral("     Nº Tipo  Código Inscrição")));
  EXPECT_TRUE(linhas[1].endsWith(QStringLiteral("Mensagem")));
  EXPECT_TRUE(linhas[3].startsWith(QStringLiteral("      4 Aviso ST 29 ")))
      << linhas[3].toStdString();
  EXPECT_TRUE(linhas[4].startsWith(QStringLiteral("      2 Aviso ST 2  ")))
      << linhas[4].toStdString();
  // Each column starts where its heading does.
  EXPECT_EQ(linhas[3].indexOf(QStringLiteral("01/2001")),
            linhas[1].indexOf(QStringLiteral("Período")));

  dialogos.pastaPdf = QString::fromStdString(pasta.caminho().string());
  Controle<QAction>(grade->Tabela(), "mnuimpgrade")->trigger();
  ASSERT_EQ(dialogos.impressoes, 1);
  EXPECT_GT(QFileInfo(dialogos.ArquivoPdf(1)).size(), 0);
  EXPECT_EQ(Controle<QLabel>(saida.get(), "lblStatus")->text(), QStringLiteral("Impresso"));
}

// A long report is put in its view when its tab is first shown, with the finding shown marked.
TEST(GradeDeMuitosAchados, RelatorioLongoEntraNaVisaoQuandoSuaAbaAparece) {
  PastaTemporaria pasta;
  DialogosGravados dialogos;
  Principal principal(pasta.caminho(), dialogos);
  const int n = 20001;
  ListaAchados lista = GeraRelatorioDeAchados(*principal.execucao(), n);
  const std::string relatorio = principal.execucao()->Relatorio().Texto();
  Saida saida(*principal.execucao(), pasta.caminho(), nullptr, dialogos, std::nullopt, nullptr,
              std::move(lista));
  saida.show();
  auto* txtsaida = Controle<QPlainTextEdit>(&saida, "txtsaida");
  EXPECT_TRUE(txtsaida->toPlainText().isEmpty());
  EXPECT_EQ(Controle<GradeAchados>(&saida, "GradeAchados")->Modelo().rowCount(), n);
  saida.MostraAchado(n - 1);
  Controle<QTabWidget>(&saida, "abas")->setCurrentWidget(txtsaida);
  EXPECT_EQ(txtsaida->toPlainText(), TextoRelatorio(QByteArray::fromStdString(relatorio)));
  EXPECT_EQ(txtsaida->textCursor().blockNumber(),
            saida.achados().PrimeiraLinhaNaVisao(static_cast<std::size_t>(n - 1)));
}

// The export of a real run, against rolval-cli --format csv on the same file.
TEST(ExportaAchados, CsvIgualAoDoRolvalCliTodosOuSoOsFiltrados) {
  PastaTemporaria pasta;
  DialogosGravados dialogos;
  auto principal = std::make_unique<Principal>(pasta.caminho(), dialogos);
  for (const char* amostra : {"rolst02-com-erros.txt", "rol05-com-erros.txt"}) {
    SCOPED_TRACE(amostra);
    // A copy in the test's folder, so that the proposed name lands there.
    const auto arquivo = pasta / amostra;
    EscreveArquivo(arquivo, LeArquivo(std::string(ROLVAL_FONTE) + "/samples/" + amostra));
    Controle<QLineEdit>(principal.get(), "NomeArq")
        ->setText(QString::fromStdString(arquivo.string()));
    principal->BValidar_Click();
    Saida* saida = principal->tela()->saida();
    ASSERT_NE(saida, nullptr);

    QProcess cli;
    cli.start(QStringLiteral(ROLVAL_CLI), {QStringLiteral("--format"), QStringLiteral("csv"),
                                           QString::fromStdString(arquivo.string())});
    ASSERT_TRUE(cli.waitForFinished(30000));
    const std::string esperado = cli.readAllStandardOutput().toStdString();
    ASSERT_FALSE(esperado.empty());

    const QString destino = QString::fromStdString((pasta / "exportado.csv").string());
    dialogos.respostaSalvar = destino;
    saida->mnuexpcsv_Click(false);
    const QString proposto =
        QString::fromStdString((pasta / std::filesystem::path(amostra).stem()).string()) +
        QStringLiteral(".achados.csv");
    EXPECT_EQ(dialogos.salvamentos.back().sugestao, proposto);
    EXPECT_EQ(LeArquivo(destino.toStdString()), esperado);

    // The message with most findings, chosen in the summary, sorted by line down: the CLI's
    // header and those of its rows, in the grid's order.
    auto* grade = Controle<GradeAchados>(saida, "GradeAchados");
    auto* resumo = Controle<QTreeWidget>(grade, "lstResumo");
    resumo->setCurrentItem(resumo->topLevelItem(1)->child(0));
    grade->Tabela()->sortByColumn(ModeloAchados::Linha, Qt::DescendingOrder);
    saida->mnuexpcsv_Click(true);
    std::vector<std::string> linhasCli;
    for (std::size_t i = 0, f; (f = esperado.find("\r\n", i)) != std::string::npos; i = f + 2)
      linhasCli.push_back(esperado.substr(i, f + 2 - i));
    std::string filtrado = linhasCli[0];
    for (const std::int32_t i : grade->Modelo().Visiveis())
      filtrado += linhasCli[static_cast<std::size_t>(i) + 1];
    EXPECT_LT(grade->Modelo().Visiveis().size(), linhasCli.size() - 1);
    EXPECT_EQ(LeArquivo(destino.toStdString()), filtrado);

    // Never over the validated file.
    const std::string original = LeArquivo(arquivo);
    dialogos.respostasSalvar = {QString::fromStdString(arquivo.string())};
    dialogos.respostaSalvar.clear();
    saida->mnuexpcsv_Click(false);
    EXPECT_EQ(LeArquivo(arquivo), original);
    saida->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

}  // namespace
}  // namespace rolval::teste
