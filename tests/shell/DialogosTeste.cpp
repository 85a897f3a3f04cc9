// The dialogs as the program shows them: message boxes, the open dialog and the print dialog.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QListView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>

#include "shell/Dialogos.h"
#include "tests/shell/ApoioJanelas.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {
namespace {

TEST(Dialogos, CaixaDeMensagemComTituloIconeEOK) {
  const struct {
    IconeMensagem icone;
    QMessageBox::Icon esperado;
  } casos[] = {{IconeMensagem::Nenhum, QMessageBox::NoIcon},
               {IconeMensagem::Informacao, QMessageBox::Information}};
  for (const auto& c : casos) {
    auto caixa = CriaCaixaMensagem(
        nullptr, QStringLiteral("Disco Cheio. Não é possível Executar Validador."),
        QStringLiteral("Atenção"), c.icone);
    EXPECT_EQ(caixa->icon(), c.esperado);
    EXPECT_EQ(caixa->windowTitle(), QStringLiteral("Atenção"));
    EXPECT_EQ(caixa->text(), QStringLiteral("Disco Cheio. Não é possível Executar Validador."));
    EXPECT_EQ(caixa->standardButtons(), QMessageBox::Ok);
  }
}

TEST(Dialogos, AbrirTemUmTipoQueOfereceTodosOsArquivos) {
  PastaTemporaria pasta;
  EscreveArquivo(pasta / "ROL05", "x");
  EscreveArquivo(pasta / "rol05.txt", "x");
  auto dialogo = CriaDialogoAbrir(nullptr);
  EXPECT_EQ(dialogo->nameFilters(), QStringList{QStringLiteral("Todos os arquivos (*.*)")});
  dialogo->setDirectory(QString::fromStdString(pasta.caminho().string()));
  dialogo->show();  // the choice is applied to the list as the dialog comes up

  // The list the user picks from holds both files, the one without a dot included.
  QListView* lista = dialogo->findChild<QListView*>(QStringLiteral("listView"));
  ASSERT_NE(lista, nullptr);
  const auto linhas = [lista] { return lista->model()->rowCount(lista->rootIndex()); };
  EsperaAte([&] { return linhas() >= 2; }, 3000);
  QTest::qWait(200);  // a late filtering pass would drop a row now
  ASSERT_EQ(linhas(), 2);
  QStringList nomes;
  for (int i = 0; i < lista->model()->rowCount(lista->rootIndex()); ++i) {
    const QModelIndex item = lista->model()->index(i, 0, lista->rootIndex());
    nomes << item.data().toString();
    EXPECT_TRUE(item.flags() & Qt::ItemIsEnabled) << item.data().toString().toStdString();
  }
  nomes.sort();
  EXPECT_EQ(nomes, (QStringList{QStringLiteral("ROL05"), QStringLiteral("rol05.txt")}));
  dialogo->hide();
}

TEST(Dialogos, ImpressaoSemEscolhaDePaginas) {
  QPrinter impressora;
  auto dialogo = CriaDialogoImpressao(impressora, nullptr);
  EXPECT_FALSE(dialogo->testOption(QAbstractPrintDialog::PrintPageRange));
  EXPECT_FALSE(dialogo->testOption(QAbstractPrintDialog::PrintSelection));
}

}  // namespace
}  // namespace rolval::teste
