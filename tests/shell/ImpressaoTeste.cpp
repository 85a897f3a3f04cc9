// Printing the report: the line sequence sent to the printer, failures on the way, and real prints
// to PDF from the output window.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "run/Execucao.h"
#include "shell/Impressao.h"
#include "shell/Principal.h"
#include "shell/Saida.h"
#include "tests/shell/ApoioJanelas.h"
#include "tests/shell/ComPrincipal.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {
namespace {

// Records the lines it is given; can refuse to start or fail at a given line.
class ImpressoraGravada : public ImpressoraLinhas {
 public:
  bool Comeca() override {
    ++comecos;
    return aceita;
  }
  void ImprimeLinha(const QString& linha) override {
    if (falhaNaLinha == static_cast<int>(linhas.size())) throw std::runtime_error("printer fault");
    linhas.push_back(linha);
  }
  bool Termina() override {
    ++terminos;
    return true;
  }
  void Abandona() override { ++abandonos; }

  bool aceita = true;
  int falhaNaLinha = -1;
  std::vector<QString> linhas;
  int comecos = 0;
  int terminos = 0;
  int abandonos = 0;
};

TEST(ImprimeRelatorio, UmaLinhaVaziaEDepoisCadaLinhaDoRelatorio) {
  const std::string relatorio = L1("ARQUIVO OK.\r\n\r\nInscrição 12\r\nFim\r\n");
  ImpressoraGravada impressora;
  for (int vez = 1; vez <= 2; ++vez) {
    EXPECT_TRUE(ImprimeRelatorio(relatorio, impressora));
    EXPECT_EQ(impressora.comecos, vez);
    EXPECT_EQ(impressora.terminos, vez);
  }
  const std::vector<QString> uma = {QString(), QStringLiteral("ARQUIVO OK."), QString(),
                                    QStringLiteral("Inscrição 12"), QStringLiteral("Fim")};
  std::vector<QString> duas = uma;
  duas.insert(duas.end(), uma.begin(), uma.end());
  EXPECT_EQ(impressora.linhas, duas);
  EXPECT_EQ(impressora.abandonos, 0);
}

TEST(ImprimeRelatorio, FalhaTerminaSemMandarNada) {
  const std::string relatorio = "A\r\nB\rC";  // a lone CR ends a line too; the last has no end
  ImpressoraGravada inteira;
  EXPECT_TRUE(ImprimeRelatorio(relatorio, inteira));
  EXPECT_EQ(inteira.linhas, (std::vector<QString>{QString(), QStringLiteral("A"),
                                                  QStringLiteral("B"), QStringLiteral("C")}));

  ImpressoraGravada meio;
  meio.falhaNaLinha = 2;
  EXPECT_FALSE(ImprimeRelatorio(relatorio, meio));
  EXPECT_EQ(meio.linhas, (std::vector<QString>{QString(), QStringLiteral("A")}));
  EXPECT_EQ(meio.abandonos, 1);
  EXPECT_EQ(meio.terminos, 0);

  ImpressoraGravada recusa;
  recusa.aceita = false;
  EXPECT_FALSE(ImprimeRelatorio(relatorio, recusa));
  EXPECT_TRUE(recusa.linhas.empty());
  EXPECT_EQ(recusa.terminos + recusa.abandonos, 0);

  ImpressoraGravada semRelatorio;
  EXPECT_FALSE(ImprimeRelatorio("", semRelatorio));
  EXPECT_EQ(semRelatorio.comecos, 0);
}

TEST(ImprimeRelatorio, FonteCourierNew10OuUmaDeMesmasMedidas) {
  const QFont fonte = FonteImpressora();
  EXPECT_EQ(fonte.families().value(0), QStringLiteral("Courier New"));
  EXPECT_EQ(fonte.pointSize(), 10);
  EXPECT_TRUE(QFontInfo(fonte).fixedPitch()) << QFontInfo(fonte).family().toStdString();
}

TEST(ImprimeRelatorio, PaginasRepetemOsTitulosDasColunas) {
  QStringList relatorio = {QString(),
                           QStringLiteral("ENCAMINHAMOS"),
                           QString(),
                           QStringLiteral("Documento: ROL05"),
                           QString(73, QLatin1Char('-')),
                           QStringLiteral("REG/TB   Período"),
                           QString(73, QLatin1Char('-'))};
  const QStringList titulos = relatorio.mid(4, 3);
  for (int i = 1; i <= 20; ++i) relatorio << QStringLiteral("achado %1").arg(i);
  const QStringList semTitulos = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
  // Lines a page, the report, the pages expected; each page after the first starts with the
  // headings when the report has them and a page has room for them and more.
  const struct {
    int porPagina;
    const QStringList& linhas;
    int paginas;
    bool repete;
  } casos[] = {
      {40, relatorio, 1, true},  {27, relatorio, 1, true},     {26, relatorio, 2, true},
      {10, relatorio, 4, true},  {3, relatorio, 9, false},     {2, semTitulos, 2, false},
      {1, semTitulos, 3, false}, {5, QStringList(), 1, false},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.porPagina);
    const std::vector<QStringList> paginas = DivideEmPaginas(c.linhas, c.porPagina);
    ASSERT_EQ(static_cast<int>(paginas.size()), c.paginas);
    QStringList juntas;
    for (std::size_t n = 0; n < paginas.size(); ++n) {
      EXPECT_LE(paginas[n].size(), c.porPagina) << n;
      QStringList pagina = paginas[n];
      if (n > 0 && c.repete) {
        EXPECT_EQ(pagina.mid(0, 3), titulos) << n;
        pagina.remove(0, 3);
      }
      juntas += pagina;
    }
    EXPECT_EQ(juntas, c.linhas);  // every line once, in order, unchanged
  }
  EXPECT_EQ(InicioTitulosColunas(relatorio), 4);
  EXPECT_EQ(InicioTitulosColunas(semTitulos), -1);
  EXPECT_EQ(RodapePagina(2, 65), QStringLiteral("Página 2 de 65"));
}

// The words of a PDF with their boxes, as pdftotext gives them.
struct PalavraPdf {
  QString texto;
  double yMin;
  double xMin;
};

std::vector<PalavraPdf> PalavrasPdf(const QString& pdf) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral(ROLVAL_PDFTOTEXT),
                  {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) return {};
  const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
  static const QRegularExpression palavra(
      QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" "
                     "yMax=\"[0-9.]+\">([^<]*)</word>"));
  std::vector<PalavraPdf> palavras;
  for (auto it = palavra.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    QString texto = m.captured(3);
    texto.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    palavras.push_back({texto, m.captured(2).toDouble(), m.captured(1).toDouble()});
  }
  return palavras;
}

TEST(ImprimeRelatorio, RelatorioDeVariasPaginasNaoPerdeLinhas) {
  if (QString::fromLatin1(ROLVAL_PDFTOTEXT).isEmpty())
    FAIL() << "pdftotext (poppler-utils) is needed";
  PastaTemporaria pasta;
  std::string relatorio;
  for (int i = 1; i <= 150; ++i) relatorio += "LINHA" + std::to_string(1000 + i) + "\r\n";
  QPrinter impressora(QPrinter::HighResolution);
  impressora.setOutputFormat(QPrinter::PdfFormat);
  const QString pdf = QString::fromStdString((pasta / "varias.pdf").string());
  impressora.setOutputFileName(pdf);
  ImpressoraQt linhas(impressora);
  ASSERT_TRUE(ImprimeRelatorio(relatorio, linhas));

  QProcess pdftotext;
  pdftotext.start(QStringLiteral(ROLVAL_PDFTOTEXT), {pdf, QStringLiteral("-")});
  ASSERT_TRUE(pdftotext.waitForFinished(30000));
  const QString texto = QString::fromUtf8(pdftotext.readAllStandardOutput());
  EXPECT_GE(texto.count(QLatin1Char('\f')), 2) << "more than one page";
  QStringList impressas =
      texto.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
  QStringList esperadas;
  for (int i = 1; i <= 150; ++i) esperadas << QStringLiteral("LINHA%1").arg(1000 + i);
  EXPECT_EQ(impressas, esperadas);
}

// The pages of a printed PDF as pdftotext lays them out, each without its trailing blank lines.
std::vector<QStringList> PaginasPdf(const QString& pdf) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral(ROLVAL_PDFTOTEXT),
                  {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  if (!pdftotext.waitForFinished(30000)) return {};
  QStringList textos =
      QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'));
  if (!textos.isEmpty() && textos.back().trimmed().isEmpty()) textos.removeLast();
  std::vector<QStringList> paginas;
  for (const QString& texto : textos) {
    QStringList linhas = texto.split(QLatin1Char('\n'));
    while (!linhas.isEmpty() && linhas.back().trimmed().isEmpty()) linhas.removeLast();
    paginas.push_back(linhas);
  }
  return paginas;
}

// Lines compared with their runs of blanks as one, as pdftotext lays them out.
QStringList Simples(QStringList linhas) {
  for (QString& linha : linhas) linha = linha.simplified();
  linhas.removeAll(QString());
  return linhas;
}

// What page `n` (0-based) of `total` adds to the printed lines: the header of the run at its top
// and its number at its foot. The lines between them, from the first that is not blank.
QStringList CorpoDaPagina(const QStringList& linhas, int n, int total) {
  EXPECT_GE(linhas.size(), 5);
  if (linhas.size() < 5) return {};
  EXPECT_TRUE(linhas.front().contains(QStringLiteral("Validado em ")));
  EXPECT_TRUE(linhas.front().trimmed().endsWith(QStringLiteral("NOK")));
  EXPECT_EQ(linhas.back().trimmed(), QStringLiteral("Página %1 de %2").arg(n + 1).arg(total));
  QStringList corpo = linhas.mid(1, linhas.size() - 2);
  while (!corpo.isEmpty() && corpo.front().trimmed().isEmpty()) corpo.removeFirst();
  return corpo;
}

class ImpressaoDaSaida : public ComPrincipal {
 protected:
  void SetUp() override {
    if (QString::fromLatin1(ROLVAL_PDFTOTEXT).isEmpty())
      FAIL() << "pdftotext (poppler-utils) is needed to read the printed PDF; scripts/prepara.sh "
                "installs it";
    dialogos.pastaPdf = QString::fromStdString(pasta.caminho().string());
    ComPrincipal::SetUp();
    EscreveArquivo(pasta / "nao-rol.txt", "ARQUIVO QUALQUER\r\n");
    Controle<QLineEdit>(principal.get(), "NomeArq")
        ->setText(QString::fromStdString((pasta / "nao-rol.txt").string()));
    principal->BValidar_Click();
    saida = JanelaVisivel(QStringLiteral("Saida"));
    ASSERT_NE(saida, nullptr);
  }

  QWidget* saida = nullptr;
};

TEST_F(ImpressaoDaSaida, CadaImpressaoMandaORelatorioInteiroDepoisDeUmaLinhaVazia) {
  const QStringList esperadas = {
      QStringLiteral("ENCAMINHAMOS ABAIXO OS ERROS/AVISOS ENCONTRADOS:"),
      QStringLiteral("Documento: DESCONHECIDO"),
      QString(73, QLatin1Char('-')),
      QStringLiteral("Inscrição Período Lin Ini Fim Descrição do Erro"),
      QString(73, QLatin1Char('-')),
      QStringLiteral("00/0000 000 000 000 Arquivo a ser validado não é ROL"),
  };
  QPushButton* imprimir = Controle<QPushButton>(saida, "BImprimir");
  QTest::mouseClick(imprimir, Qt::LeftButton);
  QTest::mouseClick(imprimir, Qt::LeftButton);
  ASSERT_EQ(dialogos.impressoes, 2);

  for (int vez = 1; vez <= 2; ++vez) {
    const std::vector<PalavraPdf> palavras = PalavrasPdf(dialogos.ArquivoPdf(vez));
    ASSERT_FALSE(palavras.empty()) << "print " << vez;
    QStringList texto;
    for (const PalavraPdf& p : palavras) texto << p.texto;
    // The page's header, the report's lines unchanged, the page's number.
    const QString impresso = texto.join(QLatin1Char(' '));
    static const QRegularExpression cabecalho(
        QStringLiteral("^nao-rol\\.txt Validado em \\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d "
                       "Versão [0-9.]+ NOK (.*) Página 1 de 1$"));
    const QRegularExpressionMatch partes = cabecalho.match(impresso);
    ASSERT_TRUE(partes.hasMatch()) << impresso.toStdString();
    EXPECT_EQ(partes.captured(1), esperadas.join(QLatin1Char(' ')).simplified()) << "print " << vez;
    // Though the dialog asked for none, the page keeps its margin of 15 mm (42.5 points), and the
    // report's first line sits three lines under the header: the header's own two, then the
    // empty line that comes first.
    const double margem = MargemImpressaoMm * 72.0 / 25.4;
    const auto primeira = std::find_if(palavras.begin(), palavras.end(), [](const PalavraPdf& p) {
      return p.texto == QStringLiteral("ENCAMINHAMOS");
    });
    const auto documento = std::find_if(palavras.begin(), palavras.end(), [](const PalavraPdf& p) {
      return p.texto == QStringLiteral("Documento:");
    });
    ASSERT_TRUE(primeira != palavras.end() && documento != palavras.end());
    const double linha = (documento->yMin - primeira->yMin) / 2;  // an empty line between them
    EXPECT_GE(palavras.front().xMin, margem - 0.5) << "print " << vez;
    EXPECT_GE(palavras.front().yMin, margem - 0.5) << "print " << vez;
    EXPECT_NEAR(primeira->yMin - palavras.front().yMin, 3 * linha, linha / 3) << "print " << vez;
  }
  // The window stays open, with its report, for more prints.
  EXPECT_TRUE(saida->isVisible());
  EXPECT_TRUE(std::filesystem::exists(pasta / NomeSaida));
}

TEST_F(ImpressaoDaSaida, PdfLevaONomeDoArquivoValidado) {
  QTest::mouseClick(Controle<QPushButton>(saida, "BImprimir"), Qt::LeftButton);
  ASSERT_EQ(dialogos.impressoes, 1);
  EXPECT_EQ(dialogos.documentoProposto, QStringLiteral("nao-rol.txt"));
  // With no printer, the dialog proposes a PDF file named after the validated one, beside it.
  if (QPrinterInfo::availablePrinterNames().isEmpty()) {
    EXPECT_EQ(dialogos.arquivoProposto, QString::fromStdString((pasta / "nao-rol.pdf").string()));
  }
  QProcess pdftotext;
  pdftotext.start(QStringLiteral(ROLVAL_PDFTOTEXT),
                  {QStringLiteral("-bbox"), dialogos.ArquivoPdf(1), QStringLiteral("-")});
  ASSERT_TRUE(pdftotext.waitForFinished(30000));
  EXPECT_TRUE(pdftotext.readAllStandardOutput().contains("<title>nao-rol.txt</title>"));
}

TEST_F(ImpressaoDaSaida, CadaPaginaTemCabecalhoTitulosENumeroEAVisualizacaoEIgual) {
  ListaAchados lista = GeraRelatorioDeAchados(*principal->execucao(), 150);
  const QStringList relatorio =
      TextoRelatorio(QByteArray::fromStdString(LeArquivo(pasta / NomeSaida)))
          .split(QLatin1Char('\n'));
  Saida avulsa(*principal->execucao(), pasta.caminho(), nullptr, dialogos, std::nullopt, nullptr,
               std::move(lista));
  avulsa.BImprimir_Click();
  avulsa.BVisualizar_Click();
  ASSERT_EQ(dialogos.impressoes, 2);
  EXPECT_EQ(dialogos.visualizacoes, 1);
  const std::vector<QStringList> paginas = PaginasPdf(dialogos.ArquivoPdf(1));
  EXPECT_EQ(paginas, PaginasPdf(dialogos.ArquivoPdf(2))) << "the preview shows the print";
  ASSERT_GE(paginas.size(), 3u);
  const int total = static_cast<int>(paginas.size());
  QStringList corpo;  // the report's lines as printed, without what each page adds
  for (int n = 0; n < total; ++n) {
    SCOPED_TRACE(n + 1);
    QStringList linhas = CorpoDaPagina(paginas[static_cast<std::size_t>(n)], n, total);
    if (n > 0) {
      EXPECT_EQ(Simples(linhas.mid(0, 3)), Simples(relatorio.mid(3, 3))) << "the headings again";
      linhas.remove(0, 3);
    }
    corpo += linhas;
  }
  EXPECT_EQ(Simples(corpo), Simples(relatorio));
}

// Imprimir grade... opens the print preview of the grid's table: every page with the run's header,
// the grid's column headings and its number, and every row once, in the grid's order.
TEST_F(ImpressaoDaSaida, GradeVisualizadaComCabecalhoTitulosENumeroEmCadaPagina) {
  const int n = 150;
  Saida avulsa(*principal->execucao(), pasta.caminho(), nullptr, dialogos, std::nullopt, nullptr,
               GeraRelatorioDeAchados(*principal->execucao(), n));
  avulsa.mnuimpgrade_Click();
  ASSERT_EQ(dialogos.visualizacoes, 1);
  EXPECT_EQ(Controle<QLabel>(&avulsa, "lblStatus")->text(), QStringLiteral("Impresso"));
  const std::vector<QStringList> paginas = PaginasPdf(dialogos.ArquivoPdf(1));
  ASSERT_GE(paginas.size(), 2u);
  const int total = static_cast<int>(paginas.size());
  QStringList numeros, esperados;
  for (int p = 0; p < total; ++p) {
    SCOPED_TRACE(p + 1);
    const QStringList corpo =
        Simples(CorpoDaPagina(paginas[static_cast<std::size_t>(p)], p, total));
    ASSERT_GE(corpo.size(), 4);
    EXPECT_EQ(corpo[0], corpo[2]);
    EXPECT_TRUE(corpo[0].startsWith(QStringLiteral("-----")));
    EXPECT_TRUE(corpo[1].startsWith(QStringLiteral("Nº Tipo Código Inscrição Período Linha")))
        << corpo[1].toStdString();
    for (const QString& linha : corpo.mid(3)) numeros << linha.section(QLatin1Char(' '), 0, 0);
  }
  for (int i = 1; i <= n; ++i) esperados << QString::number(i);
  EXPECT_EQ(numeros, esperados);
}

TEST_F(ImpressaoDaSaida, DialogoCanceladoNaoImprimeNada) {
  dialogos.aceitaImpressao = false;
  QTest::mouseClick(Controle<QPushButton>(saida, "BImprimir"), Qt::LeftButton);
  EXPECT_EQ(dialogos.impressoes, 1);
  EXPECT_FALSE(QFile::exists(dialogos.ArquivoPdf(1)));
  EXPECT_TRUE(dialogos.mensagens.empty());
  EXPECT_TRUE(saida->isVisible());
}

}  // namespace
}  // namespace rolval::teste
