#include "tools/GeradorAmostras.h"

#include <array>
#include <charconv>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "tools/GeradorAntigos.h"
#include "tools/GeradorMensal.h"
#include "tools/GeradorST2.h"

namespace rolval::amostras {

namespace {

// The layouts the generator writes, one module a line. Layouts 04 and 05 share one module: the
// version decides the periods and the version field.
const auto Modulos = std::to_array<ModuloAmostra>({
    {"04", "monthly return, layout 04 (reference periods 10/1998 to 08/2000)", AnexosMensais(),
     EstragosMensais(), GeraMensal},
    {"05", "monthly return, layout 05 (reference periods from 09/2000 on)", AnexosMensais(),
     EstragosMensais(), GeraMensal},
    {"ST02", "tax-substitution return, layout ST 02 (reference periods from 07/2000 on)",
     AnexosST2(), EstragosST2(), GeraST2},
    {"03", "monthly return, layout 03, one line a return (07/1994 to 09/1998)", AnexosAntigos(),
     EstragosVersao3(), GeraVersao3},
    {"ST01", "tax-substitution return, layout ST 01, one line a return (05/1999 to 06/2000)",
     AnexosAntigos(), EstragosST1(), GeraST1},
});

}  // namespace

std::span<const ModuloAmostra> ModulosAmostra() { return Modulos; }

const ModuloAmostra* ProcuraModulo(std::string_view layout) {
  for (const ModuloAmostra& modulo : Modulos)
    if (modulo.layout == layout) return &modulo;
  return nullptr;
}

ResumoAmostra GeraAmostra(const OpcoesAmostra& opcoes, std::ostream& saida) {
  const ModuloAmostra* modulo = ProcuraModulo(opcoes.layout);
  if (modulo == nullptr) throw std::invalid_argument("unknown layout '" + opcoes.layout + "'");
  if (opcoes.retornos < 1) throw std::invalid_argument("the number of returns must be 1 or more");
  if (opcoes.itens < 0 || opcoes.itens > 999)
    throw std::invalid_argument("the number of items must be from 1 to 999");
  for (const Estrago& estrago : opcoes.estragos)
    if (estrago.retorno < 1 || estrago.retorno > opcoes.retornos)
      throw std::invalid_argument("spoil '" + estrago.tipo + "' names return " +
                                  std::to_string(estrago.retorno) +
                                  ", which the file does not hold");
  const ResumoAmostra resumo = modulo->gera(opcoes, saida);
  saida.flush();
  if (!saida) throw std::runtime_error("the sample file could not be written");
  return resumo;
}

std::string GeraAmostraTexto(const OpcoesAmostra& opcoes) {
  std::ostringstream saida;
  GeraAmostra(opcoes, saida);
  return std::move(saida).str();
}

Estrago LeEstrago(std::string_view texto) {
  Estrago estrago;
  const std::size_t doisPontos = texto.find(':');
  estrago.tipo = std::string(texto.substr(0, doisPontos));
  if (doisPontos != std::string_view::npos) {
    const std::string_view numero = texto.substr(doisPontos + 1);
    const auto [fim, erro] =
        std::from_chars(numero.data(), numero.data() + numero.size(), estrago.retorno);
    if (erro != std::errc() || fim != numero.data() + numero.size() || numero.empty())
      throw std::invalid_argument("bad return number in spoil '" + std::string(texto) + "'");
  }
  if (estrago.tipo.empty()) throw std::invalid_argument("empty spoil kind");
  return estrago;
}

}  // namespace rolval::amostras
