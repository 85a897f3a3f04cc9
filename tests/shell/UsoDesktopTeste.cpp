// What desktop users take for granted: the keyboard (caret in the report, Enter, shortcuts),
// saving the report, a file given on the command line or dropped, remembered settings, hints
// under the report, the help window and Qt's own translations.
#include <gtest/gtest.h>

#include <QAction>
#include <QCommandLineParser>
#include <QDropEvent>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTranslator>
#include <QUrl>
#include <filesystem>
#include <functional>

#include "VersaoPrograma.h"
#include "run/Execucao.h"
#include "run/RegistroErros.h"
#include "shell/Ajuda.h"
#include "shell/Inicio.h"
#include "shell/Preferencias.h"
#include "shell/Principal.h"
#include "shell/Saida.h"
#include "shell/TelaQt.h"
#include "tests/shell/ApoioJanelas.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {
namespace {

namespace fs = std::filesystem;

class UsoDesktop : public ::testing::Test {
 protected:
  void SetUp() override { Abre(); }
  void TearDown() override {
    principal.reset();
    if (QWidget* ajuda = JanelaVisivel(QStringLiteral("Ajuda"))) ajuda->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // A main window (again), with the settings file of the test.
  void Abre() {
    principal.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    preferencias = std::make_unique<Preferencias>(Texto("rolval.conf"));
    principal = std::make_unique<Principal>(pasta.caminho(), dialogos, preferencias.get());
    principal->show();
  }
  QString Texto(const char* nome) { return QString::fromStdString((pasta / nome).string()); }
  // A copy of a sample in the test's folder, so that files saved beside it land there.
  QString Copia(const char* amostra) {
    EscreveArquivo(pasta / amostra, LeArquivo(fs::path(ROLVAL_FONTE) / "samples" / amostra));
    return Texto(amostra);
  }
  QLineEdit* NomeArq() { return Controle<QLineEdit>(principal.get(), "NomeArq"); }
  Saida* Valida(const QString& caminho) {
    NomeArq()->setText(caminho);
    principal->BValidar_Click();
    return principal->tela()->saida();
  }
  // Keys typed in a window that has the focus, as the user types them.
  static void Tecla(QWidget* janela, Qt::Key tecla, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    janela->activateWindow();
    QApplication::setActiveWindow(janela->window());
    QWidget* foco = janela->focusWidget() != nullptr ? janela->focusWidget() : janela;
    QTest::keyClick(foco, tecla, mods);
  }

  PastaTemporaria pasta;
  DialogosGravados dialogos;
  std::unique_ptr<Preferencias> preferencias;
  std::unique_ptr<Principal> principal;
};

TEST_F(UsoDesktop, SetaParaBaixoEEnterNoQuartoAchadoAbreOAchado4) {
  Saida* saida = Valida(Copia("rol05-com-erros.txt"));
  ASSERT_NE(saida, nullptr);
  ASSERT_GE(saida->achados().Tamanho(), 4u);
  auto* txtsaida = Controle<QPlainTextEdit>(saida, "txtsaida");
  EXPECT_TRUE(txtsaida->textInteractionFlags() & Qt::TextSelectableByKeyboard);  // a caret
  ASSERT_EQ(txtsaida->textCursor().blockNumber(), 0);
  for (int i = 0; i < saida->achados().PrimeiraLinhaNaVisao(3); ++i)
    QTest::keyClick(txtsaida, Qt::Key_Down);
  QTest::keyClick(txtsaida, Qt::Key_Return);
  EXPECT_EQ(saida->achadoAtual(), 3);
}

TEST_F(UsoDesktop, Atalhos) {
  EXPECT_TRUE(Controle<QPushButton>(principal.get(), "BValidar")->isDefault());
  QTest::keyClick(NomeArq(), Qt::Key_Return);  // Validar with the box empty: its message
  EXPECT_EQ(dialogos.mensagens.size(), 1u);
  const auto salvou = [this](const char* fim) {
    return dialogos.salvamentos.size() == 1 &&
           dialogos.salvamentos[0].sugestao.endsWith(QLatin1String(fim));
  };
  const auto ajuda = [] { return JanelaVisivel(QStringLiteral("Ajuda")) != nullptr; };
  const struct {
    const char* nome;
    bool naSaida;  // typed in the output window, else in the main window
    Qt::Key tecla;
    Qt::KeyboardModifiers mods;
    std::function<bool()> feito;
  } casos[] = {
      {"Ctrl+O", false, Qt::Key_O, Qt::ControlModifier,
       [this] { return dialogos.perguntasArquivo == 1; }},
      {"F1", false, Qt::Key_F1, {}, ajuda},
      {"Ctrl+P", true, Qt::Key_P, Qt::ControlModifier, [this] { return dialogos.impressoes == 1; }},
      {"Ctrl+S", true, Qt::Key_S, Qt::ControlModifier, [&] { return salvou(".saida.txt"); }},
      {"Ctrl+Shift+S", true, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier,
       [&] { return salvou(".achados.jsonl"); }},
      {"Esc", true, Qt::Key_Escape, {}, [this] { return principal->isEnabled(); }},
      {"Ctrl+W", true, Qt::Key_W, Qt::ControlModifier, [this] { return principal->isEnabled(); }},
      {"F1 na saída", true, Qt::Key_F1, {}, ajuda},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    dialogos = DialogosGravados();
    dialogos.pastaPdf = Texto("");
    if (QWidget* aberta = JanelaVisivel(QStringLiteral("Ajuda"))) aberta->close();
    Saida* saida = c.naSaida ? Valida(Copia("rol05-limpo.txt")) : nullptr;
    Tecla(saida != nullptr ? static_cast<QWidget*>(saida) : principal.get(), c.tecla, c.mods);
    EXPECT_TRUE(c.feito());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (Saida* aberta = principal->tela()->saida()) aberta->close();
  }
}

TEST_F(UsoDesktop, SalvarGravaOsBytesDeSaidaTxtEOsAchadosEmJsonLines) {
  const QString entrada = Copia("rol05-com-erros.txt");
  Saida* saida = Valida(entrada);
  ASSERT_NE(saida, nullptr);
  dialogos.respostaSalvar = Texto("guardado.txt");
  Controle<QAction>(saida, "mnusalrel")->trigger();
  ASSERT_EQ(dialogos.salvamentos.size(), 1u);
  EXPECT_EQ(dialogos.salvamentos[0].sugestao, Texto("rol05-com-erros.saida.txt"));
  const std::string relatorio = LeArquivo(pasta / NomeSaida);
  ASSERT_FALSE(relatorio.empty());
  EXPECT_EQ(LeArquivo(pasta / "guardado.txt"), relatorio);  // Latin-1, CR LF, byte for byte

  dialogos.respostaSalvar = Texto("achados.jsonl");
  Controle<QAction>(saida, "mnusaljson")->trigger();
  EXPECT_EQ(dialogos.salvamentos[1].sugestao, Texto("rol05-com-erros.achados.jsonl"));
  const QList<QByteArray> linhas =
      QByteArray::fromStdString(LeArquivo(pasta / "achados.jsonl")).trimmed().split('\n');
  ASSERT_EQ(static_cast<std::size_t>(linhas.size()), saida->achados().Tamanho());
  EXPECT_EQ(QJsonDocument::fromJson(linhas[0]).object(),
            QJsonDocument::fromJson(
                R"({"type":"finding","file":")" + entrada.toUtf8() +
                R"(","line":1,"first_column":600,"last_column":614,"catalogue":"M","code":7,)"
                R"("registration":"514/3522508","period":"08/2014",)"
                R"("message":"Campo numérico é esperado","warning":false,"record_type":"ABC",)"
                R"j("field":{"number":null,"name":"Número (col. 600)","first_column":600,)j"
                R"("last_column":614},"found":"A00000003849936","declared":null,"computed":null})")
                .object());
  // Every finding with the catalogue and code the run gave it, though the report does not show
  // them.
  for (const QByteArray& linha : linhas) {
    const QJsonObject objeto = QJsonDocument::fromJson(linha).object();
    EXPECT_EQ(objeto.value(QStringLiteral("catalogue")).toString(), QStringLiteral("M"))
        << linha.constData();
    EXPECT_GT(objeto.value(QStringLiteral("code")).toInt(), 0) << linha.constData();
  }

  // Never over the validated file: refused before any question of writing over it, and the
  // dialog comes back (here cancelled).
  const std::string antes = LeArquivo(entrada.toStdString());
  dialogos.respostasSalvar = {entrada, QString()};
  Controle<QAction>(saida, "mnusalrel")->trigger();
  EXPECT_EQ(LeArquivo(entrada.toStdString()), antes);
  EXPECT_EQ(dialogos.salvamentos.size(), 4u);
  EXPECT_TRUE(dialogos.confirmacoes.empty());
  ASSERT_EQ(dialogos.mensagens.size(), 1u);
  EXPECT_EQ(dialogos.mensagens[0].titulo, QStringLiteral("Atenção"));
}

TEST_F(UsoDesktop, SalvarPorCimaPerguntaAntesEALinhaDeSituacaoDizOQueFoiFeito) {
  Saida* saida = Valida(Copia("rol05-com-erros.txt"));
  ASSERT_NE(saida, nullptr);
  auto* situacao = Controle<QLabel>(saida, "lblStatus");
  const std::string relatorio = LeArquivo(pasta / NomeSaida);
  EscreveArquivo(pasta / "velho.txt", "antigo");
  // The answer to "write over it?", whether the dialog came back, and what the file holds then.
  const struct {
    bool substitui;
    std::size_t perguntas;
    std::string conteudo;
    QString linha;
  } casos[] = {
      {false, 2, "antigo", QString()},
      {true, 1, relatorio, QStringLiteral("Relatório salvo em ") + Texto("velho.txt")},
  };
  for (const auto& c : casos) {
    dialogos = DialogosGravados();
    dialogos.pastaPdf = Texto("");
    dialogos.respostaConfirma = c.substitui;
    dialogos.respostasSalvar = {Texto("velho.txt"), QString()};
    situacao->clear();
    Controle<QAction>(saida, "mnusalrel")->trigger();
    EXPECT_EQ(dialogos.confirmacoes.size(), 1u) << c.substitui;
    EXPECT_EQ(dialogos.salvamentos.size(), c.perguntas) << c.substitui;
    EXPECT_EQ(LeArquivo(pasta / "velho.txt"), c.conteudo) << c.substitui;
    EXPECT_EQ(situacao->text(), c.linha) << c.substitui;
  }
  // A new file is written without a question.
  dialogos.respostasSalvar = {Texto("novo.jsonl")};
  Controle<QAction>(saida, "mnusaljson")->trigger();
  EXPECT_EQ(dialogos.confirmacoes.size(), 1u);
  EXPECT_EQ(situacao->text(), QStringLiteral("Achados salvos em ") + Texto("novo.jsonl"));

  Controle<QPushButton>(saida, "BImprimir")->click();
  EXPECT_EQ(situacao->text(), QStringLiteral("Impresso"));
  dialogos.aceitaImpressao = false;
  situacao->clear();
  Controle<QPushButton>(saida, "BImprimir")->click();
  EXPECT_EQ(situacao->text(), QString());
}

TEST_F(UsoDesktop, ArquivoDaLinhaDeComandoOuArrastadoEValidado) {
  const QString arquivo = Copia("rol05-limpo.txt");
  QCommandLineParser analisador;
  PreparaLinhaComando(analisador);
  ASSERT_TRUE(analisador.parse({QStringLiteral("rolval")}));
  EXPECT_TRUE(ArquivoDaLinhaComando(analisador).isEmpty());
  // A relative name is made absolute, as the run will read it.
  const QString atual = QDir::currentPath();
  QDir::setCurrent(Texto(""));
  const bool analisou =
      analisador.parse({QStringLiteral("rolval"), QStringLiteral("rol05-limpo.txt")});
  const QString dado = ArquivoDaLinhaComando(analisador);
  QDir::setCurrent(atual);
  ASSERT_TRUE(analisou);
  EXPECT_EQ(dado, arquivo);

  principal->AbreArquivo(dado);
  Saida* saida = principal->tela()->saida();
  ASSERT_NE(saida, nullptr);
  EXPECT_EQ(NomeArq()->text(), arquivo);
  EXPECT_TRUE(saida->windowTitle().endsWith(QStringLiteral(" - rol05-limpo.txt")));
  EXPECT_EQ(principal->execucao()->StatusRelatorio(), "OK");
  saida->close();

  // Dropped on the main window.
  const QString outro = Copia("rol05-com-erros.txt");
  QMimeData dados;
  dados.setUrls({QUrl::fromLocalFile(outro)});
  QDragEnterEvent entra(QPoint(5, 5), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(principal.get(), &entra);
  EXPECT_TRUE(entra.isAccepted());
  QDropEvent solta(QPointF(5, 5), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(principal.get(), &solta);
  ASSERT_NE(principal->tela()->saida(), nullptr);
  EXPECT_EQ(NomeArq()->text(), outro);
  EXPECT_EQ(principal->execucao()->StatusRelatorio(), "NOK");
}

TEST_F(UsoDesktop, PreferenciasIdaEVolta) {
  // A validated file goes to the recent files (newest first, each once, eight at most), its folder
  // is where the open dialog starts, and the window's size comes back in the next session.
  for (int i = 1; i <= 9; ++i) preferencias->AcrescentaRecente(QStringLiteral("/r/%1").arg(i));
  const QString arquivo = Copia("rol05-limpo.txt");
  Valida(arquivo)->close();
  Valida(arquivo)->close();
  principal->resize(555, 333);
  principal->close();
  Abre();
  const QList<QAction*> recentes = Controle<QMenu>(principal.get(), "mnuarqrec")->actions();
  ASSERT_EQ(recentes.size(), Preferencias::MaximoRecentes);
  EXPECT_EQ(recentes[0]->data().toString(), arquivo);
  EXPECT_EQ(recentes[1]->data().toString(), QStringLiteral("/r/9"));
  recentes[0]->trigger();
  EXPECT_EQ(NomeArq()->text(), arquivo);
  NomeArq()->clear();
  principal->BAbrir_Click();
  EXPECT_EQ(dialogos.pastaPerguntada, Texto("").chopped(1));
  EXPECT_EQ(principal->size(), QSize(555, 333));
}

TEST_F(UsoDesktop, DicaDeFimDeLinhaLFAbaixoDoRelatorioENuncaNele) {
  std::string conteudo = LeArquivo(fs::path(ROLVAL_FONTE) / "samples/rol05-limpo.txt");
  for (std::size_t i = conteudo.find("\r\n"); i != std::string::npos; i = conteudo.find("\r\n", i))
    conteudo.erase(i, 1);
  EscreveArquivo(pasta / "lf.txt", conteudo);
  Saida* saida = Valida(Texto("lf.txt"));
  ASSERT_NE(saida, nullptr);
  QLabel* dicas = Controle<QLabel>(saida, "lblDicas");
  EXPECT_TRUE(dicas->isVisible());
  EXPECT_TRUE(dicas->text().startsWith(QStringLiteral("Dica: ")));
  EXPECT_TRUE(dicas->text().contains(QStringLiteral("CR LF"))) << dicas->text().toStdString();
  const std::string relatorio = LeArquivo(pasta / NomeSaida);
  EXPECT_EQ(relatorio.find("Dica"), std::string::npos);
  EXPECT_EQ(relatorio.find("CR LF"), std::string::npos);
  saida->close();

  saida = Valida(Copia("rol05-limpo.txt"));
  EXPECT_FALSE(Controle<QLabel>(saida, "lblDicas")->isVisible());
}

TEST_F(UsoDesktop, AjudaExplicaAsColunasECadaMensagemESobreDizAVersao) {
  Controle<QAction>(principal.get(), "mnuajucomo")->trigger();
  QWidget* ajuda = JanelaVisivel(QStringLiteral("Ajuda"));
  ASSERT_NE(ajuda, nullptr);
  const QString texto = Controle<QTextBrowser>(ajuda, "txtajuda")->toPlainText();
  for (const char* termo :
       {"REG/TB", "Inscrição", "Período", "Lin", "Ini", "Fim", "AVISO:", "ARQUIVO OK.", "CR LF"})
    EXPECT_TRUE(texto.contains(QString::fromUtf8(termo))) << termo;
  // Every fixed message of both catalogues is explained.
  for (const char catalogo : {'M', 'S'})
    for (int codigo = 1; codigo < 60; ++codigo) {
      const std::string_view mensagem = TextoDoCatalogo(catalogo, codigo);
      if (mensagem.empty()) continue;
      EXPECT_TRUE(texto.contains(
          QString::fromUtf8(mensagem.data(), static_cast<qsizetype>(mensagem.size()))))
          << catalogo << codigo;
    }

  Controle<QAction>(principal.get(), "mnuajusobre")->trigger();
  ASSERT_EQ(dialogos.mensagens.size(), 1u);
  EXPECT_EQ(dialogos.mensagens[0].titulo, QStringLiteral("Sobre o ROLVAL"));
  EXPECT_TRUE(dialogos.mensagens[0].texto.contains(QString::fromLatin1(VersaoTexto)));
  EXPECT_TRUE(dialogos.mensagens[0].texto.contains(QStringLiteral("MIT")));
}

TEST(TraducoesQt, DialogosPadraoEmPortugues) {
  if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                     QStringLiteral("/qtbase_pt_BR.qm")))
    GTEST_SKIP() << "Qt's translations (qt6-translations-l10n) are not installed";
  // The program's language, whatever the desktop's.
  const QLocale antes;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  QTranslator* traducao = InstalaTraducoesQt(*qApp, IdiomaPrograma());
  const QString idioma = QLocale().name();
  QLocale::setDefault(antes);
  ASSERT_NE(traducao, nullptr);
  const QString cancelar = QCoreApplication::translate("QPlatformTheme", "Cancel");
  QCoreApplication::removeTranslator(traducao);
  delete traducao;
  EXPECT_EQ(cancelar, QStringLiteral("Cancelar"));
  EXPECT_EQ(idioma, QStringLiteral("pt_BR"));
}

}  // namespace
}  // namespace rolval::teste
