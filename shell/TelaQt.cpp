#include "shell/TelaQt.h"

#include <algorithm>
#include <cmath>

#include "run/Execucao.h"
#include "shell/Dialogos.h"
#include "shell/JanelaProgresso.h"
#include "shell/Saida.h"

namespace rolval {

namespace {
QString DeUtf8(std::string_view texto) {
  return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
}
}  // namespace

TelaQt::TelaQt(QWidget* principal, std::filesystem::path pastaTrabalho, Dialogos& dialogos,
               Preferencias* preferencias)
    : principal_(principal),
      pasta_(std::move(pastaTrabalho)),
      dialogos_(dialogos),
      preferencias_(preferencias) {}

TelaQt::~TelaQt() { delete saida_.data(); }

Saida* TelaQt::saida() const { return saida_.data(); }

void TelaQt::DefineExecucao(Execucao* execucao) {
  execucao_ = execucao;
  if (execucao_ != nullptr) execucao_->DefineOuvinte(&achados_);
}

void TelaQt::MostraProgresso() {
  // Every run starts here, before its first finding.
  achados_ = ListaAchados();
  ver_.clear();
  progresso_ = std::make_unique<JanelaProgresso>(principal_);
  progresso_->Mostra();
}

void TelaQt::AtualizaProgresso() {
  if (progresso_) progresso_->Atualiza();
}

void TelaQt::DefineValorProgresso(float valor) {
  if (progresso_)
    progresso_->DefineValor(static_cast<int>(std::lround(std::clamp(valor, 0.0f, 100.0f))));
}

void TelaQt::DefineVer(std::string_view legendaUtf8) {
  if (!progresso_ || legendaUtf8 == ver_) return;
  ver_ = legendaUtf8;
  progresso_->DefineVer(DeUtf8(legendaUtf8));
}

void TelaQt::DefineContrib(std::string_view contribuinteUtf8) {
  if (progresso_) progresso_->DefineContrib(DeUtf8(contribuinteUtf8));
}

void TelaQt::EscondeProgresso() {
  if (progresso_) progresso_->hide();
  progresso_.reset();
}

void TelaQt::MostraSaida() {
  if (execucao_ == nullptr) return;
  // One output window at a time. The main window is disabled while one is open, so no run can
  // start then; should one be left, it goes without unloading, as the report is the new run's.
  delete saida_.data();
  saida_ = new Saida(*execucao_, pasta_, principal_, dialogos_, marcaEntrada_, preferencias_,
                     std::move(achados_));
  achados_ = ListaAchados();
  saida_->show();
  saida_->raise();
  saida_->activateWindow();
}

void TelaQt::MostraMensagem(std::string_view textoUtf8, std::string_view tituloUtf8,
                            IconeMensagem icone) {
  dialogos_.MostraMensagem(principal_, DeUtf8(textoUtf8), DeUtf8(tituloUtf8), icone);
}

}  // namespace rolval
