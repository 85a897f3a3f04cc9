#include "tools/GeradorST2.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "layouts/substitution/CamposST2.h"
#include "tools/CamposFixos.h"
#include "tools/GeradorMensal.h"
#include "tools/NumerosFederais.h"
#include "tools/Parcelamento.h"
#include "tools/Sorteio.h"

namespace rolval::amostras {

namespace {

// The annexes, in the order in which a return's records are written.
enum Anexo : std::size_t { A1, A2, A3, QtdAnexos };

constexpr std::array<std::string_view, QtdAnexos> Nomes = {"A1", "A2", "A3"};

// Columns 1 to this are the key that two records of an annex in a row must not share.
constexpr std::array<int, QtdAnexos> FimChave = {27, 27, 16};
// The header's fields of the declared counts of A1, A2 and A3 records.
constexpr std::array<std::string_view, QtdAnexos> CamposQuantidade = {
    "Linhas do anexo I", "Linhas do anexo II", "Linhas do anexo III"};

// Lengths and columns from the layout's field tables.
const TabelaRegistro& TabelaA0() { return *TabelaST2("A0"); }
std::size_t Comprimento(std::string_view tipo) {
  return static_cast<std::size_t>(TabelaST2(tipo)->comprimento);
}
int ColunaQuantidade(std::size_t a) { return CampoChamado(TabelaA0(), CamposQuantidade[a]).coluna; }

// The unit every return is due to; its registration numbers are ten digits, the last a check digit.
constexpr std::string_view UnidadeFavorecida = "TQ";

constexpr std::array<DescricaoEstrago, 6> Estragos = {{
    {"soma-AN",
     "adds 1 to the amount of the return's first AN record; the header keeps\n"
     "                its total (AN: A1 A2)"},
    {"linhas-AN", "the header declares one AN record more than the return holds (AN: A1 A2 A3)"},
    {"repete-AN", "the return's second AN record repeats the key of its first (AN: A1 A2 A3)"},
    {"digito", "a wrong check digit in the declarant's company number (header field 28)"},
    {"numerico", "a letter in the header's amount field 16 (columns 305-319)"},
    {"vencimento", "the first installment falls due in the month before the reference period"},
}};

constexpr std::array<std::string_view, 6> Empresas = {
    "DISTRIBUIDORA DE BEBIDAS EXEMPLO LTDA", "COMERCIO DE COMBUSTIVEIS MODELO SA",
    "INDUSTRIA DE CIGARROS AMOSTRA LTDA",    "ATACADO DE MEDICAMENTOS TESTE LTDA",
    "FABRICA DE PNEUS DEMONSTRACAO SA",      "REFRIGERANTES DO VALE EXEMPLO LTDA"};
constexpr std::array<std::string_view, 6> Pessoas = {
    "MARIA APARECIDA DOS SANTOS", "JOSE CARLOS PEREIRA", "ANA LUCIA FERREIRA",
    "ANTONIO MARCOS OLIVEIRA",    "FRANCISCA RODRIGUES", "PAULO ROBERTO ALMEIDA"};

enum class TipoEstrago { Soma, Linhas, Repete, Digito, Numerico, Vencimento };

struct EstragoST2 {
  TipoEstrago tipo;
  Anexo anexo = A1;
  std::int32_t retorno = 1;
};

Anexo ProcuraAnexo(std::string_view nome, std::string_view origem) {
  return static_cast<Anexo>(ProcuraNome(Nomes, nome, origem));
}

std::array<bool, QtdAnexos> LeAnexos(std::string_view texto) {
  return LeListaDeNomes(texto, Nomes);
}

std::vector<EstragoST2> LeEstragos(const OpcoesAmostra& opcoes,
                                   const std::array<bool, QtdAnexos>& pedidos) {
  std::vector<EstragoST2> estragos;
  for (const Estrago& e : opcoes.estragos) {
    EstragoST2 m{TipoEstrago::Digito, A1, e.retorno};
    const std::string_view tipo = e.tipo;
    auto exige = [&](bool condicao, std::string_view falta) {
      if (!condicao)
        throw std::invalid_argument("spoil '" + e.tipo + "' needs " + std::string(falta));
    };
    if (tipo.starts_with("soma-")) {
      m.tipo = TipoEstrago::Soma;
      m.anexo = ProcuraAnexo(tipo.substr(5), tipo);
      exige(m.anexo != A3, "an annex with a declared total (A1 or A2)");
      exige(pedidos[m.anexo], "that annex in the file");
    } else if (tipo.starts_with("linhas-")) {
      m.tipo = TipoEstrago::Linhas;
      m.anexo = ProcuraAnexo(tipo.substr(7), tipo);
    } else if (tipo.starts_with("repete-")) {
      m.tipo = TipoEstrago::Repete;
      m.anexo = ProcuraAnexo(tipo.substr(7), tipo);
      exige(pedidos[m.anexo], "that annex in the file");
      exige(opcoes.itens != 1, "two records of the annex (--items 1 gives one)");
    } else if (tipo == "digito") {
      m.tipo = TipoEstrago::Digito;
    } else if (tipo == "numerico") {
      m.tipo = TipoEstrago::Numerico;
    } else if (tipo == "vencimento") {
      m.tipo = TipoEstrago::Vencimento;
    } else {
      throw std::invalid_argument("unknown spoil '" + e.tipo + "' for layout " + opcoes.layout);
    }
    estragos.push_back(m);
  }
  return estragos;
}

// The first column of the header's amount field n (7 to 21).
int ColunaCampo(int campo) { return CampoDeNumero(TabelaA0(), campo)->coluna; }
// Installment i (1 to 6): its due date AAAAMMDD and its amount.
int ColunaParcela(int i) {
  return CampoChamado(TabelaA0(), "Vencimento da parcela").ColunaDe(i - 1);
}
int ColunaValorParcela(int i) {
  return CampoChamado(TabelaA0(), "Valor da parcela").ColunaDe(i - 1);
}

class GeradorST2 {
 public:
  GeradorST2(const OpcoesAmostra& opcoes, std::ostream& saida)
      : opcoes_(opcoes),
        saida_(saida),
        sorteio_(opcoes.semente),
        pedidos_(LeAnexos(opcoes.anexos)),
        estragos_(LeEstragos(opcoes, pedidos_)) {}

  ResumoAmostra Gera() {
    ResumoAmostra resumo;
    for (std::int32_t r = 1; r <= opcoes_.retornos; ++r) {
      SorteiaIdentificacao();
      usados_ = 1;  // the header comes first; it is made once its annexes are known
      for (std::size_t a = 0; a < QtdAnexos; ++a) {
        quantidade_[a] = 0;
        soma_[a] = 0;
        if (!pedidos_[a]) continue;
        int n = opcoes_.itens > 0 ? opcoes_.itens : static_cast<int>(sorteio_.Entre(1, 3));
        if (TemEstrago(r, TipoEstrago::Repete, static_cast<Anexo>(a))) n = std::max(n, 2);
        GeraAnexo(static_cast<Anexo>(a), n);
      }
      MontaCabecalho(NovoRegistro(0), TemEstrago(r, TipoEstrago::Vencimento));
      for (const EstragoST2& e : estragos_)
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

  bool TemEstrago(std::int32_t retorno, TipoEstrago tipo, Anexo anexo = A1) const {
    return std::any_of(estragos_.begin(), estragos_.end(), [&](const EstragoST2& e) {
      return e.retorno == retorno && e.tipo == tipo &&
             (tipo != TipoEstrago::Repete || e.anexo == anexo);
    });
  }

  // Period from 07/2000 to 12/2015 and the taxpayer's registration in the home unit.
  void SorteiaIdentificacao() {
    const Dia periodo = MesesDepois(2000, 7, static_cast<int>(sorteio_.Entre(0, 185)));
    ano_ = periodo.ano;
    mes_ = periodo.mes;
    mesAnoRef_.clear();
    AcrescentaDigitos(mesAnoRef_, 2, mes_);
    AcrescentaDigitos(mesAnoRef_, 4, ano_);
    inscricao_ = InscricaoComDigito(sorteio_.Entre(1, 999'999'999));
    inscricao_.resize(14, ' ');
  }

  // A registration of the home unit other than the taxpayer's own and other than the two given.
  std::string InscricaoDeTerceiro(std::string_view evita1, std::string_view evita2) {
    std::string inscricao;
    do {
      inscricao = InscricaoComDigito(sorteio_.Entre(1, 999'999'999));
      inscricao.resize(14, ' ');
    } while (inscricao == inscricao_ || inscricao == evita1 || inscricao == evita2);
    return inscricao;
  }

  std::string& NovoRegistro(std::size_t indice) {
    if (indice >= registros_.size()) registros_.resize(indice + 1);
    return registros_[indice];
  }

  // `n` records of an annex. A1 and A2: numbers that rise from record to record (so that no two in
  // a row share a key), a code, another taxpayer of the unit, a date from January five years before
  // the reference year to the end of the reference month, and an amount. A3: another taxpayer,
  // never one of the two records before (a record spoiled to repeat the one before it then
  // repeats nothing else), and two amounts, the first the greater.
  void GeraAnexo(Anexo a, int n) {
    quantidade_[a] = n;
    const std::int64_t primeiroNumero = sorteio_.Entre(1, 99'999'999 - n);
    const int mesesJanela = 5 * 12 + mes_;
    std::string anterior, penultima;
    for (int k = 0; k < n; ++k) {
      std::string& r = NovoRegistro(usados_++);
      r.assign(Comprimento(Nomes[a]), ' ');
      PoeTexto(r, 1, Nomes[a]);
      if (a == A3) {
        std::string inscricao = InscricaoDeTerceiro(anterior, penultima);
        PoeTexto(r, 3, inscricao);
        penultima = std::move(anterior);
        anterior = std::move(inscricao);
        const std::int64_t segundo = Positivo();
        PoeNumero(r, 17, 15, segundo + Positivo());
        PoeNumero(r, 32, 15, segundo);
        continue;
      }
      PoeNumero(r, 3, 8, primeiroNumero + k);
      PoeNumero(r, 11, 3, sorteio_.Entre(1, 999));
      PoeTexto(r, 14, InscricaoDeTerceiro({}, {}));
      std::string data;
      AcrescentaAAAAMMDD(data, SorteiaDia(sorteio_, ano_ - 5, 1, mesesJanela));
      PoeTexto(r, 28, data);
      const std::int64_t valor = Positivo();
      soma_[a] += valor;
      PoeNumero(r, 36, 15, valor);
    }
  }

  void MontaCabecalho(std::string& r, bool comParcelas) {
    r.assign(Comprimento("A0"), ' ');
    PoeTexto(r, 1, "A0");
    PoeTexto(r, 3, "RST02");
    PoeTexto(r, 8, mesAnoRef_);
    PoeTexto(r, 14, inscricao_);
    r[28] = sorteio_.Entre(0, 3) == 0 ? 'X' : ' ';  // column 29, a marker no rule reads

    // Fields 7 to 17 and 19: 8 and 9 within 7, 10 above 11 and 12 above 13; 14 and 15 are the
    // annex totals.
    std::array<std::int64_t, 22> f{};
    f[7] = Positivo();
    f[8] = sorteio_.Entre(0, f[7]);
    f[9] = sorteio_.Entre(0, f[7]);
    f[10] = Positivo();
    f[11] = sorteio_.Entre(0, f[10] - 1);
    f[13] = Valor();
    f[12] = f[13] + Positivo();
    f[14] = soma_[A1];
    f[15] = soma_[A2];
    f[16] = sorteio_.Moeda() ? Valor() : 0;
    f[17] = Valor();
    // Field 19 brings the balance to a drawn amount: mostly a tax to pay, sometimes a credit.
    // A return whose installments are spoiled always has a tax to pay.
    const std::int64_t creditos = f[14] + f[15] + f[16] + f[17];
    const bool aPagar = sorteio_.Entre(0, 3) != 0 || comParcelas;
    const std::int64_t alvo = aPagar ? Positivo() : -Valor();
    f[19] = std::max<std::int64_t>(0, alvo + creditos - f[13]);
    const std::int64_t saldo = f[13] + f[19] - creditos;
    f[21] = std::max<std::int64_t>(saldo, 0);
    f[20] = std::max<std::int64_t>(-saldo, 0);
    f[18] = saldo >= 0 ? std::max<std::int64_t>(f[13] - creditos, 0) : 0;
    for (int campo = 7; campo <= 21; ++campo)
      PoeNumero(r, ColunaCampo(campo), 15, f[static_cast<std::size_t>(campo)]);

    // The tax to pay in up to six installments due from the reference month to two months on.
    std::array<Parcela, 6> parcelas{};
    const std::size_t n = SorteiaParcelas(sorteio_, f[21], ano_, mes_, 3, parcelas);
    for (int i = 1; i <= 6; ++i) {
      const auto k = static_cast<std::size_t>(i - 1);
      std::string data;
      if (k < n)
        AcrescentaAAAAMMDD(data, parcelas[k].vencimento);
      else
        data = "00000000";
      PoeTexto(r, ColunaParcela(i), data);
      PoeNumero(r, ColunaValorParcela(i), 15, k < n ? parcelas[k].valor : 0);
    }
    PoeTexto(r, 168, UnidadeFavorecida);

    // The declarant: company and personal federal numbers, names, two numbers, the signer and a
    // signature date from one to twelve months after the reference month.
    std::string numero;
    AcrescentaCNPJ(numero, sorteio_.Entre(1, 99'999'999) * 10000 + sorteio_.Entre(1, 9));
    PoeTexto(r, 395, numero);
    PoeTexto(r, 409, Sorteia(Empresas));
    numero.clear();
    AcrescentaCPF(numero, sorteio_.Entre(1, 999'999'999));
    PoeTexto(r, 455, numero);
    const std::string_view responsavel = Sorteia(Pessoas);
    PoeTexto(r, 466, responsavel);
    PoeNumero(r, 496, 12, sorteio_.Entre(0, 999'999'999'999));
    PoeNumero(r, 508, 12, sorteio_.Entre(0, 999'999'999'999));
    PoeTexto(r, 560, responsavel);
    const Dia seguinte = MesesDepois(ano_, mes_, 1);
    std::string data;
    AcrescentaAAAAMMDD(data, SorteiaDia(sorteio_, seguinte.ano, seguinte.mes, 12));
    PoeTexto(r, 590, data);
    r[777] = sorteio_.Moeda() ? 'S' : 'N';
    r[778] = quantidade_[A3] > 0 ? 'S' : 'N';  // an annex III announced needs its count
    for (std::size_t a = 0; a < QtdAnexos; ++a)
      PoeNumero(r, ColunaQuantidade(a), 4, quantidade_[a]);
  }

  template <std::size_t N>
  std::string_view Sorteia(const std::array<std::string_view, N>& opcoes) {
    return opcoes[static_cast<std::size_t>(sorteio_.Entre(0, N - 1))];
  }

  // The first record of an annex in the return, and the ones after it; the spoils that use them
  // were only accepted with the annex in the file.
  std::size_t PrimeiroDoAnexo(Anexo a) const {
    for (std::size_t i = 1; i < usados_; ++i)
      if (std::string_view(registros_[i]).substr(0, 2) == Nomes[a]) return i;
    throw std::logic_error("the return holds no record of the spoiled annex");
  }

  static void SomaUm(std::string& registro, int coluna, int tamanho) {
    PoeNumero(registro, coluna, tamanho, LeNumero(registro, coluna, tamanho) + 1);
  }

  void Estraga(const EstragoST2& e) {
    std::string& cabecalho = registros_[0];
    switch (e.tipo) {
      case TipoEstrago::Soma:
        SomaUm(registros_[PrimeiroDoAnexo(e.anexo)], 36, 15);
        break;
      case TipoEstrago::Linhas:
        SomaUm(cabecalho, ColunaQuantidade(e.anexo), 4);
        break;
      case TipoEstrago::Repete: {
        const std::size_t primeiro = PrimeiroDoAnexo(e.anexo);
        const auto fim = static_cast<std::size_t>(FimChave[e.anexo]);
        registros_[primeiro + 1].replace(0, fim, registros_[primeiro], 0, fim);
        break;
      }
      case TipoEstrago::Digito: {
        char& d = cabecalho[407];
        d = static_cast<char>('0' + (d - '0' + 1) % 10);
        break;
      }
      case TipoEstrago::Numerico:
        cabecalho[304] = 'A';
        break;
      case TipoEstrago::Vencimento: {
        const Dia antes = MesesDepois(ano_, mes_, -1);
        std::string data;
        AcrescentaAAAAMMDD(data, SorteiaDia(sorteio_, antes.ano, antes.mes, 1));
        PoeTexto(cabecalho, ColunaParcela(1), data);
        break;
      }
    }
  }

  const OpcoesAmostra& opcoes_;
  std::ostream& saida_;
  Sorteio sorteio_;
  const std::array<bool, QtdAnexos> pedidos_;
  const std::vector<EstragoST2> estragos_;

  // The return being made.
  int ano_ = 0, mes_ = 0;
  std::string mesAnoRef_;
  std::string inscricao_;
  std::array<int, QtdAnexos> quantidade_{};
  std::array<std::int64_t, QtdAnexos> soma_{};

  // The records of the return (the header first), reused from return to return.
  std::vector<std::string> registros_;
  std::size_t usados_ = 0;
};

}  // namespace

std::span<const std::string_view> AnexosST2() { return Nomes; }
std::span<const DescricaoEstrago> EstragosST2() { return Estragos; }

ResumoAmostra GeraST2(const OpcoesAmostra& opcoes, std::ostream& saida) {
  GeradorST2 gerador(opcoes, saida);
  return gerador.Gera();
}

}  // namespace rolval::amostras
