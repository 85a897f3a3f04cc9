// The output window: shown at the end of a run with the report, the main window disabled while it
// is open, and its two ways of closing (Fechar, and the title bar).
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "VersaoPrograma.h"
#include "run/Execucao.h"
#include "shell/Principal.h"
#include "shell/Saida.h"
#include "tests/shell/ApoioJanelas.h"
#include "tests/shell/ComPrincipal.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {
namespace {

class JanelaSaida : public ComPrincipal {
 protected:
  // Validates `caminho` from the main window and returns the output window, if one is shown.
  QWidget* Valida(const std::string& caminho) {
    Controle<QLineEdit>(principal.get(), "NomeArq")->setText(QString::fromStdString(caminho));
    QTest::mouseClick(Controle<QPushButton>(principal.get(), "BValidar"), Qt::LeftButton);
    return JanelaVisivel(QStringLiteral("Saida"));
  }
  std::string ArquivoNaoROL() {
    EscreveArquivo(pasta / "nao-rol.txt", "ARQUIVO QUALQUER\r\n");
    return (pasta / "nao-rol.txt").string();
  }
  QString TextoMostrado(QWidget* saida) {
    return Controle<QPlainTextEdit>(saida, "txtsaida")->toPlainText();
  }
};

TEST_F(JanelaSaida, ValidarMostraORelatorioEDesabilitaAPrincipal) {
  QWidget* saida = Valida(std::string(ROLVAL_FONTE) + "/samples/rol05-limpo.txt");
  ASSERT_NE(saida, nullptr);
  EXPECT_TRUE(dialogos.mensagens.empty());
  // The caption, then the validated file's name.
  EXPECT_EQ(saida->windowTitle(), QStringLiteral("Programa de Validação de Documentos - ") +
                                      QString::fromLatin1(VersaoTexto) +
                                      QStringLiteral(" - rol05-limpo.txt"));
  const std::string relatorio = LeArquivo(pasta / NomeSaida);
  ASSERT_FALSE(relatorio.empty());
  const QString texto = TextoMostrado(saida);
  EXPECT_EQ(texto, TextoRelatorio(QByteArray::fromStdString(relatorio)));
  EXPECT_TRUE(texto.contains(QStringLiteral("\nDocumento: ROL05 ")));
  EXPECT_TRUE(Controle<QPlainTextEdit>(saida, "txtsaida")->isReadOnly());
  EXPECT_EQ(Controle<QPushButton>(saida, "BImprimir")->text(), QStringLiteral("&Imprimir"));
  EXPECT_EQ(Controle<QPushButton>(saida, "BFechar")->text(), QStringLiteral("&Fechar"));
  EXPECT_FALSE(principal->isEnabled());
  EXPECT_FALSE(JanelaCarregada(QStringLiteral("valida")));
}

TEST_F(JanelaSaida, MostraORelatorioDecodificadoLinhaALinha) {
  QWidget* saida = Valida(ArquivoNaoROL());
  ASSERT_NE(saida, nullptr);
  const QStringList linhas = TextoMostrado(saida).split(QLatin1Char('\n'));
  ASSERT_EQ(linhas.size(), 7);
  EXPECT_EQ(linhas[0], QStringLiteral("ENCAMINHAMOS ABAIXO OS ERROS/AVISOS ENCONTRADOS:"));
  EXPECT_EQ(linhas[1], QString());
  EXPECT_EQ(linhas[2], QStringLiteral("Documento: DESCONHECIDO"));
  EXPECT_EQ(linhas[4], QStringLiteral("Inscrição      Período Lin Ini Fim Descrição do Erro"));
  EXPECT_EQ(linhas[6],
            QStringLiteral("               00/0000 000 000 000 Arquivo a ser validado não é ROL"));
}

TEST(TextoRelatorio, QuebraAsLinhasEmCRLFeCRSemLinhaVaziaNoFim) {
  const struct {
    QByteArray latin1;
    QString texto;
  } casos[] = {
      {QByteArray("A\r\nB\r\n"), QStringLiteral("A\nB")},
      {QByteArray("A\r\n\r\nB\r\n"), QStringLiteral("A\n\nB")},
      {QByteArray("A\rB"), QStringLiteral("A\nB")},
      {QByteArray("Inscri\xe7\xe3o\r\n"), QStringLiteral("Inscrição")},
      {QByteArray("N\xba 1\r\n"), QStringLiteral("Nº 1")},
      {QByteArray(), QString()},
  };
  for (const auto& c : casos)
    EXPECT_EQ(TextoRelatorio(c.latin1), c.texto) << c.latin1.toStdString();
}

TEST_F(JanelaSaida, FecharApagaORelatorioLimpaOEstadoEDevolveAPrincipal) {
  QWidget* saida = Valida(ArquivoNaoROL());
  ASSERT_NE(saida, nullptr);
  Execucao& execucao = *principal->execucao();
  ASSERT_TRUE(execucao.HouveErro);
  ASSERT_EQ(execucao.LinhaAtual, "ARQUIVO QUALQUER");

  QTest::mouseClick(Controle<QPushButton>(saida, "BFechar"), Qt::LeftButton);

  EXPECT_FALSE(std::filesystem::exists(pasta / NomeSaida));
  EXPECT_TRUE(std::filesystem::exists(pasta / NomeParam));
  EXPECT_FALSE(execucao.HouveErro);
  EXPECT_TRUE(execucao.LinhaAtual.empty());
  EXPECT_TRUE(principal->isEnabled());
  EXPECT_TRUE(principal->isVisible());
  EXPECT_FALSE(JanelaCarregada(QStringLiteral("Saida")));

  // The main window takes a new run as before.
  QWidget* outra = Valida(ArquivoNaoROL());
  ASSERT_NE(outra, nullptr);
  EXPECT_TRUE(std::filesystem::exists(pasta / NomeSaida));
  EXPECT_FALSE(principal->isEnabled());
}

TEST_F(JanelaSaida, FecharPelaBarraDeTituloApagaORelatorioSemLimparOEstado) {
  QWidget* saida = Valida(ArquivoNaoROL());
  ASSERT_NE(saida, nullptr);
  Execucao& execucao = *principal->execucao();
  principal->hide();  // a main window the user had put away is shown again

  saida->close();  // what the title bar's close button does

  EXPECT_FALSE(std::filesystem::exists(pasta / NomeSaida));
  EXPECT_TRUE(std::filesystem::exists(pasta / NomeParam));
  EXPECT_TRUE(execucao.HouveErro);
  EXPECT_EQ(execucao.LinhaAtual, "ARQUIVO QUALQUER");
  EXPECT_TRUE(principal->isEnabled());
  EXPECT_TRUE(principal->isVisible());
  EXPECT_FALSE(JanelaCarregada(QStringLiteral("Saida")));
}

TEST_F(JanelaSaida, ExecucaoSemRelatorioNaoMostraAJanela) {
  // An empty file: its first line cannot be read, and the run ends on a message with no report.
  const std::string arquivoVazio = (pasta / "vazio.txt").string();
  EscreveArquivo(arquivoVazio, "");
  EXPECT_EQ(Valida(arquivoVazio), nullptr);
  ASSERT_EQ(dialogos.mensagens.size(), 1u);
  EXPECT_EQ(
      dialogos.mensagens[0].texto,
      QStringLiteral("Não foi possível acessar o arquivo que você marcou para ser validado."));
  EXPECT_EQ(dialogos.mensagens[0].titulo, QStringLiteral("Atenção"));
  EXPECT_EQ(dialogos.mensagens[0].icone, IconeMensagem::Informacao);
  EXPECT_TRUE(principal->isEnabled());
}

TEST_F(JanelaSaida, DuasCopiasNaMesmaPastaMostramEImprimemCadaUmaOSeu) {
  // Two copies of the program keep their files in one folder: each window shows and prints the
  // report of its own run, and closing one removes saida.txt only while it is still its own.
  dialogos.pastaPdf = QString::fromStdString(pasta.caminho().string());
  EscreveArquivo(pasta / "limpo.txt",
                 LeArquivo(std::filesystem::path(ROLVAL_FONTE) / "samples/rol05-limpo.txt"));
  QWidget* primeira = Valida((pasta / "limpo.txt").string());
  ASSERT_NE(primeira, nullptr);
  DialogosGravados dialogosOutra;
  dialogosOutra.pastaPdf = dialogos.pastaPdf + QStringLiteral("/outra");
  std::filesystem::create_directory(pasta / "outra");
  Principal outra(pasta.caminho(), dialogosOutra);
  outra.show();
  Controle<QLineEdit>(&outra, "NomeArq")->setText(QString::fromStdString(ArquivoNaoROL()));
  QTest::mouseClick(Controle<QPushButton>(&outra, "BValidar"), Qt::LeftButton);
  QWidget* segunda = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QStringLiteral("Saida") && w->isVisible() && w != primeira) segunda = w;
  ASSERT_NE(segunda, nullptr);
  ASSERT_TRUE(LeArquivo(pasta / NomeSaida).rfind("ENCAMINHAMOS", 0) == 0);  // the second run's

  struct Caso {
    QWidget* janela;
    DialogosGravados* dialogos;
    QString primeiraLinha;
  };
  for (const Caso& c : {Caso{primeira, &dialogos, QStringLiteral("ARQUIVO OK.")},
                        Caso{segunda, &dialogosOutra,
                             QStringLiteral("ENCAMINHAMOS ABAIXO OS ERROS/AVISOS ENCONTRADOS:")}}) {
    SCOPED_TRACE(c.primeiraLinha.toStdString());
    EXPECT_TRUE(TextoMostrado(c.janela).startsWith(c.primeiraLinha + QLatin1Char('\n')));
    QTest::mouseClick(Controle<QPushButton>(c.janela, "BImprimir"), Qt::LeftButton);
    ASSERT_EQ(c.dialogos->impressoes, 1);
    QProcess pdftotext;
    pdftotext.start(QStringLiteral(ROLVAL_PDFTOTEXT),
                    {QStringLiteral("-layout"), c.dialogos->ArquivoPdf(1), QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    // Under the page's header, the report of that window's own run.
    const QStringList linhas = QString::fromUtf8(pdftotext.readAllStandardOutput())
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(linhas.size(), 2);
    EXPECT_TRUE(linhas[0].contains(QStringLiteral(" Validado em "))) << linhas[0].toStdString();
    EXPECT_EQ(linhas[1].simplified(), c.primeiraLinha);
  }

  primeira->close();
  EXPECT_TRUE(LeArquivo(pasta / NomeSaida).rfind("ENCAMINHAMOS", 0) ==
              0);  // not the first's to remove
  segunda->close();
  EXPECT_FALSE(std::filesystem::exists(pasta / NomeSaida));
}

}  // namespace
}  // namespace rolval::teste
