#include "cli/TelaTerminal.h"

#include <cstdio>

#include "cli/Terminal.h"

namespace rolval {

TelaTerminal::TelaTerminal(bool barra) : barra_(barra) {}

void TelaTerminal::MostraProgresso() {
  visivel_ = true;
  percentual_ = -1;
}

void TelaTerminal::DefineValorProgresso(float valor) {
  const int p = static_cast<int>(valor);
  if (p == percentual_) return;  // redraw only when the bar moves
  percentual_ = p;
  Desenha();
}

void TelaTerminal::DefineVer(std::string_view legenda) {
  if (legenda == ver_) return;
  ver_ = legenda;
  Desenha();
}

void TelaTerminal::DefineContrib(std::string_view contribuinte) {
  contrib_ = contribuinte;
  Desenha();
}

void TelaTerminal::Desenha() {
  if (!barra_ || !visivel_) return;
  const int p = percentual_ < 0 ? 0 : percentual_;
  constexpr int largura = 30;
  const int cheio = p * largura / 100;
  std::string barra(static_cast<std::size_t>(cheio), '#');
  barra.append(static_cast<std::size_t>(largura - cheio), '.');
  // The bar is drawn only on a terminal; the taxpayer comes from the file, so it is escaped.
  std::fprintf(stderr, "\r\033[K[%s] %3d%%  %s  %s", barra.c_str(), p,
               EscapaParaTerminal(ver_).c_str(), EscapaParaTerminal(contrib_).c_str());
  std::fflush(stderr);
}

void TelaTerminal::EscondeProgresso() {
  if (barra_ && visivel_) {
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
  }
  visivel_ = false;
}

void TelaTerminal::MostraMensagem(std::string_view texto, std::string_view, IconeMensagem) {
  EscondeProgresso();
  mensagens_.emplace_back(texto);
}

}  // namespace rolval
