#include "layouts/older/CamposAntigos.h"

#include <array>

namespace rolval {

namespace {

using campos_antigos::ROL03;
using campos_antigos::ST01;

constexpr std::array<TabelaRegistro, 2> Tabelas = {{
    {"ROL03", ComprimentoROL03, ROL03},
    {"ST01", ComprimentoST01, ST01},
}};
static_assert(ComprimentoROL03 == 898 && ComprimentoST01 == 754);

}  // namespace

std::span<const TabelaRegistro> TabelasAntigas() { return Tabelas; }

const TabelaRegistro* TabelaAntiga(std::string_view tipo) { return TabelaDoTipo(Tabelas, tipo); }

const TabelaRegistro& TabelaROL03() { return Tabelas[0]; }
const TabelaRegistro& TabelaST01() { return Tabelas[1]; }

}  // namespace rolval
