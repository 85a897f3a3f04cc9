#include "achados/Contagem.h"

#include <algorithm>

namespace rolval {

void ContagemAchados::Anota(const Achado& achado) {
  for (LinhaContagem& c : contas_)
    if (c.codigo == achado.codigo && c.catalogo == achado.catalogo) {
      ++c.achados;
      return;
    }
  // One tally is one file until it is joined to others.
  contas_.push_back({achado.catalogo, achado.codigo, std::string(achado.mensagem), 1, 1});
}

void ContagemAchados::Junta(const ContagemAchados& outra) {
  for (const LinhaContagem& o : outra.contas_) {
    const auto c = std::find_if(contas_.begin(), contas_.end(), [&](const LinhaContagem& l) {
      return l.codigo == o.codigo && l.catalogo == o.catalogo;
    });
    if (c == contas_.end()) {
      contas_.push_back(o);
    } else {
      c->achados += o.achados;
      c->arquivos += o.arquivos;
    }
  }
}

std::vector<LinhaContagem> ContagemAchados::Linhas() const {
  std::vector<LinhaContagem> linhas = contas_;
  std::stable_sort(linhas.begin(), linhas.end(),
                   [](const LinhaContagem& a, const LinhaContagem& b) {
                     if (a.achados != b.achados) return a.achados > b.achados;
                     if (a.arquivos != b.arquivos) return a.arquivos > b.arquivos;
                     if (a.catalogo != b.catalogo) return a.catalogo == 'M';
                     return a.codigo < b.codigo;
                   });
  return linhas;
}

}  // namespace rolval
