#pragma once
// A file layer for fuzzing: the input is an anonymous in-memory file (a real descriptor, so that
// the driver can look it up and measure it), and the work files and the report live in memory.
// One iteration touches no disk.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

#include "run/Arquivos.h"

namespace rolval::fuzz {

class SistemaMemoria : public SistemaArquivos {
 public:
  SistemaMemoria();
  ~SistemaMemoria() override;
  SistemaMemoria(const SistemaMemoria&) = delete;
  SistemaMemoria& operator=(const SistemaMemoria&) = delete;

  // Replaces the input's bytes and forgets every file written; returns the input's path.
  const std::string& NovaEntrada(const std::uint8_t* dados, std::size_t tamanho);
  // The work folder: files opened under it are kept in memory. No file can exist there on disk.
  const std::filesystem::path& Pasta() const { return pasta_; }
  // A file written under the work folder, as written so far; empty when there is none.
  std::string_view Conteudo(const char* nome) const;
  // The most bytes one read of the input hands back (0: as many as asked), so that lines and line
  // ends fall across the reader's refills.
  void DefineFatia(std::size_t fatia) { fatia_ = fatia; }

  int Abre(const char* caminho, int flags, mode_t modo) override;
  ssize_t Le(int fd, void* destino, std::size_t n) override;
  ssize_t Escreve(int fd, const void* origem, std::size_t n) override;
  int Fecha(int fd) override;

 private:
  struct Aberto {
    std::string* dados;
    std::size_t posicao;
    bool escrita;
  };
  int memfd_ = -1;
  std::string caminhoEntrada_;
  std::filesystem::path pasta_;
  std::string prefixo_;  // the work folder with its trailing slash
  std::map<std::string, std::string, std::less<>> arquivos_;
  std::unordered_map<int, Aberto> abertos_;
  int proximo_ = 1 << 24;  // descriptor numbers no real file gets
  std::size_t fatia_ = 0;
};

}  // namespace rolval::fuzz
