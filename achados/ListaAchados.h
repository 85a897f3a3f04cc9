#pragma once
// The findings of one run as a face keeps them, told by the run as it writes them: compact (64
// bytes a finding, 24 more each time the next finding names another return's header line, and
// each distinct text once), so that a run of a million findings stays usable. Each finding knows
// the lines of the report view its report line takes (a break at every CR LF, lone CR and LF), for
// the views that mark it.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "run/RegistroErros.h"

namespace rolval {

// The lines of the report view a finding's report line (without its line end) takes: one, and
// one more at each lone CR, CR LF or LF inside it.
std::int32_t LinhasNaVisao(std::string_view linhaRelatorio);

class ListaAchados : public OuvinteAchados {
 public:
  void Anota(const Achado& achado) override;

  std::size_t Tamanho() const { return achados_.size(); }
  // Finding `i` (in the report's order); its views point into the list and stay valid while it
  // lives. Its report line (`linhaRelatorio`) is not kept.
  Achado Le(std::size_t i) const;
  // The first and last line of the report view that finding `i` takes (0-based).
  std::int32_t PrimeiraLinhaNaVisao(std::size_t i) const;
  std::int32_t UltimaLinhaNaVisao(std::size_t i) const;
  // The finding whose report line takes line `linhaVisao` of the view; -1 when none does.
  std::int64_t AchadoDaLinhaNaVisao(std::int32_t linhaVisao) const;

  // The distinct texts of the findings, each once, by number; and the numbers of finding `i`'s
  // texts: for a face that hands the findings on packed.
  std::size_t NumeroDeTextos() const { return textos_.size(); }
  std::string_view TextoDeNumero(std::size_t n) const { return *textos_[n]; }
  struct NumerosDosTextos {
    std::uint32_t inscricao, periodo, mensagem, encontrado, tipoRegistro;
  };
  NumerosDosTextos TextosDoAchado(std::size_t i) const {
    const Guardado& g = achados_[i];
    return {g.inscricao, g.periodo, g.mensagem, g.encontrado, g.tipoRegistro};
  }

  std::int64_t Avisos() const { return avisos_; }
  std::int64_t Erros() const { return static_cast<std::int64_t>(achados_.size()) - avisos_; }

 private:
  struct Guardado {
    const CampoRegistro* campo;
    std::int64_t deslocamento;
    std::int32_t linha, inicio, fim;
    std::int32_t linhaVisao;  // where its report line begins in the view
    std::uint32_t inscricao, periodo, mensagem, encontrado, tipoRegistro;  // texts, by number
    std::uint32_t valores;  // in valores_; Nenhum when it has neither
    std::uint16_t codigo;
    char catalogo;
    std::uint8_t marcas;  // TemDeclarado, TemCalculado
    std::int16_t ocorrencia;
  };
  static_assert(sizeof(Guardado) <= 64);
  static constexpr std::uint32_t Nenhum = UINT32_MAX;
  static constexpr std::uint8_t TemDeclarado = 1, TemCalculado = 2;

  std::uint32_t Guarda(std::string_view texto);
  std::string_view Texto(std::uint32_t n) const { return *textos_[n]; }

  // Texts looked up by view: a text already kept costs no copy.
  struct HashTexto {
    using is_transparent = void;
    std::size_t operator()(std::string_view t) const { return std::hash<std::string_view>{}(t); }
  };

  std::vector<Guardado> achados_;
  std::unordered_map<std::string, std::uint32_t, HashTexto, std::equal_to<>>
      numeros_;                             // each distinct text once
  std::vector<const std::string*> textos_;  // the same, by number
  std::vector<std::pair<double, double>> valores_;
  // The header lines the findings name, each from the finding that first names it until the next
  // entry: a return's findings come together, so there are a few entries a return, not one a
  // finding.
  struct TrechoCabecalho {
    std::size_t primeiro;  // the first finding of the run of findings
    std::int32_t linha;
    std::int64_t deslocamento;
  };
  std::vector<TrechoCabecalho> cabecalhos_;
  std::int32_t proximaLinhaVisao_ = -1;  // past the last finding's lines; -1 before the first
  std::int64_t avisos_ = 0;
};

}  // namespace rolval
