#include "tools/GeradorMensal.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "checks/Datas.h"
#include "checks/Numeros.h"
#include "layouts/monthly/CamposMensal.h"
#include "tools/CamposFixos.h"
#include "tools/Sorteio.h"

namespace rolval::amostras {

namespace {

namespace F = campo_cabecalho;

// A header amount written at its field's columns.
void PoeCampo(std::string& registro, const CampoRegistro& campo, std::int64_t valor) {
  PoeNumero(registro, campo.coluna, campo.tamanho, valor);
}

// The annex types, in the order of the header's declared line counts, which is also the order in
// which a return's annex records are written.
enum Tipo : std::size_t {
  X01,
  X02,
  X03,
  X03A,
  X04,
  X05,
  X05A,
  X05B,
  X06,
  X07,
  X07A,
  X07B,
  X08,
  X09,
  X10,
  X11,
  X12,
  QtdTipos
};

// What the generator needs of an annex type: its record type (columns 40-43), the width of an
// item (of the single body for X07) and the most items a record holds, all from the annex's
// field table, and the column, in item 1, of the amount the header's checks sum (0: none).
struct TipoAnexo {
  std::string registro;
  int largura;
  int maximo;
  int colunaSoma;
};

// The field of each annex type's item whose amount the header's checks sum, in the order of the
// tables ("": none).
constexpr std::array<std::string_view, QtdTipos> CamposSoma = {"Valor do total do anexo X01",
                                                               "Valor do total do anexo X02",
                                                               "Valor do total do anexo X03",
                                                               "",
                                                               "Valor Q",
                                                               "Valor do total do anexo X05",
                                                               "Valor do CFOP",
                                                               "Valor do CFOP",
                                                               "Valor do total do anexo X06",
                                                               "",
                                                               "Valor do total do anexo X07A",
                                                               "Valor do total do anexo X07B",
                                                               "Valor do total 1 do anexo X08",
                                                               "Valor do total 1 do anexo X09",
                                                               "Valor do total 1 do anexo X10",
                                                               "Valor do total 1 do anexo X11",
                                                               "Valor do total 1 do anexo X12"};

std::array<TipoAnexo, QtdTipos> LeTiposAnexo() {
  const std::span<const TabelaRegistro> tabelas = TabelasAnexosMensais();
  if (tabelas.size() != QtdTipos) throw std::logic_error("the monthly annex tables changed");
  std::array<TipoAnexo, QtdTipos> tipos{};
  for (std::size_t t = 0; t < QtdTipos; ++t) {
    const TabelaRegistro& tabela = tabelas[t];
    TipoAnexo& tipo = tipos[t];
    tipo.registro = std::string(tabela.tipo);
    tipo.registro.resize(4, ' ');
    // The first field after the item count is the first of an item (or of X07's body).
    const CampoRegistro* item = CampoNaColuna(tabela, CampoQuantidadeItens().Ultima() + 1);
    if (item == nullptr) throw std::logic_error("an annex table without items");
    if (item->vezes > 0) {
      tipo.largura = item->largura;
      tipo.maximo = item->vezes;
    } else {
      const CampoRegistro& enchimento = tabela.campos.back();
      tipo.largura = enchimento.coluna - item->coluna;
      tipo.maximo = 1;
    }
    tipo.colunaSoma = CamposSoma[t].empty() ? 0 : CampoChamado(tabela, CamposSoma[t]).coluna;
  }
  return tipos;
}

// The annex types' names as the options and the help give them ("X01" ... "X12").
const std::array<std::string_view, QtdTipos>& Nomes() {
  static const std::array<std::string_view, QtdTipos> nomes = [] {
    std::array<std::string_view, QtdTipos> n{};
    for (std::size_t t = 0; t < QtdTipos; ++t) n[t] = TabelasAnexosMensais()[t].tipo;
    return n;
  }();
  return nomes;
}

const std::array<TipoAnexo, QtdTipos>& Tipos() {
  static const std::array<TipoAnexo, QtdTipos> tipos = LeTiposAnexo();
  return tipos;
}

constexpr std::array<DescricaoEstrago, 7> Estragos = {{
    {"soma-XNN",
     "adds 1 to the summed amount of the first XNN item; the header keeps its\n"
     "                total (XNN: X01 X02 X03 X04 X05 X05A X05B X06 X07A X07B X08 X09 X10 X11 "
     "X12)"},
    {"linhas-XNN", "the header declares one XNN line more than the return holds"},
    {"digito", "a wrong check digit in the return's registration number (in all its records)"},
    {"numerico", "a letter in the header's number at columns 600-614"},
    {"sequencia", "the sequence number of the return's last record is one too high"},
    {"vencimento", "the due date of the first X08 item falls in the month after the return"},
    {"cabecalho", "the registration of the return's first annex record differs from its header's"},
}};

// CFOPs the generator uses: none is zero or a round hundred.
constexpr std::array<int, 24> Cfops = {101, 102, 111, 116, 124, 151, 152, 201, 202, 251, 301, 352,
                                       403, 405, 501, 551, 556, 602, 653, 901, 910, 915, 949, 999};

enum class TipoEstrago { Soma, Linhas, Digito, Numerico, Sequencia, Vencimento, Cabecalho };

struct EstragoMensal {
  TipoEstrago tipo;
  Tipo anexo = X01;
  std::int32_t retorno = 1;
};

Tipo ProcuraTipo(std::string_view nome, std::string_view origem) {
  return static_cast<Tipo>(ProcuraNome(Nomes(), nome, origem));
}

// The annex types asked for. A detail annex brings the annex it details (X03A: X03; X05A and
// X05B: X05; X07A and X07B: X07), as a file without it would not be valid.
std::array<bool, QtdTipos> LeAnexos(std::string_view texto) {
  std::array<bool, QtdTipos> pedidos = LeListaDeNomes(texto, Nomes());
  pedidos[X03] = pedidos[X03] || pedidos[X03A];
  pedidos[X05] = pedidos[X05] || pedidos[X05A] || pedidos[X05B];
  pedidos[X07] = pedidos[X07] || pedidos[X07A] || pedidos[X07B];
  return pedidos;
}

std::vector<EstragoMensal> LeEstragos(const OpcoesAmostra& opcoes,
                                      const std::array<bool, QtdTipos>& pedidos) {
  std::vector<EstragoMensal> estragos;
  const bool algumAnexo = std::find(pedidos.begin(), pedidos.end(), true) != pedidos.end();
  for (const Estrago& e : opcoes.estragos) {
    EstragoMensal m{TipoEstrago::Digito, X01, e.retorno};
    const std::string_view tipo = e.tipo;
    auto exige = [&](bool condicao, std::string_view falta) {
      if (!condicao)
        throw std::invalid_argument("spoil '" + e.tipo + "' needs " + std::string(falta));
    };
    if (tipo.starts_with("soma-")) {
      m.tipo = TipoEstrago::Soma;
      m.anexo = ProcuraTipo(tipo.substr(5), tipo);
      exige(Tipos()[m.anexo].colunaSoma > 0, "an annex with a summed amount");
      exige(pedidos[m.anexo], "that annex in the file");
    } else if (tipo.starts_with("linhas-")) {
      m.tipo = TipoEstrago::Linhas;
      m.anexo = ProcuraTipo(tipo.substr(7), tipo);
    } else if (tipo == "digito") {
      m.tipo = TipoEstrago::Digito;
    } else if (tipo == "numerico") {
      m.tipo = TipoEstrago::Numerico;
    } else if (tipo == "sequencia") {
      m.tipo = TipoEstrago::Sequencia;
    } else if (tipo == "vencimento") {
      m.tipo = TipoEstrago::Vencimento;
      exige(pedidos[X08], "annex X08 in the file");
    } else if (tipo == "cabecalho") {
      m.tipo = TipoEstrago::Cabecalho;
      exige(algumAnexo, "an annex in the file");
    } else {
      throw std::invalid_argument("unknown spoil '" + e.tipo + "' for layout " + opcoes.layout);
    }
    estragos.push_back(m);
  }
  return estragos;
}

// One CFOP of the X05 items with its summed detail amounts (columns 88 and 101).
struct CfopX05 {
  int cfop;
  std::int64_t valor1;
  std::int64_t valor2;
};

// A month counted from year 0, for moving periods back and forth.
constexpr int MesCorrido(int ano, int mes) { return ano * 12 + (mes - 1); }

class GeradorMensal {
 public:
  GeradorMensal(const OpcoesAmostra& opcoes, std::ostream& saida)
      : opcoes_(opcoes),
        saida_(saida),
        sorteio_(opcoes.semente),
        pedidos_(LeAnexos(opcoes.anexos)),
        estragos_(LeEstragos(opcoes, pedidos_)) {}

  ResumoAmostra Gera() {
    ResumoAmostra resumo;
    for (std::int32_t r = 1; r <= opcoes_.retornos; ++r) {
      SorteiaIdentificacao();
      GeraItens();
      MontaRegistros();
      for (const EstragoMensal& e : estragos_)
        if (e.retorno == r) Estraga(e);
      EscreveRegistros(saida_, registros_, usados_);
      resumo.registros += static_cast<std::int64_t>(usados_);
      ++resumo.retornos;
    }
    return resumo;
  }

 private:
  std::int64_t Valor() { return sorteio_.Entre(0, 9'999'999); }
  std::int64_t Positivo() { return sorteio_.Entre(1, 9'999'999); }
  int Quantidade() {
    return opcoes_.itens > 0 ? opcoes_.itens : static_cast<int>(sorteio_.Entre(1, 3));
  }
  int Cfop() { return Cfops[static_cast<std::size_t>(sorteio_.Entre(0, Cfops.size() - 1))]; }

  // A registration with its check digit; zero too when `podeZero` (another taxpayer's number
  // may be left zero in some annexes).
  std::string Inscricao(bool podeZero) {
    if (podeZero && sorteio_.Entre(0, 3) == 0) return "0000000000";
    return InscricaoComDigito(sorteio_.Entre(1, 999'999'999));
  }

  // Registration and period of the next return; the period inside the version's window.
  void SorteiaIdentificacao() {
    if (opcoes_.layout == "04") {
      const int m = MesCorrido(1998, 10) + static_cast<int>(sorteio_.Entre(0, 22));
      ano_ = m / 12;
      mes_ = m % 12 + 1;
    } else {
      ano_ = static_cast<int>(sorteio_.Entre(2001, 2015));
      mes_ = static_cast<int>(sorteio_.Entre(1, 12));
    }
    diaFim_ = DiasDoMes(mes_, ano_);
    mesAnoRef_.clear();
    AcrescentaDigitos(mesAnoRef_, 2, mes_);
    AcrescentaDigitos(mesAnoRef_, 4, ano_);
    inscricao_ = Inscricao(false);
  }

  // A date DDMMAAAA of the month `m` months after the return's (before it when negative).
  void AcrescentaData(std::string& item, int dia, int deslocamento) {
    const int m = MesCorrido(ano_, mes_) + deslocamento;
    AcrescentaDigitos(item, 2, dia);
    AcrescentaDigitos(item, 2, m % 12 + 1);
    AcrescentaDigitos(item, 4, m / 12);
  }

  void AcrescentaDias(std::string& item) {
    const auto primeiro = sorteio_.Entre(1, diaFim_);
    AcrescentaDigitos(item, 2, primeiro);
    AcrescentaDigitos(item, 2, sorteio_.Entre(primeiro, diaFim_));
  }

  std::string& Itens(Tipo t, int quantidade) {
    quantidade_[t] += quantidade;
    return itens_[t];
  }

  void GeraItens() {
    ZeraItens();
    const bool comX07 = pedidos_[X07];

    // The annexes of the taxpayer's own tax.
    if (pedidos_[X01]) GeraCfopValores(X01, totX01_);
    if (pedidos_[X02]) GeraInscricaoValor(X02, totX02_);
    if (pedidos_[X03]) GeraX03();
    if (pedidos_[X03A]) GeraX03A();
    if (pedidos_[X04]) GeraX04();
    if (pedidos_[X05]) GeraCfopValores(X05, totX05_);
    if (pedidos_[X05A]) GeraDetalheCfop(X05A, &CfopX05::valor1);
    if (pedidos_[X05B]) GeraDetalheCfop(X05B, &CfopX05::valor2);
    if (pedidos_[X06]) GeraInscricaoValor(X06, totX06_);

    // The substitution tax: the X07 summary, the X08 to X12 items and the balance X10 pays.
    GeraResumoX07(comX07);
    if (pedidos_[X08]) GeraX08(comX07);
    if (pedidos_[X09]) GeraX09(comX07);
    if (pedidos_[X11]) GeraPares(X11, totX11a_, totX11b_);
    if (pedidos_[X12]) GeraPares(X12, totX12a_, totX12b_);
    GeraSaldoSubstituicao(comX07);
    if (pedidos_[X10]) GeraX10();
    if (comX07) quantidade_[X07] = 1;
  }

  // Every annex empty and every total 0, before the items of a return are drawn.
  void ZeraItens() {
    for (std::size_t t = 0; t < QtdTipos; ++t) {
      itens_[t].clear();
      quantidade_[t] = 0;
    }
    cfops_.clear();
    codigosX03_.clear();
    totX01_ = totX02_ = totX03_ = totX04_ = totX05_ = totX06_ = 0;
    totX07A_ = totX07B_ = totX08a_ = totX08b_ = totX09a_ = totX09b_ = 0;
    totX10a_ = totX10b_ = totX11a_ = totX11b_ = totX12a_ = totX12b_ = 0;
  }

  // X03: consecutive codes from a random first one, each with an amount; X03A draws from them.
  void GeraX03() {
    const int n = Quantidade();
    std::string& s = Itens(X03, n);
    const auto primeiro = static_cast<int>(sorteio_.Entre(1, 1000 - n));
    for (int k = 0; k < n; ++k) {
      codigosX03_.push_back(primeiro + k);
      const std::int64_t valor = Valor();
      totX03_ += valor;
      AcrescentaDigitos(s, 3, primeiro + k);
      AcrescentaDigitos(s, 13, valor);
    }
  }

  void GeraX03A() {
    const int n = Quantidade();
    std::string& s = Itens(X03A, n);
    for (int k = 0; k < n; ++k) {
      AcrescentaDigitos(s, 3,
                        codigosX03_[static_cast<std::size_t>(
                            sorteio_.Entre(0, static_cast<std::int64_t>(codigosX03_.size()) - 1))]);
      s.push_back("ABS"[sorteio_.Entre(0, 2)]);
      AcrescentaDigitos(s, 9, sorteio_.Entre(1, 999'999'999));
      AcrescentaDigitos(s, 2, sorteio_.Entre(1, 99));
      s += Inscricao(true);
      AcrescentaDigitos(s, 13, Valor());
    }
  }

  void GeraX04() {
    const int n = Quantidade();
    std::string& s = Itens(X04, n);
    for (int k = 0; k < n; ++k) {
      // A period before the return's, paid no later than the return's month.
      const int antes = static_cast<int>(sorteio_.Entre(1, 12));
      const int m = MesCorrido(ano_, mes_) - antes;
      const int dias = DiasDoMes(m % 12 + 1, m / 12);
      const auto primeiro = sorteio_.Entre(1, dias);
      AcrescentaDigitos(s, 2, primeiro);
      AcrescentaDigitos(s, 2, sorteio_.Entre(primeiro, dias));
      AcrescentaDigitos(s, 2, m % 12 + 1);
      AcrescentaDigitos(s, 4, m / 12);
      AcrescentaData(s, static_cast<int>(sorteio_.Entre(1, 28)),
                     -static_cast<int>(sorteio_.Entre(0, antes)));
      const std::int64_t p = Valor();
      const std::int64_t q = p + Valor();
      totX04_ += q - p;
      AcrescentaDigitos(s, 13, p);
      AcrescentaDigitos(s, 13, q);
    }
  }

  // The X07 summary: group 1 from X07A (with an increase or not), group 2 from X07B.
  void GeraResumoX07(bool comX07) {
    valor1_ = total1_ = valor2_ = total2_ = 0;
    if (comX07) {
      if (pedidos_[X07A]) GeraCfopX07(X07A, totX07A_);
      if (pedidos_[X07B]) GeraCfopX07(X07B, totX07B_);
      valor1_ = totX07A_;
      acrescimo1_ = sorteio_.Moeda() ? Valor() : 0;
      total1_ = valor1_ + acrescimo1_;
      valor2_ = totX07B_;
    }
  }

  // X08 and X09: without X07 there is no substitution tax, so their second amounts are 0.
  void GeraX08(bool comX07) {
    const int n = Quantidade();
    std::string& s = Itens(X08, n);
    for (int k = 0; k < n; ++k) {
      AcrescentaDias(s);
      AcrescentaData(s, static_cast<int>(sorteio_.Entre(1, 28)), 0);
      const std::int64_t a = Valor();
      const std::int64_t b = comX07 ? Valor() : 0;
      totX08a_ += a;
      totX08b_ += b;
      AcrescentaDigitos(s, 13, a);
      AcrescentaDigitos(s, 13, b);
      s += Inscricao(true);
    }
  }

  void GeraX09(bool comX07) {
    const int n = Quantidade();
    std::string& s = Itens(X09, n);
    for (int k = 0; k < n; ++k) {
      AcrescentaDigitos(s, 2, sorteio_.Entre(1, diaFim_));
      const std::int64_t a = Valor();
      const std::int64_t b = comX07 ? Valor() : 0;
      totX09a_ += a;
      totX09b_ += b;
      AcrescentaDigitos(s, 13, a);
      AcrescentaDigitos(s, 13, b);
      s += Inscricao(true);
    }
  }

  void GeraSaldoSubstituicao(bool comX07) {
    // Header amounts added to the X08 totals: without X07 there is no substitution tax at all.
    v804_ = Valor();
    v819_ = comX07 ? Valor() : 0;

    // The substitution balance: with X10 it is made positive and paid by the X10 items; without,
    // it is brought to zero or below by the header amount 819.
    saldoSubstituicao_ = 0;
    if (comX07) {
      const std::int64_t base = totX09b_ + total1_ + v819_ + totX08b_;
      if (pedidos_[X10]) {
        acrescimo2_ = std::max<std::int64_t>(0, Positivo() + base - valor2_);
      } else {
        acrescimo2_ = sorteio_.Moeda() ? Valor() : 0;
      }
      total2_ = valor2_ + acrescimo2_;
      saldoSubstituicao_ = total2_ - base;
      if (saldoSubstituicao_ > 0 && !pedidos_[X10]) {
        const std::int64_t excesso = saldoSubstituicao_ + sorteio_.Entre(0, 1000);
        v819_ += excesso;
        saldoSubstituicao_ -= excesso;
      }
    }
  }

  // X10: the items pay the positive substitution balance between them.
  void GeraX10() {
    const int n = Quantidade();
    std::string& s = Itens(X10, n);
    const std::int64_t aPagar = std::max<std::int64_t>(saldoSubstituicao_, 0);
    for (int k = 0; k < n; ++k) {
      AcrescentaDias(s);
      AcrescentaData(s, static_cast<int>(sorteio_.Entre(1, 28)),
                     static_cast<int>(sorteio_.Entre(0, 3)));
      const std::int64_t a = Valor();
      const std::int64_t b = aPagar / n + (k == n - 1 ? aPagar % n : 0);
      totX10a_ += a;
      totX10b_ += b;
      AcrescentaDigitos(s, 13, a);
      AcrescentaDigitos(s, 13, b);
      s += Inscricao(true);
    }
  }

  // X01 and X05: CFOP and five amounts; X05 keeps the detail amounts of each CFOP.
  void GeraCfopValores(Tipo t, std::int64_t& total) {
    const int n = Quantidade();
    std::string& s = Itens(t, n);
    for (int k = 0; k < n; ++k) {
      const int cfop = Cfop();
      const std::int64_t a75 = Valor();
      std::int64_t a88 = Valor(), a101 = Valor();
      if (t == X05) {
        // Detail amounts only where the detail annex is written, so that every CFOP reconciles.
        a88 = pedidos_[X05A] ? Positivo() : 0;
        a101 = pedidos_[X05B] ? Positivo() : 0;
        auto entrada = std::find_if(cfops_.begin(), cfops_.end(),
                                    [cfop](const CfopX05& c) { return c.cfop == cfop; });
        if (entrada == cfops_.end()) {
          cfops_.push_back({cfop, a88, a101});
        } else {
          entrada->valor1 += a88;
          entrada->valor2 += a101;
        }
      }
      total += a75;
      AcrescentaDigitos(s, 3, cfop);
      AcrescentaDigitos(s, 13, Valor());
      AcrescentaDigitos(s, 13, Valor());
      AcrescentaDigitos(s, 13, a75);
      AcrescentaDigitos(s, 13, a88);
      AcrescentaDigitos(s, 13, a101);
    }
  }

  // X05A or X05B: each X05 CFOP amount split over one or two items of the same CFOP.
  void GeraDetalheCfop(Tipo t, std::int64_t CfopX05::*valor) {
    for (const CfopX05& entrada : cfops_) {
      const std::int64_t total = entrada.*valor;
      if (total <= 0) continue;
      const std::int64_t primeiro =
          (total >= 2 && sorteio_.Moeda()) ? sorteio_.Entre(1, total - 1) : total;
      for (const std::int64_t parte : {primeiro, total - primeiro}) {
        if (parte == 0) continue;
        std::string& s = Itens(t, 1);
        AcrescentaDigitos(s, 3, entrada.cfop);
        AcrescentaDigitos(s, 3, sorteio_.Entre(1, 999));
        AcrescentaDigitos(s, 13, parte);
      }
    }
  }

  // X02 and X06: a registration, a number and an amount.
  void GeraInscricaoValor(Tipo t, std::int64_t& total) {
    const int n = Quantidade();
    std::string& s = Itens(t, n);
    for (int k = 0; k < n; ++k) {
      const std::int64_t valor = Valor();
      total += valor;
      s += Inscricao(false);
      AcrescentaDigitos(s, 3, sorteio_.Entre(1, 999));
      AcrescentaDigitos(s, 13, valor);
    }
  }

  // X07A and X07B: CFOP and two amounts, the second summed.
  void GeraCfopX07(Tipo t, std::int64_t& total) {
    const int n = Quantidade();
    std::string& s = Itens(t, n);
    for (int k = 0; k < n; ++k) {
      const std::int64_t valor = Valor();
      total += valor;
      AcrescentaDigitos(s, 3, Cfop());
      AcrescentaDigitos(s, 13, Valor());
      AcrescentaDigitos(s, 13, valor);
    }
  }

  // X11 (two-character code) and X12 (three-digit number): a key and two summed amounts.
  void GeraPares(Tipo t, std::int64_t& totalA, std::int64_t& totalB) {
    const int n = Quantidade();
    std::string& s = Itens(t, n);
    for (int k = 0; k < n; ++k) {
      const std::int64_t a = Valor();
      const std::int64_t b = Valor();
      totalA += a;
      totalB += b;
      if (t == X11)
        AcrescentaDigitos(s, 2, sorteio_.Entre(1, 99));
      else
        AcrescentaDigitos(s, 3, sorteio_.Entre(1, 999));
      AcrescentaDigitos(s, 13, a);
      AcrescentaDigitos(s, 13, b);
    }
  }

  std::string& NovoRegistro(std::string_view tipo) {
    if (usados_ == registros_.size()) registros_.emplace_back();
    std::string& r = registros_[usados_++];
    if (usados_ > 9999) throw std::invalid_argument("a return would need more than 9999 records");
    IniciaRegistroMensal(r, opcoes_.layout, mesAnoRef_, inscricao_, static_cast<int>(usados_),
                         tipo);
    return r;
  }

  void MontaRegistros() {
    usados_ = 0;
    MontaCabecalho(NovoRegistro("ABC "));
    for (std::size_t t = 0; t < QtdTipos; ++t) {
      const TipoAnexo& tipo = Tipos()[t];
      if (t == X07) {
        if (quantidade_[X07] > 0) MontaX07(NovoRegistro(tipo.registro));
        continue;
      }
      for (int inicio = 0; inicio < quantidade_[t]; inicio += tipo.maximo) {
        const int n = std::min(tipo.maximo, quantidade_[t] - inicio);
        std::string& r = NovoRegistro(tipo.registro);
        PoeNumero(r, 44, 2, n);
        const auto largura = static_cast<std::size_t>(tipo.largura);
        r.replace(45, largura * static_cast<std::size_t>(n), itens_[t],
                  largura * static_cast<std::size_t>(inicio),
                  largura * static_cast<std::size_t>(n));
      }
    }
  }

  void MontaX07(std::string& r) {
    PoeNumero(r, 44, 2, 1);
    PoeNumero(r, 46, 13, valor1_);
    PoeNumero(r, 59, 13, acrescimo1_);
    if (acrescimo1_ > 0) PoeTexto(r, 72, "OUTROS VALORES DA SUBSTITUICAO - ENTRADAS");
    PoeNumero(r, 132, 13, total1_);
    PoeNumero(r, 145, 13, valor2_);
    PoeNumero(r, 158, 13, acrescimo2_);
    if (acrescimo2_ > 0) PoeTexto(r, 171, "OUTROS VALORES DA SUBSTITUICAO - SAIDAS");
    PoeNumero(r, 231, 13, total2_);
  }

  void MontaCabecalho(std::string& r) {
    // Credits: the annex totals and free amounts, with their sum at 194.
    const std::int64_t totalX01 = pedidos_[X01] ? totX01_ : Valor();
    const std::int64_t v59 = Valor();
    const std::int64_t v119 = sorteio_.Moeda() ? Valor() : 0;
    const std::int64_t totalCreditos = totalX01 + v59 + totX02_ + totX03_ + totX04_ + v119;
    PoeCampo(r, F::TotalX01, totalX01);
    PoeNumero(r, 59, 15, v59);
    PoeCampo(r, F::TotalX02, totX02_);
    PoeCampo(r, F::TotalX03, totX03_);
    PoeCampo(r, F::TotalX04, totX04_);
    PoeNumero(r, 119, 15, v119);
    if (v119 > 0) PoeTexto(r, 134, "OUTROS CREDITOS");
    PoeCampo(r, F::TotalCreditos, totalCreditos);

    // Debits, with their sum at 359.
    const std::int64_t totalX05 = pedidos_[X05] ? totX05_ : Valor();
    const std::int64_t v224 = Valor(), v239 = Valor(), v269 = Valor();
    const std::int64_t v284 = sorteio_.Moeda() ? Valor() : 0;
    const std::int64_t totalDebitos = totalX05 + v224 + v239 + totX06_ + v269 + v284;
    PoeCampo(r, F::TotalX05, totalX05);
    PoeNumero(r, 224, 15, v224);
    PoeNumero(r, 239, 15, v239);
    PoeCampo(r, F::TotalX06, totX06_);
    PoeNumero(r, 269, 15, v269);
    PoeNumero(r, 284, 15, v284);
    if (v284 > 0) PoeTexto(r, 299, "OUTROS DEBITOS");
    PoeCampo(r, F::TotalDebitos, totalDebitos);
    r[373] = pedidos_[X07] ? 'S' : 'N';

    // The taxpayer's own balance decides 480 (to pay) or 555 (carried over).
    const std::int64_t deducaoProprioA = Valor(), deducaoProprioB = Valor(),
                       acrescimoProprio = Valor();
    const std::int64_t totX08a = v804_ + totX08a_;
    const std::int64_t totX08b = v819_ + totX08b_;
    const std::int64_t saldoProprio = totalDebitos - totX09a_ - totalCreditos - totX08a -
                                      deducaoProprioA - deducaoProprioB + acrescimoProprio;
    const std::int64_t proprioARecolher = std::max<std::int64_t>(saldoProprio, 0);
    const std::int64_t credorProprio = saldoProprio < 0 ? -saldoProprio : 0;
    // What is paid through X10 (510) comes out of 480; the rest is 495. The X10 amounts beyond
    // 510 are the header amount 405.
    const std::int64_t proprioPagoX10 =
        pedidos_[X10] ? sorteio_.Entre(0, std::min(proprioARecolher, totX10a_)) : 0;
    const std::int64_t proprioForaX10 = proprioARecolher - proprioPagoX10;
    const std::int64_t deducaoX10 = totX10a_ - proprioPagoX10;
    const std::int64_t v420 = Valor();
    const std::int64_t substituicaoARecolher = std::max<std::int64_t>(saldoSubstituicao_, 0);
    const std::int64_t credorSubstituicao = saldoSubstituicao_ < 0 ? -saldoSubstituicao_ : 0;
    const bool totais = sorteio_.Moeda();
    PoeCampo(r, F::DeducaoProprioA, deducaoProprioA);
    PoeCampo(r, F::DeducaoProprioB, deducaoProprioB);
    PoeCampo(r, F::DeducaoX10, deducaoX10);
    PoeNumero(r, 420, 15, v420);
    PoeCampo(r, F::TotalX08, totX08a + totX08b);
    PoeCampo(r, F::TotalX09, totX09a_ + totX09b_);
    PoeCampo(r, F::SubstituicaoARecolher, substituicaoARecolher);
    PoeCampo(r, F::ProprioARecolher, proprioARecolher);
    PoeCampo(r, F::ProprioForaX10, proprioForaX10);
    PoeCampo(r, F::ProprioPagoX10, proprioPagoX10);
    PoeCampo(r, F::AcrescimoProprio, acrescimoProprio);
    PoeCampo(r, F::CredorSubstituicao, credorSubstituicao);
    PoeCampo(r, F::CredorProprio, credorProprio);
    PoeNumero(r, 570, 15, totais ? deducaoX10 + proprioPagoX10 : 0);
    PoeNumero(r, 585, 15, totais ? v420 + proprioForaX10 : 0);

    // Numbers that are only checked for digits.
    PoeNumero(r, 600, 15, Valor());
    PoeNumero(r, 615, 6, sorteio_.Entre(0, 999'999));
    PoeNumero(r, 621, 15, Valor());
    PoeNumero(r, 636, 7, Valor());
    PoeNumero(r, 643, 15, Valor());
    PoeNumero(r, 658, 15, Valor());

    // X11 and X12 totals with their sums at 763 and 778.
    const std::int64_t v673 = Valor(), v688 = Valor();
    const std::int64_t total1X11 = pedidos_[X11] ? totX11a_ : Valor();
    const std::int64_t total2X11 = pedidos_[X11] ? totX11b_ : Valor();
    const std::int64_t total1X12 = pedidos_[X12] ? totX12a_ : Valor();
    const std::int64_t total2X12 = pedidos_[X12] ? totX12b_ : Valor();
    PoeNumero(r, 673, 15, v673);
    PoeNumero(r, 688, 15, v688);
    PoeCampo(r, F::Total1X11, total1X11);
    PoeCampo(r, F::Total2X11, total2X11);
    PoeCampo(r, F::Total1X12, total1X12);
    PoeCampo(r, F::Total2X12, total2X12);
    PoeNumero(r, 763, 15, v673 + total1X11 + total1X12);
    PoeNumero(r, 778, 15, v688 + total2X11 + total2X12);
    PoeNumero(r, 793, 11, 0);
    PoeNumero(r, 804, 15, v804_);
    PoeNumero(r, 819, 15, v819_);
    r[833] = totais ? 'S' : 'N';
    for (std::size_t t = 0; t < QtdTipos; ++t)
      PoeNumero(r, CampoLinhasDeclaradas(t).coluna, CampoLinhasDeclaradas(t).tamanho,
                quantidade_[t]);
  }

  // The first record of the return with this record type; the spoils that use it were only
  // accepted when the type is in the file.
  std::string& PrimeiroRegistro(std::string_view tipo) {
    for (std::size_t i = 1; i < usados_; ++i)
      if (std::string_view(registros_[i]).substr(39, 4) == tipo) return registros_[i];
    throw std::logic_error("the return holds no record of the spoiled type");
  }

  static void SomaUm(std::string& registro, int coluna, int tamanho) {
    PoeNumero(registro, coluna, tamanho, LeNumero(registro, coluna, tamanho) + 1);
  }

  // Another digit in place of the check digit of a record's registration.
  static void TrocaDigito(std::string& registro) {
    char& d = registro[34];
    d = static_cast<char>('0' + (d - '0' + 1) % 10);
  }

  void Estraga(const EstragoMensal& e) {
    switch (e.tipo) {
      case TipoEstrago::Soma:
        SomaUm(PrimeiroRegistro(Tipos()[e.anexo].registro), Tipos()[e.anexo].colunaSoma, 13);
        break;
      case TipoEstrago::Linhas:
        SomaUm(registros_[0], CampoLinhasDeclaradas(e.anexo).coluna,
               CampoLinhasDeclaradas(e.anexo).tamanho);
        break;
      case TipoEstrago::Digito:
        for (std::size_t i = 0; i < usados_; ++i) TrocaDigito(registros_[i]);
        break;
      case TipoEstrago::Numerico:
        registros_[0][599] = 'A';
        break;
      case TipoEstrago::Sequencia:
        SomaUm(registros_[usados_ - 1], 36, 4);
        break;
      case TipoEstrago::Vencimento: {
        std::string data;
        AcrescentaData(data, 10, 1);
        PoeTexto(PrimeiroRegistro("X08 "), 50, data);
        break;
      }
      case TipoEstrago::Cabecalho:
        TrocaDigito(registros_[1]);
        break;
    }
  }

  const OpcoesAmostra& opcoes_;
  std::ostream& saida_;
  Sorteio sorteio_;
  const std::array<bool, QtdTipos> pedidos_;
  const std::vector<EstragoMensal> estragos_;

  // The return being made: identification, items of each type, and what the header sums.
  int ano_ = 0, mes_ = 0, diaFim_ = 0;
  std::string mesAnoRef_;
  std::string inscricao_;
  std::array<std::string, QtdTipos> itens_;
  std::array<int, QtdTipos> quantidade_{};
  std::vector<CfopX05> cfops_;
  std::vector<int> codigosX03_;
  std::int64_t totX01_ = 0, totX02_ = 0, totX03_ = 0, totX04_ = 0, totX05_ = 0, totX06_ = 0;
  std::int64_t totX07A_ = 0, totX07B_ = 0, totX08a_ = 0, totX08b_ = 0, totX09a_ = 0, totX09b_ = 0;
  std::int64_t totX10a_ = 0, totX10b_ = 0, totX11a_ = 0, totX11b_ = 0, totX12a_ = 0, totX12b_ = 0;
  std::int64_t valor1_ = 0, acrescimo1_ = 0, total1_ = 0, valor2_ = 0, acrescimo2_ = 0, total2_ = 0;
  std::int64_t v804_ = 0, v819_ = 0, saldoSubstituicao_ = 0;

  // The records of the return, reused from return to return.
  std::vector<std::string> registros_;
  std::size_t usados_ = 0;
};

}  // namespace

std::span<const std::string_view> AnexosMensais() { return Nomes(); }
std::span<const DescricaoEstrago> EstragosMensais() { return Estragos; }

ResumoAmostra GeraMensal(const OpcoesAmostra& opcoes, std::ostream& saida) {
  GeradorMensal gerador(opcoes, saida);
  return gerador.Gera();
}

std::string InscricaoComDigito(std::int64_t noveDigitos) {
  std::string inscricao;
  AcrescentaDigitos(inscricao, 9, noveDigitos);
  inscricao.push_back('0');
  inscricao.back() = CalculaDigito(inscricao);
  return inscricao;
}

void IniciaRegistroMensal(std::string& registro, std::string_view versao,
                          std::string_view mesAnoRef, std::string_view inscricao, int sequencia,
                          std::string_view tipo) {
  registro.assign(static_cast<std::size_t>(TabelaCabecalhoMensal().comprimento), ' ');
  PoeTexto(registro, 1, "****");
  PoeTexto(registro, 5, versao);
  PoeTexto(registro, 7, "00000000");
  PoeTexto(registro, 16, "01");
  const auto mes = static_cast<int>(LeNumero(mesAnoRef, 1, 2));
  const auto ano = static_cast<int>(LeNumero(mesAnoRef, 3, 4));
  PoeNumero(registro, 18, 2, mes >= 1 && mes <= 12 ? DiasDoMes(mes, ano) : 31);
  PoeTexto(registro, 20, mesAnoRef);
  PoeTexto(registro, 26, inscricao);
  PoeNumero(registro, 36, 4, sequencia);
  PoeTexto(registro, 40, tipo);
}

}  // namespace rolval::amostras
