#include "achados/ListaAchados.h"

#include <algorithm>
#include <iterator>

#include "run/Relatorio.h"

namespace rolval {

// A CR at the line's end is a lone one: the line end follows it.
std::int32_t LinhasNaVisao(std::string_view linha) {
  std::int32_t n = 1;
  for (std::size_t i = 0; i < linha.size(); ++i) {
    if (linha[i] == '\r') {
      ++n;
      if (i + 1 < linha.size() && linha[i + 1] == '\n') ++i;
    } else if (linha[i] == '\n') {
      ++n;
    }
  }
  return n;
}

std::uint32_t ListaAchados::Guarda(std::string_view texto) {
  if (const auto achado = numeros_.find(texto); achado != numeros_.end()) return achado->second;
  const auto onde =
      numeros_.emplace(std::string(texto), static_cast<std::uint32_t>(textos_.size())).first;
  textos_.push_back(&onde->first);
  return onde->second;
}

void ListaAchados::Anota(const Achado& a) {
  if (proximaLinhaVisao_ < 0) proximaLinhaVisao_ = LinhasAntesDosAchados;
  Guardado g{};
  g.campo = a.campo;
  g.ocorrencia = a.ocorrencia;
  g.deslocamento = a.deslocamento;
  g.linha = a.linha;
  g.inicio = a.inicio;
  g.fim = a.fim;
  g.linhaVisao = proximaLinhaVisao_;
  proximaLinhaVisao_ += LinhasNaVisao(a.linhaRelatorio);
  g.inscricao = Guarda(a.inscricao);
  g.periodo = Guarda(a.periodo);
  g.mensagem = Guarda(a.mensagem);
  g.encontrado = Guarda(a.encontrado);
  g.tipoRegistro = Guarda(a.tipoRegistro);
  g.valores = Nenhum;
  if (a.declarado || a.calculado) {
    g.valores = static_cast<std::uint32_t>(valores_.size());
    valores_.emplace_back(a.declarado.value_or(0), a.calculado.value_or(0));
    g.marcas = static_cast<std::uint8_t>((a.declarado ? TemDeclarado : 0) |
                                         (a.calculado ? TemCalculado : 0));
  }
  g.codigo = static_cast<std::uint16_t>(a.codigo);
  g.catalogo = a.catalogo;
  if (cabecalhos_.empty() || cabecalhos_.back().linha != a.linhaCabecalho ||
      cabecalhos_.back().deslocamento != a.deslocamentoCabecalho)
    cabecalhos_.push_back({achados_.size(), a.linhaCabecalho, a.deslocamentoCabecalho});
  achados_.push_back(g);
  if (a.Aviso()) ++avisos_;
}

Achado ListaAchados::Le(std::size_t i) const {
  const Guardado& g = achados_[i];
  Achado a{g.catalogo, g.codigo, Texto(g.inscricao), Texto(g.periodo), g.linha,
           g.inicio,   g.fim,    Texto(g.mensagem)};
  a.tipoRegistro = Texto(g.tipoRegistro);
  a.campo = g.campo;
  a.ocorrencia = g.ocorrencia;
  a.encontrado = Texto(g.encontrado);
  a.deslocamento = g.deslocamento;
  const auto trecho =
      std::upper_bound(cabecalhos_.begin(), cabecalhos_.end(), i,
                       [](std::size_t n, const TrechoCabecalho& t) { return n < t.primeiro; });
  a.linhaCabecalho = std::prev(trecho)->linha;
  a.deslocamentoCabecalho = std::prev(trecho)->deslocamento;
  if (g.valores != Nenhum) {
    if (g.marcas & TemDeclarado) a.declarado = valores_[g.valores].first;
    if (g.marcas & TemCalculado) a.calculado = valores_[g.valores].second;
  }
  return a;
}

std::int32_t ListaAchados::PrimeiraLinhaNaVisao(std::size_t i) const {
  return achados_[i].linhaVisao;
}

std::int32_t ListaAchados::UltimaLinhaNaVisao(std::size_t i) const {
  return (i + 1 < achados_.size() ? achados_[i + 1].linhaVisao : proximaLinhaVisao_) - 1;
}

std::int64_t ListaAchados::AchadoDaLinhaNaVisao(std::int32_t linhaVisao) const {
  // In the report's order: the last finding that begins at or before the line.
  const auto depois =
      std::upper_bound(achados_.begin(), achados_.end(), linhaVisao,
                       [](std::int32_t l, const Guardado& g) { return l < g.linhaVisao; });
  if (depois == achados_.begin()) return -1;
  const auto i = static_cast<std::size_t>(depois - achados_.begin()) - 1;
  return linhaVisao <= UltimaLinhaNaVisao(i) ? static_cast<std::int64_t>(i) : -1;
}

}  // namespace rolval
