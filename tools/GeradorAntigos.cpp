#include "tools/GeradorAntigos.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "checks/Datas.h"
#include "layouts/older/CamposAntigos.h"
#include "tools/CamposFixos.h"
#include "tools/GeradorMensal.h"
#include "tools/NumerosFederais.h"
#include "tools/Parcelamento.h"
#include "tools/Sorteio.h"

namespace rolval::amostras {

namespace {

// The spoils both layouts know, each applied to one return (one line).
enum class TipoEstrago { Soma, Digito, Numerico, Vencimento };

constexpr std::array<DescricaoEstrago, 4> EstragosV3 = {{
    {"soma",
     "adds 1 to the first amount of the sum at columns 132-291; the total at 292\n"
     "                keeps its value"},
    {"digito", "a wrong check digit in the return's registration number"},
    {"numerico", "a letter in the amount at columns 748-763"},
    {"vencimento", "the first due date falls in the month before the reference period"},
}};

constexpr std::array<DescricaoEstrago, 4> EstragosDoST1 = {{
    {"soma", "adds 1 to the first installment; field 17 keeps the total"},
    {"digito", "a wrong check digit in the return's registration number (field 5)"},
    {"numerico", "a letter in the digits at columns 453-456"},
    {"vencimento", "the first installment falls due in the month before the reference period"},
}};

constexpr std::array<std::string_view, 6> Empresas = {
    "DISTRIBUIDORA DE BEBIDAS EXEMPLO LTDA", "COMERCIO DE COMBUSTIVEIS MODELO SA",
    "INDUSTRIA DE CIGARROS AMOSTRA LTDA",    "ATACADO DE MEDICAMENTOS TESTE LTDA",
    "FABRICA DE PNEUS DEMONSTRACAO SA",      "REFRIGERANTES DO VALE EXEMPLO LTDA"};
constexpr std::array<std::string_view, 6> Pessoas = {
    "MARIA APARECIDA DOS SANTOS", "JOSE CARLOS PEREIRA", "ANA LUCIA FERREIRA",
    "ANTONIO MARCOS OLIVEIRA",    "FRANCISCA RODRIGUES", "PAULO ROBERTO ALMEIDA"};

struct EstragoAntigo {
  TipoEstrago tipo;
  std::int32_t retorno;
};

// The spoils asked for; the options of annexes are refused, as these layouts have none.
std::vector<EstragoAntigo> LeEstragos(const OpcoesAmostra& opcoes) {
  if (opcoes.anexos != "all" && opcoes.anexos != "none")
    throw std::invalid_argument("layout " + opcoes.layout + " has no annexes: '" + opcoes.anexos +
                                "'");
  if (opcoes.itens > 0)
    throw std::invalid_argument("layout " + opcoes.layout + " has no annex items");
  std::vector<EstragoAntigo> estragos;
  for (const Estrago& e : opcoes.estragos) {
    EstragoAntigo m{TipoEstrago::Soma, e.retorno};
    if (e.tipo == "soma")
      m.tipo = TipoEstrago::Soma;
    else if (e.tipo == "digito")
      m.tipo = TipoEstrago::Digito;
    else if (e.tipo == "numerico")
      m.tipo = TipoEstrago::Numerico;
    else if (e.tipo == "vencimento")
      m.tipo = TipoEstrago::Vencimento;
    else
      throw std::invalid_argument("unknown spoil '" + e.tipo + "' for layout " + opcoes.layout);
    estragos.push_back(m);
  }
  return estragos;
}

// What both layouts share: one record buffer reused from line to line, the drawn values, the
// reference period and the registration, and the writing of each line.
class GeradorAntigo {
 public:
  GeradorAntigo(const OpcoesAmostra& opcoes, std::ostream& saida)
      : opcoes_(opcoes), saida_(saida), sorteio_(opcoes.semente), estragos_(LeEstragos(opcoes)) {}
  virtual ~GeradorAntigo() = default;
  GeradorAntigo(const GeradorAntigo&) = delete;
  GeradorAntigo& operator=(const GeradorAntigo&) = delete;

  ResumoAmostra Gera() {
    ResumoAmostra resumo;
    for (std::int32_t r = 1; r <= opcoes_.retornos; ++r) {
      MontaRetorno();
      for (const EstragoAntigo& e : estragos_)
        if (e.retorno == r) Estraga(e.tipo);
      saida_.write(registro_.data(), static_cast<std::streamsize>(registro_.size()));
      saida_.write("\r\n", 2);
      if (!saida_) throw std::runtime_error("the sample file could not be written");
      ++resumo.registros;
      ++resumo.retornos;
    }
    return resumo;
  }

 protected:
  virtual void MontaRetorno() = 0;
  virtual void Estraga(TipoEstrago tipo) = 0;

  std::int64_t Valor() { return sorteio_.Entre(0, 9'999'999); }
  std::int64_t Positivo() { return sorteio_.Entre(1, 9'999'999); }

  template <std::size_t N>
  std::string_view Sorteia(const std::array<std::string_view, N>& opcoes) {
    return opcoes[static_cast<std::size_t>(sorteio_.Entre(0, N - 1))];
  }

  // A reference period `meses` months wide from mes/ano on, written MMAAAA after the days of the
  // period: "01" and the last day of the month.
  void SorteiaPeriodo(int ano, int mes, int meses, int colunaDias) {
    const Dia periodo = MesesDepois(ano, mes, static_cast<int>(sorteio_.Entre(0, meses - 1)));
    ano_ = periodo.ano;
    mes_ = periodo.mes;
    PoeTexto(registro_, colunaDias, "01");
    PoeNumero(registro_, colunaDias + 2, 2, DiasDoMes(mes_, ano_));
    PoeNumero(registro_, colunaDias + 4, 2, mes_);
    PoeNumero(registro_, colunaDias + 6, 4, ano_);
  }

  // The return's spoils that need due dates: its line then always has some.
  bool PrecisaDeParcelas() const {
    return std::any_of(estragos_.begin(), estragos_.end(), [&](const EstragoAntigo& e) {
      return e.retorno == retorno_ &&
             (e.tipo == TipoEstrago::Soma || e.tipo == TipoEstrago::Vencimento);
    });
  }

  // Another digit in place of the check digit of the registration at `coluna`.
  void TrocaDigito(int coluna) {
    char& d = registro_[static_cast<std::size_t>(coluna + 8)];
    d = static_cast<char>('0' + (d - '0' + 1) % 10);
  }

  // A day of the month before the reference period, as eight digits DDMMAAAA.
  void PoeDataDoMesAnterior(int coluna) {
    const Dia antes = MesesDepois(ano_, mes_, -1);
    std::string data;
    AcrescentaDDMMAAAA(data, SorteiaDia(sorteio_, antes.ano, antes.mes, 1));
    PoeTexto(registro_, coluna, data);
  }

  void SomaUm(int coluna, int tamanho) {
    PoeNumero(registro_, coluna, tamanho, LeNumero(registro_, coluna, tamanho) + 1);
  }

  const OpcoesAmostra& opcoes_;
  std::ostream& saida_;
  Sorteio sorteio_;
  const std::vector<EstragoAntigo> estragos_;
  std::string registro_;
  std::int32_t retorno_ = 0;  // the return being made, 1 = the first
  int ano_ = 0, mes_ = 0;
};

// Layout 03: 898 characters. A − B = C; the first sum (132-291) is E, the second (308-419) is F;
// G, H and I settle the difference of E and F; K = J + I is paid by the due-date entries and L.
class GeradorVersao3 : public GeradorAntigo {
 public:
  using GeradorAntigo::GeradorAntigo;

 private:
  static const CampoRegistro& Campo(std::string_view nome) {
    return CampoChamado(TabelaROL03(), nome);
  }

  void MontaRetorno() override {
    ++retorno_;
    registro_.assign(static_cast<std::size_t>(TabelaROL03().comprimento), ' ');
    PoeTexto(registro_, 1, "****03");
    PoeTexto(registro_, 7, "00000000");
    registro_[14] = sorteio_.Entre(0, 7) == 0 ? 'X' : ' ';
    SorteiaPeriodo(1994, 7, 51, 16);
    PoeTexto(registro_, 26, InscricaoComDigito(sorteio_.Entre(1, 999'999'999)));

    const std::int64_t a = Valor();
    const std::int64_t b = sorteio_.Entre(0, a);
    PoeNumero(registro_, 84, 16, a);
    PoeNumero(registro_, 100, 16, b);
    PoeNumero(registro_, 116, 16, a - b);

    // The first sum: nine amounts and D, whose total is E.
    std::int64_t e = 0;
    const CampoRegistro& parcelasE = Campo("Parcela do total E");
    for (int vez = 0; vez < parcelasE.vezes; ++vez) e += PoeValor(parcelasE.ColunaDe(vez), Valor());
    e += PoeValor(276, sorteio_.Moeda() ? Valor() : 0);
    PoeNumero(registro_, 292, 16, e);
    // The second sum: seven amounts, whose total is F.
    std::int64_t f = 0;
    const CampoRegistro& parcelasF = Campo("Parcela do total F");
    for (int vez = 0; vez < parcelasF.vezes; ++vez) f += PoeValor(parcelasF.ColunaDe(vez), Valor());
    PoeNumero(registro_, 420, 16, f);

    // G is E − F when E is the greater; H is at most G; I, when there is one, needs H = G, and is
    // F − E + H when F is the greater.
    std::int64_t g = 0, h = 0, i = 0;
    const bool comI = f > e || sorteio_.Moeda();
    g = e > f ? e - f : Valor();
    h = comI ? g : sorteio_.Entre(0, g);
    if (f > e)
      i = f - e + h;
    else if (comI)
      i = Valor();
    PoeNumero(registro_, 436, 16, g);
    PoeNumero(registro_, 452, 16, h);
    PoeNumero(registro_, 468, 16, i);
    const std::int64_t j = Positivo();
    const std::int64_t k = j + i;
    PoeNumero(registro_, 484, 16, j);
    PoeNumero(registro_, 500, 16, k);

    // K is paid by L and by up to nine due-date entries from the reference month on, which add
    // up to K − L (at least 1, so that the first entry is always filled).
    const std::int64_t l = sorteio_.Moeda() ? 0 : sorteio_.Entre(0, k - 1);
    std::array<Parcela, 9> parcelas{};
    const std::size_t n = SorteiaParcelas(sorteio_, k - l, ano_, mes_, 5, parcelas);
    const CampoRegistro& vencimento = Campo("Vencimento");
    const CampoRegistro& valor = Campo("Valor do vencimento");
    for (std::size_t p = 0; p < parcelas.size(); ++p) {
      const int vez = static_cast<int>(p);
      std::string data;
      if (p < n)
        AcrescentaDDMMAAAA(data, parcelas[p].vencimento);
      else
        data = "00000000";
      PoeTexto(registro_, vencimento.ColunaDe(vez), data);
      PoeNumero(registro_, valor.ColunaDe(vez), valor.tamanho, p < n ? parcelas[p].valor : 0);
    }
    PoeNumero(registro_, 732, 16, l);
    // Amounts that are only checked for digits.
    const CampoRegistro& numeros = Campo("Número (col. 748)");
    for (int vez = 0; vez < numeros.vezes; ++vez)
      PoeNumero(registro_, numeros.ColunaDe(vez), numeros.tamanho, Valor());
    PoeNumero(registro_, 876, 4, sorteio_.Entre(0, 9999));
  }

  std::int64_t PoeValor(int coluna, std::int64_t valor) {
    PoeNumero(registro_, coluna, 16, valor);
    return valor;
  }

  void Estraga(TipoEstrago tipo) override {
    switch (tipo) {
      case TipoEstrago::Soma:
        SomaUm(132, 16);
        break;
      case TipoEstrago::Digito:
        TrocaDigito(26);
        break;
      case TipoEstrago::Numerico:
        registro_[747] = 'A';
        break;
      case TipoEstrago::Vencimento:
        PoeDataDoMesAnterior(Campo("Vencimento").coluna);
        break;
    }
  }
};

// Layout ST 01: 754 characters. Fields 6 to 17 with 7 and 8 within 6, 9 above 10 and 11 above 12;
// fields 16 and 17 settle field 12 against fields 13 to 15, and field 17 is paid in up to six
// installments.
class GeradorST1 : public GeradorAntigo {
 public:
  using GeradorAntigo::GeradorAntigo;

 private:
  // Amount field `campo` (6 to 17) and installment k (1 to 6): due date and amount.
  static int ColunaCampo(int campo) { return CampoDeNumero(TabelaST01(), campo)->coluna; }
  static int ColunaParcela(int k) {
    return CampoChamado(TabelaST01(), "Vencimento da parcela").ColunaDe(k - 1);
  }
  static int ColunaValorParcela(int k) {
    return CampoChamado(TabelaST01(), "Valor da parcela").ColunaDe(k - 1);
  }

  void MontaRetorno() override {
    ++retorno_;
    registro_.assign(static_cast<std::size_t>(TabelaST01().comprimento), ' ');
    PoeTexto(registro_, 1, "RST01");
    SorteiaPeriodo(1999, 5, 14, 7);
    PoeTexto(registro_, 17, InscricaoComDigito(sorteio_.Entre(1, 999'999'999)));
    std::string numero;
    AcrescentaCNPJ(numero, sorteio_.Entre(1, 99'999'999) * 10000 + sorteio_.Entre(1, 9));
    PoeTexto(registro_, 27, numero);

    std::array<std::int64_t, 18> v{};
    v[6] = Positivo();
    v[7] = sorteio_.Entre(0, v[6]);
    v[8] = sorteio_.Entre(0, v[6]);
    v[9] = Positivo();
    v[10] = sorteio_.Entre(0, v[9] - 1);
    v[13] = Valor();
    v[14] = Valor();
    v[15] = Valor();
    // Field 12 against fields 13 to 15: mostly above them (a tax to pay, field 17), sometimes
    // not (field 16). A return whose installments are spoiled always has a tax to pay.
    const std::int64_t outros = v[13] + v[14] + v[15];
    const bool aPagar = sorteio_.Entre(0, 3) != 0 || PrecisaDeParcelas();
    v[12] = aPagar ? outros + Positivo() : sorteio_.Entre(0, outros);
    v[11] = v[12] + Positivo();
    v[16] = std::max<std::int64_t>(outros - v[12], 0);
    v[17] = std::max<std::int64_t>(v[12] - outros, 0);
    for (int campo = 6; campo <= 17; ++campo)
      PoeNumero(registro_, ColunaCampo(campo), 15, v[static_cast<std::size_t>(campo)]);

    std::array<Parcela, 6> parcelas{};
    const std::size_t n = SorteiaParcelas(sorteio_, v[17], ano_, mes_, 3, parcelas);
    for (int k = 1; k <= 6; ++k) {
      const auto p = static_cast<std::size_t>(k - 1);
      std::string data;
      if (p < n)
        AcrescentaDDMMAAAA(data, parcelas[p].vencimento);
      else
        data = "00000000";
      PoeTexto(registro_, ColunaParcela(k), data);
      PoeNumero(registro_, ColunaValorParcela(k), 15, p < n ? parcelas[p].valor : 0);
    }

    // The declarant and the signature, dated from the reference month to two months on.
    const std::string_view responsavel = Sorteia(Pessoas);
    PoeTexto(registro_, 366, Sorteia(Empresas));
    numero.clear();
    AcrescentaCPF(numero, sorteio_.Entre(1, 999'999'999));
    PoeTexto(registro_, 412, numero);
    PoeTexto(registro_, 423, responsavel);
    PoeNumero(registro_, 453, 4, sorteio_.Entre(0, 9999));
    PoeNumero(registro_, 457, 8, sorteio_.Entre(0, 99'999'999));
    PoeTexto(registro_, 465, responsavel);
    std::string data;
    AcrescentaDDMMAAAA(data, SorteiaDia(sorteio_, ano_, mes_, 3));
    PoeTexto(registro_, 495, data);
    PoeNumero(registro_, 503, 4, sorteio_.Entre(0, 9999));
    PoeNumero(registro_, 507, 8, sorteio_.Entre(0, 99'999'999));
  }

  void Estraga(TipoEstrago tipo) override {
    switch (tipo) {
      case TipoEstrago::Soma:
        SomaUm(ColunaValorParcela(1), 15);
        break;
      case TipoEstrago::Digito:
        TrocaDigito(17);
        break;
      case TipoEstrago::Numerico:
        registro_[452] = 'A';
        break;
      case TipoEstrago::Vencimento:
        PoeDataDoMesAnterior(ColunaParcela(1));
        break;
    }
  }
};

}  // namespace

std::span<const std::string_view> AnexosAntigos() { return {}; }
std::span<const DescricaoEstrago> EstragosVersao3() { return EstragosV3; }
std::span<const DescricaoEstrago> EstragosST1() { return EstragosDoST1; }

ResumoAmostra GeraVersao3(const OpcoesAmostra& opcoes, std::ostream& saida) {
  GeradorVersao3 gerador(opcoes, saida);
  return gerador.Gera();
}

ResumoAmostra GeraST1(const OpcoesAmostra& opcoes, std::ostream& saida) {
  GeradorST1 gerador(opcoes, saida);
  return gerador.Gera();
}

}  // namespace rolval::amostras
