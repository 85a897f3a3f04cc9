// The record view of the output window: from a finding of the report to the line of the validated
// file it names, with the field's columns selected; walking the findings; what it says of a
// finding without a line and of a file changed or gone since the run; the status line.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>

#include "run/Execucao.h"
#include "shell/Principal.h"
#include "shell/Saida.h"
#include "shell/TelaQt.h"
#include "shell/VisaoRegistro.h"
#include "tests/shell/ApoioJanelas.h"
#include "tests/shell/ComPrincipal.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {
namespace {

std::string Amostra(const char* nome) { return std::string(ROLVAL_FONTE) + "/samples/" + nome; }

// Line `n` (1-based) of a file of CR LF lines, as Latin-1 text.
QString LinhaDoArquivo(const std::string& caminho, std::int64_t n) {
  const std::string bytes = LeArquivo(caminho);
  std::size_t inicio = 0;
  for (std::int64_t i = 1; i < n; ++i) inicio = bytes.find("\r\n", inicio) + 2;
  const std::size_t fim = bytes.find("\r\n", inicio);
  return QString::fromLatin1(bytes.substr(inicio, fim - inicio).c_str());
}

// A finding line of the samples' reports, read at its fixed columns (registration part of 15
// characters and a masked period).
struct AchadoEsperado {
  int bloco;  // line of the report view
  std::int64_t linha, inicio, fim;
  QString mensagem;
};

std::vector<AchadoEsperado> AchadosDoTexto(const QString& texto) {
  static const QRegularExpression padrao(
      QStringLiteral("^.{15}\\d\\d/\\d{4} (\\d{3,}) (\\d{3,}) (\\d{3,}) (.*)$"));
  std::vector<AchadoEsperado> achados;
  const QStringList linhas = texto.split(QLatin1Char('\n'));
  for (int i = 6; i < linhas.size(); ++i) {
    const QRegularExpressionMatch m = padrao.match(linhas[i]);
    if (m.hasMatch())
      achados.push_back({i, m.captured(1).toLongLong(), m.captured(2).toLongLong(),
                         m.captured(3).toLongLong(), m.captured(4)});
  }
  return achados;
}

class VisaoDoRegistro : public ComPrincipal {
 protected:
  Saida* Valida(const std::string& caminho) {
    Controle<QLineEdit>(principal.get(), "NomeArq")->setText(QString::fromStdString(caminho));
    QTest::mouseClick(Controle<QPushButton>(principal.get(), "BValidar"), Qt::LeftButton);
    Saida* saida = principal->tela()->saida();
    if (saida != nullptr) {
      MostraRelatorio(saida);
      Assenta();
    }
    return saida;
  }
  // The report's tab (the grid's is the first), where these tests find the findings' lines.
  static void MostraRelatorio(Saida* saida) {
    Controle<QTabWidget>(saida, "abas")->setCurrentWidget(Controle<QWidget>(saida, "txtsaida"));
  }
  // Lets the windows lay themselves out and answer what is pending.
  static void Assenta() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  static void DuploClique(Saida* saida, int bloco) {
    auto* txtsaida = Controle<QPlainTextEdit>(saida, "txtsaida");
    const QTextCursor cursor(txtsaida->document()->findBlockByNumber(bloco));
    txtsaida->ensureCursorVisible();
    QTest::mouseDClick(txtsaida->viewport(), Qt::LeftButton, Qt::NoModifier,
                       txtsaida->cursorRect(cursor).center() + QPoint(20, 0));
    Assenta();
  }
  static QString Cabecalho(Saida* saida) { return Controle<QLabel>(saida, "lblAchado")->text(); }
  static QPlainTextEdit* Registro(Saida* saida) {
    return Controle<QPlainTextEdit>(saida, "txtregistro");
  }
  static QString LinhaMostrada(Saida* saida) {
    return Registro(saida)->document()->findBlockByNumber(2).text();
  }
  // The columns selected on the record line, 1-based first and last; 0 and 0 when none.
  static std::pair<int, int> ColunasSelecionadas(Saida* saida) {
    const QTextCursor cursor = Registro(saida)->textCursor();
    const int base = Registro(saida)->document()->findBlockByNumber(2).position();
    if (!cursor.hasSelection()) return {0, 0};
    return {cursor.selectionStart() - base + 1, cursor.selectionEnd() - base};
  }
  // Whether column `coluna` of the record line is within the visible part of the view.
  static bool ColunaVisivel(Saida* saida, int coluna) {
    QPlainTextEdit* registro = Registro(saida);
    QTextCursor cursor(registro->document()->findBlockByNumber(2));
    cursor.setPosition(cursor.position() + coluna - 1);
    const QRect ret = registro->cursorRect(cursor);
    return registro->viewport()->rect().contains(ret.center());
  }
};

TEST_F(VisaoDoRegistro, DuploCliqueMostraALinhaComAsColunasDoCampoSelecionadasEmCadaLayout) {
  for (const char* nome : {"rol03-com-erros.txt", "rol05-com-erros.txt", "rolst01-com-erros.txt",
                           "rolst02-com-erros.txt"}) {
    const std::string arquivo = Amostra(nome);
    Saida* saida = Valida(arquivo);
    ASSERT_NE(saida, nullptr) << nome;
    EXPECT_FALSE(Controle<QWidget>(saida, "VisaoRegistro")->isVisible());
    const std::vector<AchadoEsperado> esperados =
        AchadosDoTexto(Controle<QPlainTextEdit>(saida, "txtsaida")->toPlainText());
    ASSERT_FALSE(esperados.empty()) << nome;
    ASSERT_EQ(saida->achados().Tamanho(), esperados.size()) << nome;

    for (std::size_t i = 0; i < esperados.size(); ++i) {
      const AchadoEsperado& e = esperados[i];
      SCOPED_TRACE(std::string(nome) + " finding " + std::to_string(i + 1));
      DuploClique(saida, e.bloco);
      ASSERT_TRUE(Controle<QWidget>(saida, "VisaoRegistro")->isVisible());
      EXPECT_EQ(saida->achadoAtual(), static_cast<int>(i));
      EXPECT_EQ(Cabecalho(saida), QStringLiteral("Achado %1 de %2 - linha %3, colunas %4 a %5: %6")
                                      .arg(i + 1)
                                      .arg(esperados.size())
                                      .arg(e.linha)
                                      .arg(e.inicio)
                                      .arg(e.fim)
                                      .arg(e.mensagem));
      const QString linha = LinhaDoArquivo(arquivo, e.linha);
      ASSERT_TRUE(Registro(saida)->isVisible());
      EXPECT_EQ(LinhaMostrada(saida), linha);
      const auto [primeira, ultima] = ColunasSelecionadas(saida);
      if (e.inicio <= linha.size()) {
        EXPECT_EQ(primeira, e.inicio);
        EXPECT_EQ(ultima, std::min<std::int64_t>(e.fim, linha.size()));
        EXPECT_EQ(
            Registro(saida)->textCursor().selectedText(),
            linha.mid(static_cast<int>(e.inicio - 1), static_cast<int>(e.fim - e.inicio + 1)));
        EXPECT_TRUE(ColunaVisivel(saida, primeira));
        if (ultima - primeira < 60) {
          EXPECT_TRUE(ColunaVisivel(saida, ultima));
        }
      } else {
        // Columns past the line's end (the line has 898): nothing to select, and it is said.
        EXPECT_EQ(primeira, 0);
        EXPECT_EQ(Controle<QLabel>(saida, "lblAviso")->text(),
                  QStringLiteral("As colunas %1 a %2 ficam além do fim da linha, de %3 caracteres.")
                      .arg(e.inicio)
                      .arg(e.fim)
                      .arg(linha.size()));
      }
      // The ruler over the record: numbers every ten, a mark every column.
      const int colunas = std::max<int>(linha.size(), e.inicio <= linha.size() ? 0 : e.fim);
      EXPECT_EQ(Registro(saida)->document()->findBlockByNumber(0).text(), ReguaNumeros(colunas));
      EXPECT_EQ(Registro(saida)->document()->findBlockByNumber(1).text(), ReguaMarcas(colunas));
    }
    QTest::mouseClick(Controle<QPushButton>(saida, "BFechar"), Qt::LeftButton);
  }
}

TEST_F(VisaoDoRegistro, EnterNumaLinhaDeAchadoAbreOSeuRegistroNumaLinhaQualquerNao) {
  Saida* saida = Valida(Amostra("rol05-com-erros.txt"));
  ASSERT_NE(saida, nullptr);
  auto* txtsaida = Controle<QPlainTextEdit>(saida, "txtsaida");

  DuploClique(saida, 4);  // the column heading
  EXPECT_FALSE(Controle<QWidget>(saida, "VisaoRegistro")->isVisible());
  EXPECT_EQ(saida->achadoAtual(), -1);

  txtsaida->setFocus();
  txtsaida->setTextCursor(QTextCursor(txtsaida->document()->findBlockByNumber(10)));
  QTest::keyClick(txtsaida, Qt::Key_Return);
  Assenta();
  EXPECT_EQ(saida->achadoAtual(), 4);
  EXPECT_TRUE(
      Cabecalho(saida).startsWith(QStringLiteral("Achado 5 de 6 - linha 50, colunas 50 a 57: ")));
  EXPECT_EQ(ColunasSelecionadas(saida), std::make_pair(50, 57));
}

TEST_F(VisaoDoRegistro, ProximoEAnteriorPercorremOsAchadosEmOrdem) {
  const std::string arquivo = Amostra("rol05-com-erros.txt");
  Saida* saida = Valida(arquivo);
  ASSERT_NE(saida, nullptr);
  QApplication::setActiveWindow(saida);
  ASSERT_TRUE(QTest::qWaitForWindowActive(saida));
  auto* anterior = Controle<QPushButton>(saida, "BAnterior");
  auto* proximo = Controle<QPushButton>(saida, "BProximo");
  const std::int64_t linhas[] = {1,  1,  19,
                                 25, 50, 37};  // of the six findings, in the report's order

  auto confere = [&](int indice, const char* passo) {
    SCOPED_TRACE(passo);
    EXPECT_EQ(saida->achadoAtual(), indice);
    EXPECT_TRUE(Cabecalho(saida).startsWith(
        QStringLiteral("Achado %1 de 6 - linha %2,").arg(indice + 1).arg(linhas[indice])));
    EXPECT_EQ(LinhaMostrada(saida), LinhaDoArquivo(arquivo, linhas[indice]));
    EXPECT_EQ(anterior->isEnabled(), indice > 0);
    EXPECT_EQ(proximo->isEnabled(), indice < 5);
    // The finding's line of the report is the report view's current line.
    EXPECT_EQ(Controle<QPlainTextEdit>(saida, "txtsaida")->textCursor().blockNumber(), 6 + indice);
  };

  EXPECT_TRUE(proximo->isEnabled());
  QTest::keyClick(saida, Qt::Key_F3);
  confere(0, "F3 from none: the first");
  QTest::keyClick(saida, Qt::Key_F3);
  confere(1, "F3");
  QTest::keyClick(saida, Qt::Key_F3, Qt::ShiftModifier);
  confere(0, "Shift+F3");
  QTest::keyClick(saida, Qt::Key_F3, Qt::ShiftModifier);
  confere(0, "Shift+F3 at the first stays");
  for (int i = 1; i <= 5; ++i) {
    QTest::mouseClick(proximo, Qt::LeftButton);
    confere(i, "Proximo");
  }
  QTest::keyClick(saida, Qt::Key_F3);
  confere(5, "F3 at the last stays");
  QTest::mouseClick(anterior, Qt::LeftButton);
  confere(4, "Anterior");
  DuploClique(saida, 7);
  confere(1, "double-click, then on from there");
  QTest::keyClick(saida, Qt::Key_F3);
  confere(2, "F3 after the double-click");
}

TEST_F(VisaoDoRegistro, AchadoDeLinha000MostraSoAMensagem) {
  EscreveArquivo(pasta / "nao-rol.txt", "ARQUIVO QUALQUER\r\n");
  Saida* saida = Valida((pasta / "nao-rol.txt").string());
  ASSERT_NE(saida, nullptr);
  ASSERT_EQ(saida->achados().Tamanho(), 1u);
  saida->BProximo_Click();
  Assenta();
  EXPECT_TRUE(Controle<QWidget>(saida, "VisaoRegistro")->isVisible());
  EXPECT_EQ(Cabecalho(saida), QStringLiteral("Achado 1 de 1: Arquivo a ser validado não é ROL"));
  EXPECT_FALSE(Registro(saida)->isVisible());
  EXPECT_TRUE(Registro(saida)->toPlainText().isEmpty());
  EXPECT_FALSE(Controle<QLabel>(saida, "lblAviso")->isVisible());
  EXPECT_FALSE(Controle<QPushButton>(saida, "BProximo")->isEnabled());
  EXPECT_FALSE(Controle<QPushButton>(saida, "BAnterior")->isEnabled());
}

TEST_F(VisaoDoRegistro, AchadoSemColunasMostraALinhaSemRealce) {
  // Line 3 two characters short and line 4 two long: the size is whole records, and the run
  // stops at line 3 with a finding of the whole line (columns 000), the first of the report
  // (the return cut short brings more when it is closed).
  std::string conteudo = LeArquivo(Amostra("rol05-limpo.txt"));
  conteudo.erase(2 * 900 + 100, 2);
  conteudo.insert(3 * 900 + 100 - 2, "ZZ");
  const std::string arquivo = (pasta / "curta.txt").string();
  EscreveArquivo(arquivo, conteudo);
  Saida* saida = Valida(arquivo);
  ASSERT_NE(saida, nullptr);
  ASSERT_GE(saida->achados().Tamanho(), 1u);
  ASSERT_EQ(saida->achados().Le(0).linha, 3);
  ASSERT_EQ(saida->achados().Le(0).inicio, 0);

  saida->BProximo_Click();
  Assenta();
  EXPECT_EQ(Cabecalho(saida),
            QStringLiteral("Achado 1 de %1 - linha 3: Arquivo a ser validado não é ROL")
                .arg(saida->achados().Tamanho()));
  EXPECT_EQ(LinhaMostrada(saida), LinhaDoArquivo(arquivo, 3));
  EXPECT_EQ(LinhaMostrada(saida).size(), 896);
  EXPECT_EQ(ColunasSelecionadas(saida), std::make_pair(0, 0));
  EXPECT_TRUE(Registro(saida)->extraSelections().isEmpty());
  EXPECT_TRUE(ColunaVisivel(saida, 1));
}

TEST_F(VisaoDoRegistro, ArquivoAlteradoOuApagadoDepoisDaExecucaoEDito) {
  const std::string alterado =
      "O arquivo validado foi alterado depois da validação; o registro não pode ser mostrado.";
  const std::string ausente =
      "O arquivo validado não foi encontrado; o registro não pode ser mostrado.";
  const std::string amostra = LeArquivo(Amostra("rol05-com-erros.txt"));
  const std::filesystem::path arquivo = pasta / "rol05.txt";
  auto antigo = [&] {
    EscreveArquivo(arquivo, amostra);
    std::filesystem::last_write_time(
        arquivo, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  };
  auto mostrado = [&](Saida* saida) {
    DuploClique(saida, 8);  // line 19
    auto* aviso = Controle<QLabel>(saida, "lblAviso");
    EXPECT_TRUE(
        Cabecalho(saida).startsWith(QStringLiteral("Achado 3 de 6 - linha 19, colunas 26 a 35: ")));
    return aviso->isVisible() ? aviso->text().toStdString() : std::string();
  };

  const struct {
    const char* rotulo;
    bool olhaAntes;  // a record is shown before the change (the line index is built)
    void (*muda)(const std::filesystem::path&, const std::string&);
    bool apagado;
  } casos[] = {
      {"a byte more", false,
       [](const std::filesystem::path& f, const std::string& a) { EscreveArquivo(f, a + "X"); },
       false},
      {"same size, other bytes", true,
       [](const std::filesystem::path& f, const std::string& a) {
         std::string b = a;
         b[20] = 'Q';
         EscreveArquivo(f, b);
       },
       false},
      {"removed", true,
       [](const std::filesystem::path& f, const std::string&) { std::filesystem::remove(f); },
       true},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.rotulo);
    antigo();
    Saida* saida = Valida(arquivo.string());
    ASSERT_NE(saida, nullptr);
    if (c.olhaAntes) {
      EXPECT_EQ(mostrado(saida), "");
      EXPECT_EQ(LinhaMostrada(saida), LinhaDoArquivo(Amostra("rol05-com-erros.txt"), 19));
    }
    c.muda(arquivo, amostra);
    EXPECT_EQ(mostrado(saida), c.apagado ? ausente : alterado);
    EXPECT_FALSE(Registro(saida)->isVisible());
    EXPECT_TRUE(Registro(saida)->toPlainText().isEmpty());
    QTest::mouseClick(Controle<QPushButton>(saida, "BFechar"), Qt::LeftButton);
  }
}

TEST_F(VisaoDoRegistro, NumeroDaReguaCortadoPelaBordaApareceInteiro) {
  Saida* saida = Valida(Amostra("rol05-com-erros.txt"));
  ASSERT_NE(saida, nullptr);
  saida->MostraAchado(0);
  Assenta();
  QPlainTextEdit* registro = Registro(saida);
  QLabel* fixo = Controle<QLabel>(saida, "lblNumeroFixo");
  ASSERT_NE(fixo, nullptr);
  // The view's left edge at column `coluna` (1-based): where the ruler's numbers begin or are cut.
  const auto bordaNaColuna = [&](int coluna) {
    registro->horizontalScrollBar()->setValue(0);
    QTextCursor cursor(registro->document()->findBlockByNumber(0));
    const int base = registro->cursorRect(cursor).left();
    cursor.setPosition(cursor.position() + coluna - 1);
    registro->horizontalScrollBar()->setValue(registro->cursorRect(cursor).left() - base);
  };
  // Where the edge is, and the number shown whole there ("" when none is cut).
  const std::pair<int, const char*> casos[] = {{789, "790"}, {790, "790"}, {788, ""},
                                               {791, ""},    {99, "100"},  {1, ""}};
  for (const auto& [coluna, mostrado] : casos) {
    bordaNaColuna(coluna);
    EXPECT_EQ(fixo->isVisible() ? fixo->text() : QString(), QString::fromLatin1(mostrado))
        << coluna;
    // Whole: from the edge, as wide as its digits, even when only its last column is in sight.
    if (fixo->isVisible()) {
      EXPECT_GE(fixo->x(), 0) << coluna;
      EXPECT_GE(fixo->width(), fixo->fontMetrics().horizontalAdvance(fixo->text())) << coluna;
    }
  }
}

TEST_F(VisaoDoRegistro, LinhaDeSituacaoContaErrosEAvisos) {
  Saida* saida = Valida(Amostra("rolst02-com-erros.txt"));
  ASSERT_NE(saida, nullptr);
  const auto linhasDeAchado =
      AchadosDoTexto(Controle<QPlainTextEdit>(saida, "txtsaida")->toPlainText());
  ASSERT_FALSE(linhasDeAchado.empty());
  const auto avisos = std::count_if(
      linhasDeAchado.begin(), linhasDeAchado.end(),
      [](const AchadoEsperado& a) { return a.mensagem.startsWith(QStringLiteral("AVISO:")); });
  EXPECT_EQ(Controle<QLabel>(saida, "lblResumo")->text(),
            QStringLiteral("Erros: %1    Avisos: %2")
                .arg(static_cast<qsizetype>(linhasDeAchado.size()) - avisos)
                .arg(avisos));
  QTest::mouseClick(Controle<QPushButton>(saida, "BFechar"), Qt::LeftButton);

  saida = Valida(Amostra("rol05-limpo.txt"));
  ASSERT_NE(saida, nullptr);
  EXPECT_EQ(Controle<QLabel>(saida, "lblResumo")->text(), QStringLiteral("Erros: 0    Avisos: 0"));
  EXPECT_FALSE(Controle<QPushButton>(saida, "BProximo")->isEnabled());
  QTest::mouseClick(Controle<QPushButton>(saida, "BFechar"), Qt::LeftButton);

  // A report with warnings, as the run writes it.
  ListaAchados lista = GeraRelatorioST02(*principal->execucao(), [](Execucao& execucao) {
    execucao.GravaErroST(CodigoST::Campos9e10Zerados, 0, 230, 244);
    execucao.GravaErroST(CodigoST::ValorDoCampoIncorreto, 18, 335, 349);
    execucao.GravaErroST(CodigoST::MesmaInscricaoDaROLAviso, 0, 1, 14);
  });
  Saida avulsa(*principal->execucao(), pasta.caminho(), nullptr, dialogos, std::nullopt, nullptr,
               std::move(lista));
  EXPECT_EQ(Controle<QLabel>(&avulsa, "lblResumo")->text(),
            QStringLiteral("Erros: 1    Avisos: 2"));
  EXPECT_EQ(avulsa.achados().Tamanho(), 3u);
}

TEST_F(VisaoDoRegistro, LinhaEscolhidaFicaAVistaQuandoORegistroAbre) {
  ListaAchados lista = GeraRelatorioDeAchados(*principal->execucao(), 80);
  Saida saida(*principal->execucao(), pasta.caminho(), nullptr, dialogos, std::nullopt, nullptr,
              std::move(lista));
  saida.resize(700, 420);
  saida.show();
  MostraRelatorio(&saida);
  Assenta();
  auto* txtsaida = Controle<QPlainTextEdit>(&saida, "txtsaida");
  ASSERT_EQ(saida.achados().Tamanho(), 80u);
  // Each finding brought to the view's last line from the top, then opened: the panel that opens
  // under the report takes its height.
  for (const int indice : {20, 45, 79}) {
    const int bloco = saida.achados().PrimeiraLinhaNaVisao(static_cast<std::size_t>(indice));
    Controle<QWidget>(&saida, "VisaoRegistro")->hide();
    Assenta();
    txtsaida->verticalScrollBar()->setValue(0);
    txtsaida->setTextCursor(QTextCursor(txtsaida->document()->findBlockByNumber(bloco)));
    txtsaida->ensureCursorVisible();
    Assenta();
    saida.MostraAchado(indice);
    Assenta();
    const QRect linha = txtsaida->cursorRect();
    EXPECT_TRUE(txtsaida->viewport()->rect().contains(linha)) << indice;
  }
}

TEST_F(VisaoDoRegistro, F3EShiftF3PartemDoCursorEEscFechaORegistroAntesDaJanela) {
  Saida* saida = Valida(Amostra("rol05-com-erros.txt"));
  ASSERT_NE(saida, nullptr);
  QApplication::setActiveWindow(saida);
  ASSERT_TRUE(QTest::qWaitForWindowActive(saida));
  auto* txtsaida = Controle<QPlainTextEdit>(saida, "txtsaida");
  const auto cursorNaLinha = [&](int bloco) {
    txtsaida->setTextCursor(QTextCursor(txtsaida->document()->findBlockByNumber(bloco)));
  };
  // The six findings are on lines 6 to 11 of the report; the caret is put on a line (or moved by
  // a key), then a key pressed: the finding shown after it (-1: none shown yet, or unchanged).
  struct Passo {
    const char* nome;
    std::function<void()> antes;
    Qt::KeyboardModifiers modificador;
    int esperado;
  };
  const Passo passos[] = {
      {"Shift+F3 from the top: none before", [&] { cursorNaLinha(0); }, Qt::ShiftModifier, -1},
      {"F3 from the top", [] {}, Qt::NoModifier, 0},
      {"F3 with the caret moved onto a finding", [&] { cursorNaLinha(9); }, Qt::NoModifier, 3},
      {"F3 from there", [] {}, Qt::NoModifier, 4},
      {"Ctrl+Home, then F3", [&] { QTest::keyClick(txtsaida, Qt::Key_Home, Qt::ControlModifier); },
       Qt::NoModifier, 0},
      {"Ctrl+End, then Shift+F3",
       [&] { QTest::keyClick(txtsaida, Qt::Key_End, Qt::ControlModifier); }, Qt::ShiftModifier, 5},
      {"F3 at the last stays", [] {}, Qt::NoModifier, 5},
      {"Shift+F3 with the caret moved up", [&] { cursorNaLinha(8); }, Qt::ShiftModifier, 2},
      {"Shift+F3 from there", [] {}, Qt::ShiftModifier, 1},
  };
  for (const Passo& passo : passos) {
    passo.antes();
    QTest::keyClick(saida, Qt::Key_F3, passo.modificador);
    EXPECT_EQ(saida->achadoAtual(), passo.esperado) << passo.nome;
  }
  // The buttons say what F3 and Shift+F3 would do from the caret.
  cursorNaLinha(0);
  EXPECT_FALSE(Controle<QPushButton>(saida, "BAnterior")->isEnabled());
  EXPECT_TRUE(Controle<QPushButton>(saida, "BProximo")->isEnabled());

  QWidget* visao = Controle<QWidget>(saida, "VisaoRegistro");
  ASSERT_TRUE(visao->isVisible());
  QTest::keyClick(saida, Qt::Key_Escape);
  EXPECT_FALSE(visao->isVisible());
  EXPECT_TRUE(saida->isVisible());
  EXPECT_TRUE(txtsaida->hasFocus());
  QTest::keyClick(saida, Qt::Key_Escape);
  EXPECT_FALSE(JanelaCarregada(QStringLiteral("Saida")));
}

TEST_F(VisaoDoRegistro, RegistroComOTecladoTemMolduraVisivel) {
  Saida* saida = Valida(Amostra("rol05-com-erros.txt"));
  ASSERT_NE(saida, nullptr);
  QApplication::setActiveWindow(saida);
  ASSERT_TRUE(QTest::qWaitForWindowActive(saida));
  saida->MostraAchado(0);
  Assenta();
  QPlainTextEdit* registro = Registro(saida);
  // The colour of the frame's left side, halfway down.
  const auto moldura = [&] {
    return registro->grab().toImage().pixelColor(0, registro->height() / 2);
  };
  Controle<QPlainTextEdit>(saida, "txtsaida")->setFocus();
  Assenta();
  const QColor semFoco = moldura();
  registro->setFocus();
  Assenta();
  ASSERT_TRUE(registro->hasFocus());
  EXPECT_EQ(moldura(), registro->palette().color(QPalette::Highlight));
  EXPECT_NE(semFoco, moldura());
}

TEST(VisaoRegistro, ReguaEBytesDoRegistroUmaColunaCadaUm) {
  EXPECT_EQ(ReguaNumeros(0), QString());
  EXPECT_EQ(ReguaMarcas(0), QString());
  EXPECT_EQ(ReguaNumeros(9), QStringLiteral("         "));
  EXPECT_EQ(ReguaNumeros(25), QStringLiteral("        10        20     "));
  EXPECT_EQ(ReguaMarcas(25), QStringLiteral("....:....|....:....|....:"));
  const QString regua = ReguaNumeros(1000);
  EXPECT_EQ(regua.size(), 1000);
  EXPECT_EQ(regua.mid(97, 3), QStringLiteral("100"));
  EXPECT_EQ(regua.mid(996, 4), QStringLiteral("1000"));

  const std::string bytes("A\xe9\n\t\r\x7f\x85\xa0\xff Z", 11);
  const QString texto = TextoRegistro(bytes);
  ASSERT_EQ(texto.size(), 11);
  EXPECT_EQ(texto, QStringLiteral("Aé\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\u00A0ÿ Z"));
}

}  // namespace
}  // namespace rolval::teste
