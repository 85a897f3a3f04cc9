// The settings file: read and replaced only when it is a regular file of a sane size; a link, a
// special file or a huge file is left alone, and the program runs on defaults.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "shell/Preferencias.h"
#include "tests/support/Apoio.h"

namespace rolval::teste {
namespace {

namespace fs = std::filesystem;

const std::string Recente = "[arquivos]\nrecentes=/a/r.txt\n";

TEST(Preferencias, SoArquivoComumDeTamanhoSensato) {
  struct Caso {
    const char* nome;
    void (*monta)(const fs::path& conf, const fs::path& alvo);
    bool usado;  // read, and replaced on saving
  };
  const Caso casos[] = {
      {"a regular file",
       [](const fs::path& conf, const fs::path&) { EscreveArquivo(conf, Recente); }, true},
      {"a link to a file",
       [](const fs::path& conf, const fs::path& alvo) {
         EscreveArquivo(alvo, Recente);
         fs::create_symlink(alvo, conf);
       },
       false},
      {"a FIFO", [](const fs::path& conf, const fs::path&) { ::mkfifo(conf.c_str(), 0600); },
       false},
      {"a link to a FIFO",
       [](const fs::path& conf, const fs::path& alvo) {
         ::mkfifo(alvo.c_str(), 0600);
         fs::create_symlink(alvo, conf);
       },
       false},
      {"over the size limit",
       [](const fs::path& conf, const fs::path&) {
         EscreveArquivo(conf,
                        Recente + "[x]\n" + std::string(Preferencias::TamanhoMaximo, 'y') + "=1\n");
       },
       false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    PastaTemporaria pasta;
    const fs::path conf = pasta / "rolval.conf", alvo = pasta / "alvo";
    c.monta(conf, alvo);
    const auto antes = fs::symlink_status(conf).type();
    const std::string bytesAntes = fs::is_regular_file(conf) ? LeArquivo(conf) : "";
    {
      Preferencias p(QString::fromStdString(conf.string()));
      EXPECT_EQ(p.Aviso().isEmpty(), c.usado);
      EXPECT_EQ(p.Recentes(), c.usado ? QStringList{QStringLiteral("/a/r.txt")} : QStringList{});
      p.AcrescentaRecente(QStringLiteral("/b/novo.txt"));
      p.Grava();
    }
    EXPECT_EQ(fs::symlink_status(conf).type(), antes);
    if (c.usado) {
      Preferencias depois(QString::fromStdString(conf.string()));
      EXPECT_EQ(depois.Recentes(),
                (QStringList{QStringLiteral("/b/novo.txt"), QStringLiteral("/a/r.txt")}));
    } else if (antes == fs::file_type::regular) {
      EXPECT_EQ(LeArquivo(conf), bytesAntes);
    }
    if (fs::is_regular_file(fs::symlink_status(alvo))) {
      EXPECT_EQ(LeArquivo(alvo), Recente);  // a link's target is never written
    }
  }
}

// A link put under the name while the program runs is not written through when it saves.
TEST(Preferencias, LigacaoPlantadaDuranteASessaoNaoSeguida) {
  PastaTemporaria pasta;
  const fs::path conf = pasta / "rolval.conf", alvo = pasta / "alvo";
  EscreveArquivo(conf, Recente);
  EscreveArquivo(alvo, "alheio\n");
  Preferencias p(QString::fromStdString(conf.string()));
  p.AcrescentaRecente(QStringLiteral("/b/novo.txt"));
  fs::remove(conf);
  fs::create_symlink(alvo, conf);
  p.Grava();
  EXPECT_TRUE(fs::is_symlink(conf));
  EXPECT_EQ(LeArquivo(alvo), "alheio\n");
}

}  // namespace
}  // namespace rolval::teste
