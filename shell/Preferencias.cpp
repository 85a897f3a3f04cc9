#include "shell/Preferencias.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>
#include <QtGlobal>
#include <cerrno>
#include <cstring>

namespace rolval {

namespace {
const QString ChaveUltimaPasta = QStringLiteral("arquivos/ultimaPasta");
const QString ChaveRecentes = QStringLiteral("arquivos/recentes");
QString ChaveGeometria(const QWidget& janela) {
  return QStringLiteral("janelas/") + janela.objectName() + QStringLiteral("/geometria");
}

// Why the file at `caminho` may not be read or replaced ("" when it may, or does not exist).
QString Impedimento(const QByteArray& caminho) {
  struct stat st {};
  if (::lstat(caminho.constData(), &st) != 0) return {};
  if (S_ISLNK(st.st_mode)) return QStringLiteral("it is a symbolic link");
  if (!S_ISREG(st.st_mode)) return QStringLiteral("it is not a regular file");
  if (st.st_size > Preferencias::TamanhoMaximo)
    return QStringLiteral("it is larger than %1 bytes").arg(Preferencias::TamanhoMaximo);
  return {};
}

// The bytes of the settings file, read without following a link and without waiting on a FIFO
// put there since; empty when it does not exist. `aviso` says why it cannot be used.
QByteArray LeArquivo(const QByteArray& caminho, QString& aviso) {
  aviso = Impedimento(caminho);
  if (!aviso.isEmpty()) return {};
  const int fd = ::open(caminho.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno != ENOENT) aviso = QString::fromLocal8Bit(std::strerror(errno));
    return {};
  }
  QByteArray bytes;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > Preferencias::TamanhoMaximo) {
    aviso = QStringLiteral("it changed while it was read");
  } else {
    char bloco[1 << 14];
    for (ssize_t n; (n = ::read(fd, bloco, sizeof bloco)) != 0;) {
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 || bytes.size() + n > Preferencias::TamanhoMaximo) {
        aviso = QStringLiteral("it cannot be read whole");
        bytes.clear();
        break;
      }
      bytes.append(bloco, static_cast<int>(n));
    }
  }
  ::close(fd);
  return bytes;
}

// `bytes` as the file at `caminho`: written under a fresh name in its folder, then renamed into
// place, so that a link or a file put under that name is replaced, never written through.
bool EscreveArquivo(const QString& caminho, const QByteArray& bytes) {
  const QFileInfo info(caminho);
  if (!QDir().mkpath(info.absolutePath())) return false;
  QByteArray modelo = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") +
                                        info.fileName() + QStringLiteral(".XXXXXX"));
  const int fd = ::mkostemp(modelo.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = true;
  for (qsizetype feito = 0; ok && feito < bytes.size();) {
    const ssize_t n =
        ::write(fd, bytes.constData() + feito, static_cast<size_t>(bytes.size() - feito));
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    feito += n > 0 ? n : 0;
  }
  ok = ::fsync(fd) == 0 && ok;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(modelo.constData(), QFile::encodeName(caminho).constData()) == 0;
  if (!ok) ::unlink(modelo.constData());
  return ok;
}

}  // namespace

Preferencias::Preferencias()
    : arquivo_(QSettings(QStringLiteral("rolval"), QStringLiteral("rolval")).fileName()) {
  Carrega();
}

Preferencias::Preferencias(const QString& arquivo) : arquivo_(arquivo) { Carrega(); }

void Preferencias::Carrega() {
  gravado_ = LeArquivo(QFile::encodeName(arquivo_), aviso_);
  const QString copia = privada_.filePath(QStringLiteral("rolval.conf"));
  QFile arquivo(copia);
  if (arquivo.open(QIODevice::WriteOnly)) arquivo.write(gravado_);
  arquivo.close();
  dados_ = std::make_unique<QSettings>(copia, QSettings::IniFormat);
  if (!aviso_.isEmpty())
    qWarning("rolval: the settings file '%s' is not used: %s", qPrintable(arquivo_),
             qPrintable(aviso_));
}

Preferencias::~Preferencias() { Grava(); }

QString Preferencias::UltimaPasta() const { return dados_->value(ChaveUltimaPasta).toString(); }

void Preferencias::DefineUltimaPasta(const QString& pasta) {
  dados_->setValue(ChaveUltimaPasta, pasta);
}

QStringList Preferencias::Recentes() const {
  QStringList lista = dados_->value(ChaveRecentes).toStringList();
  lista.removeAll(QString());
  return lista.mid(0, MaximoRecentes);
}

void Preferencias::AcrescentaRecente(const QString& caminho) {
  if (caminho.isEmpty()) return;
  QStringList lista = Recentes();
  lista.removeAll(caminho);
  lista.prepend(caminho);
  dados_->setValue(ChaveRecentes, lista.mid(0, MaximoRecentes));
}

bool Preferencias::RestauraGeometria(QWidget& janela) const {
  const QByteArray geometria = dados_->value(ChaveGeometria(janela)).toByteArray();
  return !geometria.isEmpty() && janela.restoreGeometry(geometria);
}

void Preferencias::GuardaGeometria(const QWidget& janela) {
  dados_->setValue(ChaveGeometria(janela), janela.saveGeometry());
}

void Preferencias::Grava() {
  dados_->sync();
  if (!aviso_.isEmpty()) return;  // a file not used is left alone
  QFile copia(dados_->fileName());
  if (!copia.open(QIODevice::ReadOnly)) return;
  const QByteArray bytes = copia.readAll();
  if (bytes == gravado_) return;
  // What stands under the name now may have changed since it was read.
  const QString impedimento = Impedimento(QFile::encodeName(arquivo_));
  if (!impedimento.isEmpty() || !EscreveArquivo(arquivo_, bytes)) {
    qWarning("rolval: the settings cannot be saved in '%s'%s%s", qPrintable(arquivo_),
             impedimento.isEmpty() ? "" : ": ", qPrintable(impedimento));
    aviso_ = impedimento;  // said once: later saves leave the file alone as well
    return;
  }
  gravado_ = bytes;
}

}  // namespace rolval
