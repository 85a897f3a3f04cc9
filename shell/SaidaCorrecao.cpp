// The output window's corrected copy: the button under the hints, the save dialog, the copy's
// validation and the note above its report.
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "layouts/CopiaCorrigida.h"
#include "shell/Dialogos.h"
#include "shell/Principal.h"
#include "shell/Saida.h"
#include "shell/TelaQt.h"

namespace rolval {

void Saida::MostraBotaoCorrecao(bool corrigivel) {
  if (corrigivel && BCorrigir == nullptr) {
    BCorrigir = new QPushButton(QStringLiteral("Salvar cópia &corrigida e validar"), this);
    BCorrigir->setObjectName(QStringLiteral("BCorrigir"));
    BCorrigir->setToolTip(
        QStringLiteral("Grava ao lado do arquivo uma cópia com os defeitos das dicas "
                       "corrigidos e valida a cópia; o arquivo não é alterado"));
    connect(BCorrigir, &QPushButton::clicked, this, &Saida::BCorrigir_Click);
    auto* coluna = qobject_cast<QVBoxLayout*>(layout());
    coluna->insertWidget(coluna->indexOf(lblDicas) + 1, BCorrigir, 0, Qt::AlignLeft);
  }
  if (BCorrigir != nullptr) BCorrigir->setVisible(corrigivel);
}

void Saida::BCorrigir_Click() {
  const std::filesystem::path entrada(caminhoEntrada_);
  int n = 1;
  while (n < NomesDeCopiaTentados &&
         std::filesystem::exists(std::filesystem::symlink_status(
             entrada.parent_path() / NomeDaCopiaCorrigida(caminhoEntrada_, n))))
    ++n;
  const QString sugestao = QString::fromStdString(
      (entrada.parent_path() / NomeDaCopiaCorrigida(caminhoEntrada_, n)).string());
  const QString destino =
      dialogos_.PerguntaArquivoSalvar(this, QStringLiteral("Salvar cópia corrigida"), sugestao,
                                      QStringLiteral("Arquivos de texto (*.txt)"));
  if (destino.isEmpty()) return;
  const ResultadoCorrecao r = SalvaCopiaCorrigida(caminhoEntrada_, destino.toStdString(), nullptr);
  if (r.copia.empty()) {
    dialogos_.MostraMensagem(
        this,
        QStringLiteral("A cópia corrigida não foi gravada: ") + QString::fromStdString(r.recusa),
        QStringLiteral("Atenção"), IconeMensagem::Informacao);
    return;
  }
  const QString nota = QStringLiteral("Relatório da cópia corrigida de ") +
                       QFileInfo(QString::fromStdString(caminhoEntrada_)).fileName() +
                       QStringLiteral(": ") + QString::fromStdString(DescreveCorrecao(r.contagem)) +
                       QStringLiteral("; nenhum outro byte mudou.");
  QPointer<Principal> principal = qobject_cast<Principal*>(principal_.data());
  // The main window takes over again, and validates the copy. This window is closed first, so the
  // output window there afterwards is the copy's (a new window may take this one's address).
  BFechar_Click();
  if (principal.isNull()) return;
  principal->AbreArquivo(QString::fromStdString(r.copia));
  if (Saida* copia = principal->tela()->saida(); copia != nullptr) copia->MostraCorrecao(nota);
}

void Saida::MostraCorrecao(const QString& texto) {
  if (lblCorrecao == nullptr) {
    lblCorrecao = new QLabel(this);
    lblCorrecao->setObjectName(QStringLiteral("lblCorrecao"));
    lblCorrecao->setTextFormat(Qt::PlainText);
    lblCorrecao->setWordWrap(true);
    lblCorrecao->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblCorrecao->setStyleSheet(
        QStringLiteral("QLabel { background: #e2f5e0; color: #000; padding: 4px; }"));
    auto* coluna = qobject_cast<QVBoxLayout*>(layout());
    coluna->insertWidget(coluna->indexOf(lblArquivo) + 1, lblCorrecao);
  }
  lblCorrecao->setText(texto);
  lblCorrecao->show();
}

}  // namespace rolval
