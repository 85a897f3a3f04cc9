// rolval-mede-registro: times the record view of the output window on a file: the run, the first
// record shown (which builds the line index) and each next one.
// Usage: rolval-mede-registro [--frio] FILE. With --frio the file's pages are dropped from the
// system's cache after the run, so that the first view reads it from the disk.
// Runs on the offscreen platform unless another is set; prints the figures, asserts nothing.
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "shell/Dialogos.h"
#include "shell/Principal.h"
#include "shell/Saida.h"
#include "shell/TelaQt.h"

using namespace rolval;

namespace {

// Milliseconds to show a finding and let the window lay out and paint it.
double Mede(Saida& saida, int indice) {
  QElapsedTimer relogio;
  relogio.start();
  saida.MostraAchado(indice);
  QCoreApplication::processEvents();
  return static_cast<double>(relogio.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication aplicacao(argc, argv);
  const bool frio = argc == 3 && std::strcmp(argv[1], "--frio") == 0;
  if (argc != 2 && !frio) {
    std::fprintf(stderr, "Usage: rolval-mede-registro [--frio] FILE\n");
    return 64;
  }
  const char* arquivo = argv[argc - 1];
  QTemporaryDir trabalho;
  if (!trabalho.isValid()) return 2;
  DialogosSilenciosos dialogos("rolval-mede-registro");
  Principal principal(std::filesystem::path(trabalho.path().toStdString()), dialogos);
  principal.findChild<QLineEdit*>(QStringLiteral("NomeArq"))
      ->setText(QString::fromLocal8Bit(arquivo));
  principal.show();

  QElapsedTimer relogio;
  relogio.start();
  principal.BValidar_Click();
  const double msExecucao = static_cast<double>(relogio.nsecsElapsed()) / 1e6;
  Saida* saida = principal.tela()->saida();
  if (saida == nullptr) {
    std::fprintf(stderr, "rolval-mede-registro: the run showed no report\n");
    return 1;
  }
  QCoreApplication::processEvents();
  const int total = static_cast<int>(saida->achados().Tamanho());
  std::printf("run: %.0f ms, %d findings\n", msExecucao, total);
  if (total == 0) return 0;
  if (frio) {
    const int fd = ::open(arquivo, O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) != 0)
      std::fprintf(stderr, "rolval-mede-registro: could not drop the file from the cache\n");
    if (fd >= 0) ::close(fd);
  }

  // The last finding first: the index is built on it, and its line lies near the file's end.
  const Achado ultimo = saida->achados().Le(static_cast<std::size_t>(total - 1));
  std::printf("first record view (finding %d, line %lld): %.1f ms\n", total,
              static_cast<long long>(ultimo.linha), Mede(*saida, total - 1));
  std::vector<double> tempos;
  for (int i = total - 2; i >= 0; --i) tempos.push_back(Mede(*saida, i));
  for (int i = 1; i < total; ++i) tempos.push_back(Mede(*saida, i));
  if (!tempos.empty()) {
    std::sort(tempos.begin(), tempos.end());
    std::printf("next views (%zu, walking back and forth): median %.2f ms, max %.2f ms\n",
                tempos.size(), tempos[tempos.size() / 2], tempos.back());
  }
  saida->close();
  return 0;
}
