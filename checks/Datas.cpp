#include "checks/Datas.h"

#include <cstdint>

#include "checks/Numeros.h"
#include "run/CaminhosRapidos.h"
#include "run/Campo.h"
#include "run/Falha.h"

namespace rolval {

namespace {

// Reads a date part as a number; blanks around the digits are allowed, anything else is a failure.
std::int32_t LeParte(std::string_view linha, int coluna, int tamanho) {
  const std::string_view campo = Campo(linha, coluna, tamanho);
  // The usual case, digits only: read in one pass, with nothing to trim.
  std::int32_t lido = 0;
  std::size_t i = 0;
  for (; i < campo.size() && campo[i] >= '0' && campo[i] <= '9'; ++i)
    lido = lido * 10 + (campo[i] - '0');
  if (i == campo.size() && i > 0) return lido;
  const std::string_view parte = Apara(campo);
  if (parte.empty()) throw FalhaExecucao(ClasseFalha::Outra, "date part is not a number");
  std::int32_t v = 0;
  for (const char c : parte) {
    if (c < '0' || c > '9') throw FalhaExecucao(ClasseFalha::Outra, "date part is not a number");
    v = v * 10 + (c - '0');
  }
  return v;
}

}  // namespace

bool ValidaData(std::string_view linha, int coluna, int tipoData) {
  // On the fast path the usual case, a field of digits only, is tested at once, then each part is
  // read from its digits; the plain path reads every date part by part.
  if constexpr (caminhos::DatasPorDigitos) {
    const std::string_view campo = Campo(linha, coluna, tipoData);
    if ((tipoData == DataDDMMAAAA || tipoData == DataMMAAAA) &&
        static_cast<int>(campo.size()) == tipoData && digitos::SoDigitos(campo))
      return DigitosDeDataValidos(campo, tipoData);
  }
  std::int32_t dia = 0, mes = 0, ano = 0;
  if (tipoData == DataDDMMAAAA) {
    dia = LeParte(linha, coluna, 2);
    mes = LeParte(linha, coluna + 2, 2);
    ano = LeParte(linha, coluna + 4, 4);
  } else if (tipoData == DataMMAAAA) {
    mes = LeParte(linha, coluna, 2);
    ano = LeParte(linha, coluna + 2, 4);
  }
  return PartesDeDataValidas(dia, mes, ano, tipoData);
}

}  // namespace rolval
