#include "layouts/CamposLayouts.h"

#include <array>

#include "layouts/monthly/CamposMensal.h"
#include "layouts/older/CamposAntigos.h"
#include "layouts/substitution/CamposST2.h"

namespace rolval {

namespace {

constexpr std::size_t QtdTabelas = 1 + 17 + 4 + 2;

std::array<const TabelaRegistro*, QtdTabelas> JuntaTabelas() {
  std::array<const TabelaRegistro*, QtdTabelas> todas{};
  std::size_t n = 0;
  todas[n++] = &TabelaCabecalhoMensal();
  for (const TabelaRegistro& t : TabelasAnexosMensais()) todas[n++] = &t;
  for (const TabelaRegistro& t : TabelasST2()) todas[n++] = &t;
  for (const TabelaRegistro& t : TabelasAntigas()) todas[n++] = &t;
  return todas;
}

}  // namespace

std::span<const TabelaRegistro* const> TodasAsTabelas() {
  static const std::array<const TabelaRegistro*, QtdTabelas> todas = JuntaTabelas();
  return todas;
}

const TabelaRegistro* TabelaDoRegistro(std::string_view tipo) {
  if (const TabelaRegistro* t = TabelaMensal(tipo)) return t;
  if (const TabelaRegistro* t = TabelaST2(tipo)) return t;
  return TabelaAntiga(tipo);
}

}  // namespace rolval
