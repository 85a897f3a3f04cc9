#include "shell/Preferencias.h"

#include <QSettings>
#include <QWidget>

namespace rolval {

namespace {
const QString ChaveUltimaPasta = QStringLiteral("arquivos/ultimaPasta");
const QString ChaveRecentes = QStringLiteral("arquivos/recentes");
QString ChaveGeometria(const QWidget& janela) {
  return QStringLiteral("janelas/") + janela.objectName() + QStringLiteral("/geometria");
}
}  // namespace

Preferencias::Preferencias()
    : dados_(std::make_unique<QSettings>(QStringLiteral("rolval"), QStringLiteral("rolval"))) {}

Preferencias::Preferencias(const QString& arquivo)
    : dados_(std::make_unique<QSettings>(arquivo, QSettings::IniFormat)) {}

Preferencias::~Preferencias() = default;

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

void Preferencias::Grava() { dados_->sync(); }

}  // namespace rolval
