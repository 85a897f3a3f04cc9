#pragma once
// What the desktop program remembers between sessions (QSettings): the folder the open dialog
// last showed, the files last validated (newest first) and the geometry of each window.
#include <QString>
#include <QStringList>
#include <memory>

class QSettings;
class QWidget;

namespace rolval {

class Preferencias {
 public:
  // Files kept in the list of recent files.
  static constexpr int MaximoRecentes = 8;

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

 private:
  std::unique_ptr<QSettings> dados_;
};

}  // namespace rolval
