#include "tools/CamposFixos.h"

#include <ostream>
#include <stdexcept>

#include <algorithm>
#include <stdexcept>

namespace rolval::amostras {

namespace {

void ConfereEspaco(const std::string& registro, int coluna, int tamanho) {
  if (coluna < 1 || tamanho < 0 ||
      static_cast<std::size_t>(coluna - 1) + static_cast<std::size_t>(tamanho) > registro.size())
    throw std::logic_error("field does not fit in the record");
}

void EscreveDigitos(std::string& destino, std::size_t posicao, int tamanho, std::int64_t valor) {
  if (valor < 0) throw std::logic_error("a negative amount cannot be written");
  for (int i = tamanho - 1; i >= 0; --i) {
    destino[posicao + static_cast<std::size_t>(i)] = static_cast<char>('0' + valor % 10);
    valor /= 10;
  }
  if (valor != 0) throw std::logic_error("amount too large for its field");
}

}  // namespace

void PoeNumero(std::string& registro, int coluna, int tamanho, std::int64_t valor) {
  ConfereEspaco(registro, coluna, tamanho);
  EscreveDigitos(registro, static_cast<std::size_t>(coluna - 1), tamanho, valor);
}

void PoeTexto(std::string& registro, int coluna, std::string_view texto) {
  ConfereEspaco(registro, coluna, static_cast<int>(texto.size()));
  registro.replace(static_cast<std::size_t>(coluna - 1), texto.size(), texto);
}

std::int64_t LeNumero(std::string_view registro, int coluna, int tamanho) {
  std::int64_t valor = 0;
  for (int i = 0; i < tamanho; ++i) {
    const std::size_t posicao = static_cast<std::size_t>(coluna - 1 + i);
    const char c = posicao < registro.size() ? registro[posicao] : ' ';
    if (c < '0' || c > '9') throw std::logic_error("field is not a number");
    valor = valor * 10 + (c - '0');
  }
  return valor;
}

void AcrescentaDigitos(std::string& destino, int tamanho, std::int64_t valor) {
  const std::size_t posicao = destino.size();
  destino.append(static_cast<std::size_t>(tamanho), '0');
  EscreveDigitos(destino, posicao, tamanho, valor);
}

void AcrescentaTexto(std::string& destino, int tamanho, std::string_view texto) {
  const std::size_t n = std::min(texto.size(), static_cast<std::size_t>(tamanho));
  destino.append(texto.substr(0, n));
  destino.append(static_cast<std::size_t>(tamanho) - n, ' ');
}

std::size_t ProcuraNome(std::span<const std::string_view> nomes, std::string_view nome,
                        std::string_view origem) {
  for (std::size_t i = 0; i < nomes.size(); ++i)
    if (nomes[i] == nome) return i;
  throw std::invalid_argument("unknown annex '" + std::string(nome) + "' in '" +
                              std::string(origem) + "'");
}

void EscreveRegistros(std::ostream& saida, const std::vector<std::string>& registros,
                      std::size_t quantos) {
  for (std::size_t i = 0; i < quantos; ++i) {
    saida.write(registros[i].data(), static_cast<std::streamsize>(registros[i].size()));
    saida.write("\r\n", 2);
  }
  if (!saida) throw std::runtime_error("the sample file could not be written");
}

}  // namespace rolval::amostras
