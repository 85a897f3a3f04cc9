// rolval-capturas: takes a screenshot of each window of the program, for the documentation.
// Usage: rolval-capturas FOLDER SAMPLE [SAMPLE_WITH_FINDINGS]. With the third argument the output
// window is taken again, its grid filtered by one message, then showing the record of one of that
// file's findings with its field. Then the output
// window of SAMPLE saved with LF line ends (with its hint under the report) and the help window.
// With SAMPLE_WITH_FINDINGS, the print preview of its report too; at a scale factor other than 1
// (QT_SCALE_FACTOR), the whole screen with that window where the program placed it (tela.png).
// Run it on a real display (capturas.sh starts a virtual one); the pictures are taken from the
// screen, as the window system shows them.
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QTreeWidget>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>

#include "shell/Ajuda.h"
#include "shell/Dialogos.h"
#include "shell/JanelaProgresso.h"
#include "shell/Principal.h"
#include "shell/Saida.h"
#include "shell/TelaQt.h"

using namespace rolval;

namespace {

bool Captura(QWidget* janela, const QString& arquivo);

// No dialog is shown while the pictures are taken, but for the print preview, which is taken to
// `capturaVisualizacao` when that is set.
class DialogosDaCaptura : public DialogosSilenciosos {
 public:
  DialogosDaCaptura() : DialogosSilenciosos("rolval-capturas") {}
  bool MostraVisualizacao(QWidget* pai, QPrinter& impressora,
                          const std::function<void(QPrinter&)>& pinta) override {
    if (capturaVisualizacao.isEmpty()) return false;
    const auto dialogo = CriaVisualizacao(impressora, pai, pinta);
    dialogo->show();
    capturada = Captura(dialogo.get(), capturaVisualizacao);
    dialogo->close();
    return false;
  }
  QString capturaVisualizacao;
  bool capturada = false;
};

// The first finding that names a field of a record other than its return's header; the third
// finding when none does (or the last of fewer).
int AchadoSobCabecalho(const ListaAchados& achados) {
  for (std::size_t i = 0; i < achados.Tamanho(); ++i) {
    const Achado a = achados.Le(i);
    if (a.campo != nullptr && a.linhaCabecalho > 0 && a.linhaCabecalho < a.linha)
      return static_cast<int>(i);
  }
  return std::min<int>(2, static_cast<int>(achados.Tamanho()) - 1);
}

void Espera(int ms) {
  const QDeadlineTimer prazo(ms);
  while (!prazo.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

bool Captura(QWidget* janela, const QString& arquivo) {
  if (janela == nullptr) return false;
  const QDeadlineTimer prazo(3000);
  while ((janela->windowHandle() == nullptr || !janela->windowHandle()->isExposed()) &&
         !prazo.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  Espera(300);
  const QPixmap imagem = janela->screen()->grabWindow(janela->winId());
  if (imagem.isNull() || !imagem.save(arquivo)) {
    std::fprintf(stderr, "rolval-capturas: could not write %s\n", arquivo.toUtf8().constData());
    return false;
  }
  std::printf("%s\n", arquivo.toUtf8().constData());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication aplicacao(argc, argv);
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "Usage: rolval-capturas FOLDER SAMPLE [SAMPLE_WITH_FINDINGS]\n");
    return 64;
  }
  const QString destino = QString::fromLocal8Bit(argv[1]);
  QTemporaryDir trabalho;
  if (!trabalho.isValid()) return 2;
  const std::filesystem::path pasta = trabalho.path().toStdString();
  // At a scale factor other than 1 the windows stay where the program places them.
  const bool escalada = QGuiApplication::primaryScreen()->devicePixelRatio() != 1.0;
  DialogosDaCaptura dialogos;
  bool tudo = true;

  Principal principal(pasta, dialogos);
  principal.findChild<QLineEdit*>(QStringLiteral("NomeArq"))
      ->setText(QString::fromLocal8Bit(argv[2]));
  principal.move(40, 40);
  principal.show();
  tudo &= Captura(&principal, destino + QStringLiteral("/principal.png"));

  // The progress window as a run of a layout-05 file shows it.
  TelaQt telaAvulsa(&principal, pasta, dialogos);
  telaAvulsa.MostraProgresso();
  telaAvulsa.DefineVer("Validando ROL Versão 5");
  telaAvulsa.DefineContrib("123/4567890");
  telaAvulsa.DefineValorProgresso(40.0f);
  telaAvulsa.AtualizaProgresso();
  tudo &= Captura(telaAvulsa.progresso(), destino + QStringLiteral("/valida.png"));
  telaAvulsa.EscondeProgresso();

  principal.BValidar_Click();
  Saida* saida = principal.tela()->saida();
  if (saida != nullptr) saida->move(80, 80);
  tudo &= Captura(saida, destino + QStringLiteral("/saida.png"));
  if (saida != nullptr) saida->close();

  if (argc == 4) {
    // The record view on a finding that names a field of an annex record, with its return's
    // header line under the record.
    principal.findChild<QLineEdit*>(QStringLiteral("NomeArq"))
        ->setText(QString::fromLocal8Bit(argv[3]));
    principal.BValidar_Click();
    Saida* registro = principal.tela()->saida();
    // The grid filtered by the message with most findings, as the summary beside it offers.
    auto* resumo = registro != nullptr
                       ? registro->findChild<QTreeWidget*>(QStringLiteral("lstResumo"))
                       : nullptr;
    if (resumo != nullptr && resumo->topLevelItemCount() > 1 &&
        resumo->topLevelItem(1)->childCount() > 0) {
      if (!escalada) registro->move(80, 80);
      resumo->setCurrentItem(resumo->topLevelItem(1)->child(0));
      tudo &= Captura(registro, destino + QStringLiteral("/grade.png"));
      resumo->setCurrentItem(resumo->topLevelItem(0));
    }
    if (registro != nullptr) {
      if (!escalada) registro->move(80, 80);
      registro->MostraAchado(AchadoSobCabecalho(registro->achados()));
    }
    tudo &= Captura(registro, destino + QStringLiteral("/registro.png"));
    // At a scale factor, the whole screen too: where the program placed the window.
    if (escalada && registro != nullptr) {
      const QPixmap tela = registro->screen()->grabWindow(0);
      tudo &= !tela.isNull() && tela.save(destino + QStringLiteral("/tela.png"));
    }
    // The print preview of that report.
    if (registro != nullptr) {
      dialogos.capturaVisualizacao = destino + QStringLiteral("/visualizacao.png");
      registro->BVisualizar_Click();
      tudo &= dialogos.capturada;
      dialogos.capturaVisualizacao.clear();
      registro->close();
    }
  }

  // The sample as an editor on Unix may save it, with LF line ends: the hint says why the report
  // rejects it.
  QFile amostra(QString::fromLocal8Bit(argv[2]));
  QFile comLF(trabalho.filePath(QStringLiteral("rol05-lf.txt")));
  if (amostra.open(QIODevice::ReadOnly) && comLF.open(QIODevice::WriteOnly)) {
    comLF.write(amostra.readAll().replace("\r\n", "\n"));
    comLF.close();
  }
  principal.findChild<QLineEdit*>(QStringLiteral("NomeArq"))->setText(comLF.fileName());
  principal.BValidar_Click();
  Saida* dica = principal.tela()->saida();
  if (dica != nullptr) dica->move(80, 80);
  tudo &= Captura(dica, destino + QStringLiteral("/saida-dica.png"));

  JanelaAjuda* ajuda = MostraAjuda(&principal, nullptr);
  ajuda->resize(760, 560);
  ajuda->move(120, 60);
  tudo &= Captura(ajuda, destino + QStringLiteral("/ajuda.png"));
  ajuda->close();
  if (dica != nullptr) dica->close();
  return tudo ? 0 : 1;
}
