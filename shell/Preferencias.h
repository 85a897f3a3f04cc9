#pragma once
// What the desktop program remembers between sessions (QSettings): the folder the open dialog
// last showed, the files last validated (newest first) and the geometry of each window.
// The settings file is read only when it is a regular file (not a symbolic link, a device or a
// FIFO) of at most TamanhoMaximo bytes, and written only under those conditions, under a fresh
// name renamed into place; otherwise the program runs on defaults, says why on standard error
// (Aviso() too) and leaves the file alone. While the program runs, the settings live in a
// private copy.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class QSettings;
class QWidget;

namespace rolval {

class Preferencias {
 public:
  // Files kept in the list of recent files.
  static constexpr int MaximoRecentes = 8;
  // A settings file larger than this is not read: no program of this kind writes one.
  static constexpr long long TamanhoMaximo = 1 << 20;

  // The user's settings of the program (~/.config/rolval/rolval.conf on Linux).
  Preferencias();
  // The settings in the file `arquivo` (INI format): for tests and for separate profiles.
  explicit Preferencias(const QString& arquivo);
  ~Preferencias();
  Preferencias(const Preferencias&) = delete;
  Preferencias& operator=(const Preferencias&) = delete;

  QString UltimaPasta() const;
  void DefineUltimaPasta(const QString& pasta);

  QStringList Recentes() const;
  // Puts `caminho` first in the list, once, dropping the oldest beyond MaximoRecentes.
  void AcrescentaRecente(const QString& caminho);

  // The geometry saved for the window `janela` (by its object name); false when none was.
  bool RestauraGeometria(QWidget& janela) const;
  void GuardaGeometria(const QWidget& janela);

  void Grava();  // writes what changed to the file now

  // Why the settings file is not used ("" when it is).
  const QString& Aviso() const { return aviso_; }

 private:
  void Carrega();
  QString arquivo_;        // the user's settings file
  QTemporaryDir privada_;  // the private copy's folder
  QString aviso_;
  QByteArray gravado_;  // the file's bytes as last read or written
  std::unique_ptr<QSettings> dados_;
};

}  // namespace rolval
