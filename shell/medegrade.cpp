// rolval-mede-grade: times the findings grid of the output window on a file: from the run's end
// to the window shown with its grid painted, then a scroll through the grid page by page, a sort
// by message and a filter; prints the peak memory of the process.
// Usage: rolval-mede-grade FILE. With ROLVAL_MEDE_PARTES set, first the grid alone and the
// report's text view alone are timed. Runs on the offscreen platform unless another is set;
// prints the figures, asserts nothing.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "layouts/Layouts.h"
#include "run/Execucao.h"
#include "run/Tela.h"
#include "shell/Dialogos.h"
#include "shell/GradeAchados.h"
#include "shell/Saida.h"

using namespace rolval;

namespace {

// The run's end is when it asks for the output window.
class TelaMedida : public TelaMuda {
 public:
  void MostraSaida() override { fim.start(); }
  QElapsedTimer fim;
};

double Ms(const QElapsedTimer& relogio) {
  return static_cast<double>(relogio.nsecsElapsed()) / 1e6;
}

// The process's resident memory now and at its peak, in MB, from /proc.
std::pair<double, double> Memoria() {
  QFile status(QStringLiteral("/proc/self/status"));
  double agora = 0, pico = 0;
  if (status.open(QIODevice::ReadOnly))
    for (const QByteArray& linha : status.readAll().split('\n')) {
      const auto kb = [&] { return linha.mid(6).trimmed().split(' ').front().toDouble() / 1024; };
      if (linha.startsWith("VmRSS:")) agora = kb();
      if (linha.startsWith("VmHWM:")) pico = kb();
    }
  return {agora, pico};
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication aplicacao(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "Usage: rolval-mede-grade FILE\n");
    return 64;
  }
  QTemporaryDir trabalho;
  if (!trabalho.isValid()) return 2;
  const std::filesystem::path pasta = trabalho.path().toStdString();
  DialogosSilenciosos dialogos("rolval-mede-grade");
  TelaMedida tela;
  Execucao execucao(pasta, tela);
  ListaAchados lista;
  execucao.DefineOuvinte(&lista);

  QElapsedTimer relogio;
  relogio.start();
  ValidaArquivo(execucao, argv[1]);
  const double msExecucao = Ms(relogio);
  if (!tela.fim.isValid()) {
    std::fprintf(stderr, "rolval-mede-grade: the run showed no report\n");
    return 1;
  }
  const auto [antes, picoExecucao] = Memoria();
  std::printf("run: %.0f ms, %zu findings; memory %.0f MB (peak %.0f MB)\n", msExecucao,
              lista.Tamanho(), antes, picoExecucao);

  if (qEnvironmentVariableIsSet("ROLVAL_MEDE_PARTES")) {
    QElapsedTimer parte;
    parte.start();
    {
      GradeAchados grade(lista, nullptr);
      std::printf("part: grid alone %.0f ms\n", Ms(parte));
    }
    parte.restart();
    const std::string texto = execucao.Relatorio().Texto();
    QPlainTextEdit edit;
    edit.setPlainText(TextoRelatorio(
        QByteArray::fromRawData(texto.data(), static_cast<qsizetype>(texto.size()))));
    std::printf("part: report text %.0f ms\n", Ms(parte));
    tela.fim.restart();
  }
  auto saida = std::make_unique<Saida>(execucao, pasta, nullptr, dialogos, MarcaDe(argv[1]),
                                       nullptr, std::move(lista));
  saida->resize(1200, 800);
  saida->show();
  QCoreApplication::processEvents();
  auto* tabela = saida->findChild<QTableView*>(QStringLiteral("tblAchados"));
  tabela->viewport()->repaint();
  const double msMostrada = Ms(tela.fim);
  const auto [depois, picoJanela] = Memoria();
  std::printf("run end to grid shown: %.0f ms; memory %.0f MB (peak %.0f MB)\n", msMostrada, depois,
              picoJanela);

  // Page by page through the first 2,000 pages, each painted at once.
  QScrollBar* barra = tabela->verticalScrollBar();
  std::vector<double> passos;
  for (int pagina = 0; pagina < 2000 && barra->value() < barra->maximum(); ++pagina) {
    QElapsedTimer passo;
    passo.start();
    barra->setValue(barra->value() + barra->pageStep());
    tabela->viewport()->repaint();
    passos.push_back(Ms(passo));
  }
  // Then jumps to the end and back to the middle, as a dragged scroll bar makes.
  for (const int destino : {barra->maximum(), barra->maximum() / 2, 0}) {
    QElapsedTimer passo;
    passo.start();
    barra->setValue(destino);
    tabela->viewport()->repaint();
    passos.push_back(Ms(passo));
  }
  std::sort(passos.begin(), passos.end());
  if (!passos.empty())
    std::printf("scroll, %zu steps: median %.2f ms, max %.2f ms\n", passos.size(),
                passos[passos.size() / 2], passos.back());

  QElapsedTimer ordena;
  ordena.start();
  tabela->sortByColumn(ModeloAchados::Mensagem, Qt::DescendingOrder);
  tabela->viewport()->repaint();
  std::printf("sort by message: %.0f ms\n", Ms(ordena));
  QElapsedTimer filtra;
  filtra.start();
  saida->findChild<QLineEdit*>(QStringLiteral("txtFiltro"))->setText(QStringLiteral("AVISO"));
  tabela->viewport()->repaint();
  std::printf("filter by a text: %.0f ms, %d rows\n", Ms(filtra), tabela->model()->rowCount());
  const auto [fim, picoFim] = Memoria();
  std::printf("memory at the end %.0f MB, peak %.0f MB\n", fim, picoFim);
  saida->close();
  return 0;
}
