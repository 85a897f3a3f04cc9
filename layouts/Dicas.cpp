#include "layouts/Dicas.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "layouts/Layouts.h"

namespace rolval {

namespace {

constexpr std::string_view BomUtf8 = "\xEF\xBB\xBF";
// Enough lines to see varying lengths without reading far into a big file.
constexpr std::size_t LinhasExaminadas = 64;

enum class FimLinha { Nenhum, CRLF, LF, CR };

struct Cabeca {
  std::vector<std::string_view>
      linhas;  // complete lines only: one cut by the head's end is left out
  FimLinha primeiroFim = FimLinha::Nenhum;
};

Cabeca SeparaLinhas(std::string_view texto) {
  Cabeca c;
  std::size_t inicio = 0;
  while (c.linhas.size() < LinhasExaminadas) {
    const std::size_t fim = texto.find_first_of("\r\n", inicio);
    if (fim == std::string_view::npos) break;
    FimLinha tipo = FimLinha::LF;
    std::size_t proximo = fim + 1;
    if (texto[fim] == '\r') {
      if (fim + 1 >= texto.size()) break;  // the head ends between CR and what follows it
      if (texto[fim + 1] == '\n') {
        tipo = FimLinha::CRLF;
        proximo = fim + 2;
      } else {
        tipo = FimLinha::CR;
      }
    }
    if (c.linhas.empty()) c.primeiroFim = tipo;
    c.linhas.push_back(texto.substr(inicio, fim - inicio));
    inicio = proximo;
  }
  return c;
}

// Whether the bytes above 0x7F all form UTF-8 sequences, with at least one of them: a Latin-1
// file with accents almost never does. A sequence cut by the head's end is not held against it.
bool PareceUtf8(std::string_view texto) {
  bool algum = false;
  std::size_t i = 0;
  while (i < texto.size()) {
    const auto b = static_cast<unsigned char>(texto[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    std::size_t seguintes = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      seguintes = 1;
    } else if (b >= 0xE0 && b <= 0xEF) {
      seguintes = 2;
    } else if (b >= 0xF0 && b <= 0xF4) {
      seguintes = 3;
    } else {
      return false;
    }
    for (std::size_t k = 1; k <= seguintes; ++k) {
      if (i + k >= texto.size()) return algum;
      if ((static_cast<unsigned char>(texto[i + k]) & 0xC0) != 0x80) return false;
    }
    algum = true;
    i += seguintes + 1;
  }
  return algum;
}

// "ROL05" prints as "05", "ROLST01" as "ST 01".
std::string NomeLayout(std::string_view documento) {
  std::string_view nome = documento.substr(0, documento.find(' '));
  if (nome.starts_with("ROL")) nome.remove_prefix(3);
  if (!nome.starts_with("ST")) return std::string(nome);
  std::string texto = "ST ";
  texto.append(nome.substr(2));
  return texto;
}

void DicasDeComprimento(const Cabeca& c, std::uint64_t tamanho, bool bom,
                        std::vector<Dica>& dicas) {
  if (c.linhas.empty()) return;
  const LayoutArquivo* layout = ReconheceLayout(TabelaPadrao(), c.linhas.front());
  if (layout == nullptr || !layout->verificaTamanho) return;
  const auto esperado = static_cast<std::size_t>(layout->comprimento);
  const std::string nome = NomeLayout(layout->documento);

  const std::size_t primeiro = c.linhas.front().size();
  for (const LayoutArquivo& outro : TabelaPadrao().layouts) {
    if (!outro.verificaTamanho || static_cast<std::size_t>(outro.comprimento) == esperado ||
        static_cast<std::size_t>(outro.comprimento) != primeiro)
      continue;
    dicas.push_back({TipoDica::TamanhoDeOutroLayout,
                     "O arquivo parece ter sido gerado para outro layout. O primeiro registro "
                     "tem " +
                         std::to_string(primeiro) +
                         " caracteres, o tamanho dos registros do layout " +
                         NomeLayout(outro.documento) + ", mas começa como o layout " + nome +
                         ", cujos registros têm " + std::to_string(esperado) +
                         ": confira o layout em que o arquivo foi gerado.",
                     false});
    return;
  }

  // An empty line is no record cut short: it is judged at the end of the file.
  std::size_t menor = esperado;
  std::size_t maior = 0;
  for (std::string_view linha : c.linhas) {
    if (linha.empty()) continue;
    menor = std::min(menor, linha.size());
    maior = std::max(maior, linha.size());
  }
  if (maior <= esperado && menor < esperado && menor != maior) {
    dicas.push_back({TipoDica::BrancosCortados,
                     "Os espaços em branco do fim dos registros foram apagados, talvez por um "
                     "editor de texto. Há registros com menos de " +
                         std::to_string(esperado) +
                         " caracteres e de tamanhos diferentes; os brancos finais fazem parte do "
                         "registro e devem ser devolvidos."});
    return;
  }

  // Whole records with CR LF so far: what is left over at the end says how the file ends.
  if (c.primeiroFim != FimLinha::CRLF || menor != esperado || maior != esperado) return;
  const std::uint64_t resto = (tamanho - (bom ? BomUtf8.size() : 0)) % (esperado + 2);
  if (resto == esperado)
    dicas.push_back({TipoDica::UltimoSemFimDeLinha,
                     "Falta a quebra de linha depois do último registro. Cada registro, o "
                     "último também, deve terminar com CR LF."});
  else if (resto == 2)
    dicas.push_back({TipoDica::LinhaVaziaNoFim,
                     "O arquivo termina com uma linha em branco a mais. Depois do último "
                     "registro há uma quebra de linha CR LF sobrando."});
}

}  // namespace

std::vector<Dica> DicasDoArquivo(std::string_view inicio, std::uint64_t tamanhoArquivo) {
  std::vector<Dica> dicas;
  std::string_view texto = inicio;
  const bool bom = texto.starts_with(BomUtf8);
  if (bom) {
    texto.remove_prefix(BomUtf8.size());
    dicas.push_back({TipoDica::MarcaBOM,
                     "O arquivo foi salvo com uma marca invisível no início, que desloca as "
                     "colunas do primeiro registro. É a marca de ordem de bytes do UTF-8 (BOM, "
                     "EF BB BF); o arquivo deve estar em Latin-1 (ISO-8859-1), sem ela."});
  } else if (texto.starts_with("\xFF\xFE") || texto.starts_with("\xFE\xFF")) {
    dicas.push_back(
        {TipoDica::MarcaBOM,
         "O arquivo foi salvo numa codificação em que cada letra ocupa o dobro do "
         "espaço. Está em UTF-16 (começa com a marca FF FE ou FE FF); salve-o em Latin-1 "
         "(ISO-8859-1), um byte por caractere.",
         false});
    return dicas;
  }

  const Cabeca cabeca = SeparaLinhas(texto);
  if (cabeca.primeiroFim == FimLinha::LF)
    dicas.push_back({TipoDica::FimDeLinhaLF,
                     "O arquivo foi salvo com quebras de linha do Linux. As linhas terminam só "
                     "com LF, mas cada registro deve terminar com CR LF."});
  else if (cabeca.primeiroFim == FimLinha::CR)
    dicas.push_back({TipoDica::FimDeLinhaCR,
                     "O arquivo foi salvo com quebras de linha do Mac antigo. As linhas terminam "
                     "só com CR, mas cada registro deve terminar com CR LF."});

  if (PareceUtf8(texto))
    dicas.push_back({TipoDica::AcentosUtf8,
                     "O arquivo foi salvo com as letras acentuadas numa codificação diferente da "
                     "esperada. Parece estar em UTF-8, em que cada letra acentuada ocupa dois "
                     "bytes e alonga o registro; deve estar em Latin-1 (ISO-8859-1), um byte por "
                     "caractere."});

  DicasDeComprimento(cabeca, tamanhoArquivo, bom, dicas);
  return dicas;
}

std::vector<Dica> DicasDoCaminho(const std::string& caminho) {
  std::error_code erro;
  if (!std::filesystem::is_regular_file(caminho, erro)) return {};
  const std::uintmax_t tamanho = std::filesystem::file_size(caminho, erro);
  if (erro) return {};
  std::ifstream arquivo(caminho, std::ios::binary);
  if (!arquivo) return {};
  std::string inicio(
      static_cast<std::size_t>(std::min<std::uintmax_t>(tamanho, TamanhoInicioDicas)), '\0');
  arquivo.read(inicio.data(), static_cast<std::streamsize>(inicio.size()));
  inicio.resize(static_cast<std::size_t>(arquivo.gcount()));
  return DicasDoArquivo(inicio, tamanho);
}

}  // namespace rolval
