#include "cli/TelaTerminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>

#include "cli/Terminal.h"
#include "run/Campo.h"

namespace rolval {

namespace {

// Columns of stderr's terminal, less one so that the line never wraps; no limit when the
// terminal does not tell.
std::size_t ColunasDisponiveis() {
  winsize tamanho{};
  if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &tamanho) == 0 && tamanho.ws_col > 1)
    return tamanho.ws_col - 1u;
  return std::string::npos;
}

// `texto` (UTF-8) cut to at most `colunas` characters; `colunas` becomes the number kept.
void Corta(std::string& texto, std::size_t& colunas) {
  std::size_t contados = 0;
  for (std::size_t i = 0; i < texto.size(); ++i) {
    if ((static_cast<unsigned char>(texto[i]) & 0xC0) == 0x80) continue;  // continuation byte
    if (contados == colunas) {
      texto.resize(i);
      return;
    }
    ++contados;
  }
  colunas = contados;
}

}  // namespace

TelaTerminal::TelaTerminal(ModoProgresso modo) : modo_(modo) {}

void TelaTerminal::MostraProgresso() {
  visivel_ = true;
  percentual_ = -1;
}

void TelaTerminal::DefineValorProgresso(float valor) {
  const int p = static_cast<int>(valor);
  if (p == percentual_) return;
  percentual_ = p;
  Mudou();
}

void TelaTerminal::DefineVer(std::string_view legenda) {
  if (legenda == ver_) return;
  ver_ = legenda;
  Mudou();
}

void TelaTerminal::DefineContrib(std::string_view contribuinte) {
  if (contribuinte == contrib_) return;
  CopiaTexto(contrib_, contribuinte);
  Mudou();
}

void TelaTerminal::Mudou() {
  if (modo_ == ModoProgresso::Nenhum || !visivel_) return;
  const auto agora = std::chrono::steady_clock::now();
  if (desenhado_ && agora - ultimo_ < Intervalo) {
    pendente_ = true;
    return;
  }
  ultimo_ = agora;
  Desenha();
}

void TelaTerminal::Desenha() {
  pendente_ = false;
  const int p = percentual_ < 0 ? 0 : percentual_;
  constexpr int largura = 30;
  const int cheio = p * largura / 100;
  std::string barra(static_cast<std::size_t>(cheio), '#');
  barra.append(static_cast<std::size_t>(largura - cheio), '.');
  char porcento[16];
  std::snprintf(porcento, sizeof porcento, "%3d%%", p);
  // The taxpayer comes from the file, so it is escaped.
  std::string texto = "[";
  texto.append(barra).append("] ").append(porcento).append("  ");
  texto.append(EscapaParaTerminal(ver_)).append("  ").append(EscapaParaTerminal(contrib_));
  std::size_t colunas = ColunasDisponiveis();
  Corta(texto, colunas);
  // (Built by appending: inserting at the front trips GCC 12's false -Wrestrict, GCC bug 105329.)
  std::string linha = modo_ == ModoProgresso::Completo ? "\r\033[K" : "\r";
  linha.append(texto);
  // Blanks over what is left of a longer line drawn before.
  if (modo_ == ModoProgresso::Simples && largura_ > colunas) linha.append(largura_ - colunas, ' ');
  largura_ = colunas;
  desenhado_ = true;
  std::fputs(linha.c_str(), stderr);
  std::fflush(stderr);
}

void TelaTerminal::Apaga() {
  if (modo_ == ModoProgresso::Completo)
    std::fputs("\r\033[K", stderr);
  else
    std::fprintf(stderr, "\r%*s\r", static_cast<int>(largura_), "");
  std::fflush(stderr);
  desenhado_ = false;
  largura_ = 0;
}

void TelaTerminal::EscondeProgresso() {
  if (visivel_ && desenhado_) {
    // The last state is drawn before the line goes, so that a run's last picture is never one
    // from up to an interval earlier.
    if (pendente_) Desenha();
    Apaga();
  }
  visivel_ = false;
  pendente_ = false;
}

void TelaTerminal::MostraMensagem(std::string_view texto, std::string_view, IconeMensagem) {
  EscondeProgresso();
  mensagens_.emplace_back(texto);
}

}  // namespace rolval
