#include "tests/monthly/RegistrosMensais.h"

#include <array>
#include <cstdio>
#include <span>
#include <stdexcept>

#include "checks/Datas.h"
#include "checks/Numeros.h"
#include "layouts/Layouts.h"
#include "layouts/monthly/CamposMensal.h"
#include "run/Latin1.h"
#include "tests/support/CamposZerados.h"

namespace rolval::teste {

namespace {

namespace cm = campos_mensal;
namespace P = campo_prefixo;

std::string Prefixo(const PrefixoMensal& p, int sequencia, std::string_view tipo) {
  std::string r(static_cast<std::size_t>(TabelaCabecalhoMensal().comprimento), ' ');
  Poe(r, P::Marca.coluna, p.marca);
  Poe(r, P::Versao.coluna, p.versao);
  Poe(r, CampoDe(cm::Prefixo, "Complemento").coluna, p.complemento);
  Poe(r, P::Marcador.coluna, p.marcador);
  Poe(r, P::DiaInicio.coluna, p.diaInicio);
  Poe(r, P::DiaFim.coluna, p.diaFim);
  Poe(r, P::Referencia.coluna, p.mesAnoRef);
  Poe(r, P::Inscricao.coluna, p.inscricao);
  PoeNumero(r, P::Sequencia.coluna, P::Sequencia.tamanho, sequencia);
  Poe(r, P::Tipo.coluna, tipo);
  return r;
}

// One item of an annex type whose fields are `campos`, blank, as wide as its items.
template <std::size_t N>
std::string ItemEmBranco(const std::array<CampoRegistro, N>& campos) {
  return std::string(static_cast<std::size_t>(campos[cm::Prefixo.size() + 1].largura), ' ');
}

// Writes `valor` into the field `campo` of an item, exactly filling the field.
void PoeNoItem(std::string& item, const CampoRegistro& campo, std::string_view valor) {
  if (static_cast<int>(valor.size()) != campo.tamanho)
    throw std::invalid_argument("value not as wide as its field");
  Poe(item, campo.coluna - cm::QuantidadeItens.Ultima(), valor);
}
void PoeNoItem(std::string& item, const CampoRegistro& campo, std::int64_t valor) {
  PoeNoItem(item, campo, Digitos(valor, campo.tamanho));
}

}  // namespace

void Poe(std::string& registro, int coluna, std::string_view valor) {
  const auto inicio = static_cast<std::size_t>(coluna - 1);
  if (inicio + valor.size() > registro.size()) throw std::out_of_range("field beyond the record");
  registro.replace(inicio, valor.size(), valor);
}

std::string Digitos(std::int64_t valor, int tamanho) {
  std::string s = std::to_string(valor);
  if (static_cast<int>(s.size()) > tamanho) throw std::out_of_range("number wider than its field");
  return std::string(static_cast<std::size_t>(tamanho) - s.size(), '0') + s;
}

void PoeNumero(std::string& registro, int coluna, int tamanho, std::int64_t valor) {
  Poe(registro, coluna, Digitos(valor, tamanho));
}

std::string InscricaoComDigito(std::string_view noveDigitos) {
  std::string n(noveDigitos);
  n += '0';
  n[9] = CalculaDigito(n);
  return n;
}

PrefixoMensal PrefixoPara(std::string_view versao, std::string_view mesAnoRef,
                          std::string_view inscricao) {
  PrefixoMensal p;
  p.versao = versao;
  p.mesAnoRef = mesAnoRef;
  p.inscricao = inscricao;
  const int mes = std::stoi(std::string(mesAnoRef.substr(0, 2)));
  const int ano = std::stoi(std::string(mesAnoRef.substr(2, 4)));
  p.diaFim = Digitos(DiasDoMes(mes, ano), 2);
  return p;
}

std::string CabecalhoMensal(const PrefixoMensal& prefixo, int sequencia) {
  std::string r = Prefixo(prefixo, sequencia, "ABC ");
  const TabelaRegistro& tabela = TabelaCabecalhoMensal();
  ZeraCamposNumericos(r, tabela, 44);  // every amount, number and declared count 0
  Poe(r, CampoChamado(tabela, "Marca do anexo 7").coluna, "N");
  Poe(r, CampoChamado(tabela, "Marca dos totais 570 e 585").coluna, "N");
  return r;
}

std::string AnexoMensal(const PrefixoMensal& prefixo, int sequencia, std::string_view tipo,
                        const std::vector<std::string>& itens) {
  std::string r = Prefixo(prefixo, sequencia, tipo);
  const CampoRegistro& quantidade = CampoQuantidadeItens();
  PoeNumero(r, quantidade.coluna, quantidade.tamanho, static_cast<std::int64_t>(itens.size()));
  int coluna = quantidade.Ultima() + 1;
  for (const std::string& item : itens) {
    Poe(r, coluna, item);
    coluna += static_cast<int>(item.size());
  }
  return r;
}

// The position of an annex type among the header's declared line counts.
std::size_t IndiceDoAnexo(std::string_view tipo) {
  const TabelaRegistro* tabela = TabelaMensal(tipo);
  const std::span<const TabelaRegistro> anexos = TabelasAnexosMensais();
  if (tabela == nullptr || tabela < anexos.data() || tabela >= anexos.data() + anexos.size())
    throw std::invalid_argument("not an annex type");
  return static_cast<std::size_t>(tabela - anexos.data());
}

int ColunaDeclarada(std::string_view tipo) {
  return CampoLinhasDeclaradas(IndiceDoAnexo(tipo)).coluna;
}

std::string ItemX01(int cfop, std::int64_t valor75, std::int64_t valor88, std::int64_t valor101) {
  // X01's items have X05's columns, whose table names the amounts at 88 and 101.
  std::string item = ItemEmBranco(cm::X05);
  PoeNoItem(item, CampoDe(cm::X05, "CFOP"), cfop);
  PoeNoItem(item, CampoDe(cm::X05, "Valor (col. 49)"), 0);
  PoeNoItem(item, CampoDe(cm::X05, "Valor (col. 62)"), 0);
  PoeNoItem(item, CampoDe(cm::X05, "Valor do total do anexo X05"), valor75);
  PoeNoItem(item, CampoDe(cm::X05, "Valor do CFOP no anexo X05A"), valor88);
  PoeNoItem(item, CampoDe(cm::X05, "Valor do CFOP no anexo X05B"), valor101);
  return item;
}

std::string ItemX05A(int cfop, std::int64_t valor, int numero) {
  std::string item = ItemEmBranco(cm::X05A);
  PoeNoItem(item, CampoDe(cm::X05A, "CFOP"), cfop);
  PoeNoItem(item, CampoDe(cm::X05A, "Número"), numero);
  PoeNoItem(item, CampoDe(cm::X05A, "Valor do CFOP"), valor);
  return item;
}

std::string ItemX02(std::string_view inscricao, std::int64_t valor, int numero) {
  std::string item = ItemEmBranco(cm::X02);
  PoeNoItem(item, CampoDe(cm::X02, "Inscrição do item"), inscricao);
  PoeNoItem(item, CampoDe(cm::X02, "Número"), numero);
  PoeNoItem(item, CampoDe(cm::X02, "Valor do total do anexo X02"), valor);
  return item;
}

std::string ItemX03(int codigo, std::int64_t valor) {
  std::string item = ItemEmBranco(cm::X03);
  PoeNoItem(item, CampoDe(cm::X03, "Código"), codigo);
  PoeNoItem(item, CampoDe(cm::X03, "Valor do total do anexo X03"), valor);
  return item;
}

std::string ItemX03A(int codigo, char tipo, std::string_view inscricao) {
  std::string item = ItemEmBranco(cm::X03A);
  PoeNoItem(item, CampoDe(cm::X03A, "Código do anexo X03"), codigo);
  PoeNoItem(item, CampoDe(cm::X03A, "Tipo (A, B ou S)"), std::string_view(&tipo, 1));
  PoeNoItem(item, CampoDe(cm::X03A, "Número (col. 50)"), 1);
  PoeNoItem(item, CampoDe(cm::X03A, "Número (col. 59)"), 1);
  PoeNoItem(item, CampoDe(cm::X03A, "Inscrição do item"), inscricao);
  PoeNoItem(item, CampoDe(cm::X03A, "Valor"), 0);
  return item;
}

std::string ItemX04(std::string_view periodo, std::string_view vencimento, std::int64_t p,
                    std::int64_t q) {
  std::string item = ItemEmBranco(cm::X04);
  PoeNoItem(item, CampoDe(cm::X04, "Período (dias, mês e ano)"), periodo);
  PoeNoItem(item, CampoDe(cm::X04, "Vencimento"), vencimento);
  PoeNoItem(item, CampoDe(cm::X04, "Valor P"), p);
  PoeNoItem(item, CampoDe(cm::X04, "Valor Q"), q);
  return item;
}

std::string ItemX07A(std::string_view cfop, std::int64_t valor49, std::int64_t valor62) {
  std::string item = ItemEmBranco(cm::X07A);
  PoeNoItem(item, CampoDe(cm::X07A, "CFOP"), cfop);
  PoeNoItem(item, CampoDe(cm::X07A, "Valor (col. 49)"), valor49);
  PoeNoItem(item, CampoDe(cm::X07A, "Valor do total do anexo X07A"), valor62);
  return item;
}

std::string ItemX08(std::string_view dias, std::string_view vencimento, std::int64_t a,
                    std::int64_t b, std::string_view inscricao) {
  std::string item = ItemEmBranco(cm::X08);
  PoeNoItem(item, CampoDe(cm::X08, "Dias (início e fim)"), dias);
  PoeNoItem(item, CampoDe(cm::X08, "Vencimento"), vencimento);
  PoeNoItem(item, CampoDe(cm::X08, "Valor do total 1 do anexo X08"), a);
  PoeNoItem(item, CampoDe(cm::X08, "Valor do total 2 do anexo X08"), b);
  PoeNoItem(item, CampoDe(cm::X08, "Inscrição do item"), inscricao);
  return item;
}

std::string ItemX09(std::string_view dia, std::int64_t a, std::int64_t b,
                    std::string_view inscricao) {
  std::string item = ItemEmBranco(cm::X09);
  PoeNoItem(item, CampoDe(cm::X09, "Dia de vencimento"), dia);
  PoeNoItem(item, CampoDe(cm::X09, "Valor do total 1 do anexo X09"), a);
  PoeNoItem(item, CampoDe(cm::X09, "Valor do total 2 do anexo X09"), b);
  PoeNoItem(item, CampoDe(cm::X09, "Inscrição do item"), inscricao);
  return item;
}

std::string ItemX11(std::string_view codigo, std::int64_t a, std::int64_t b) {
  std::string item = ItemEmBranco(cm::X11);
  PoeNoItem(item, CampoDe(cm::X11, "Código"), codigo);
  PoeNoItem(item, CampoDe(cm::X11, "Valor do total 1 do anexo X11"), a);
  PoeNoItem(item, CampoDe(cm::X11, "Valor do total 2 do anexo X11"), b);
  return item;
}

std::string ItemX12(std::string_view numero, std::int64_t a, std::int64_t b) {
  std::string item = ItemEmBranco(cm::X12);
  PoeNoItem(item, CampoDe(cm::X12, "Número"), numero);
  PoeNoItem(item, CampoDe(cm::X12, "Valor do total 1 do anexo X12"), a);
  PoeNoItem(item, CampoDe(cm::X12, "Valor do total 2 do anexo X12"), b);
  return item;
}

std::string CorpoX07::Texto() const {
  // The body runs from the first column after the count to X07's last field.
  constexpr CampoRegistro ultimo = CampoDe(cm::X07, "Total 2");
  std::string corpo(static_cast<std::size_t>(ultimo.Ultima() - cm::QuantidadeItens.Ultima()), ' ');
  auto texto = [](const std::string& t) { return t + std::string(60 - t.size(), ' '); };
  PoeNoItem(corpo, CampoDe(cm::X07, "Valor 1 (total do anexo X07A)"), v1);
  PoeNoItem(corpo, CampoDe(cm::X07, "Outros valores 1"), w1);
  PoeNoItem(corpo, CampoDe(cm::X07, "Descrição de outros valores 1"), texto(texto1));
  PoeNoItem(corpo, CampoDe(cm::X07, "Total 1"), t1);
  PoeNoItem(corpo, CampoDe(cm::X07, "Valor 2 (total do anexo X07B)"), v2);
  PoeNoItem(corpo, CampoDe(cm::X07, "Outros valores 2"), w2);
  PoeNoItem(corpo, CampoDe(cm::X07, "Descrição de outros valores 2"), texto(texto2));
  PoeNoItem(corpo, CampoDe(cm::X07, "Total 2"), t2);
  return corpo;
}

std::string CorpoX07Somado(std::int64_t v1, std::int64_t w1, std::int64_t v2, std::int64_t w2) {
  CorpoX07 corpo;
  corpo.v1 = Digitos(v1, 13);
  corpo.w1 = Digitos(w1, 13);
  corpo.texto1 = std::string(60, 'T');
  corpo.t1 = Digitos(v1 + w1, 13);
  corpo.v2 = Digitos(v2, 13);
  corpo.w2 = Digitos(w2, 13);
  corpo.texto2 = std::string(60, 'T');
  corpo.t2 = Digitos(v2 + w2, 13);
  return corpo.Texto();
}

ROLMensal::ROLMensal(PrefixoMensal p) : prefixo(std::move(p)) {}

ROLMensal& ROLMensal::Anexo(std::string_view tipo, const std::vector<std::string>& itens) {
  tipos_.emplace_back(tipo);
  quantidades_.push_back(static_cast<int>(itens.size()));
  anexos_.push_back(AnexoMensal(prefixo, static_cast<int>(anexos_.size()) + 2, tipo, itens));
  return *this;
}

ROLMensal& ROLMensal::Cabecalho(int coluna, std::string_view valor) {
  return Registro(1, coluna, valor);
}

ROLMensal& ROLMensal::Registro(int n, int coluna, std::string_view valor) {
  if (n == 1) {
    if (cabecalho_.empty()) cabecalho_ = CabecalhoMensal(prefixo);
    Poe(cabecalho_, coluna, valor);
  } else {
    Poe(anexos_.at(static_cast<std::size_t>(n - 2)), coluna, valor);
  }
  return *this;
}

std::vector<std::string> ROLMensal::Registros() const {
  std::string cabecalho = cabecalho_.empty() ? CabecalhoMensal(prefixo) : cabecalho_;
  std::vector<int> declaradas(TabelasAnexosMensais().size(), 0);
  for (std::size_t i = 0; i < tipos_.size(); ++i)
    declaradas[IndiceDoAnexo(tipos_[i])] += quantidades_[i];
  for (std::size_t i = 0; i < declaradas.size(); ++i) {
    const CampoRegistro& campo = CampoLinhasDeclaradas(i);
    // A count written into the header by the test stays as it is.
    if (Campo(cabecalho, campo.coluna, campo.tamanho) == "000")
      PoeNumero(cabecalho, campo.coluna, campo.tamanho, declaradas[i]);
  }
  std::vector<std::string> registros{cabecalho};
  registros.insert(registros.end(), anexos_.begin(), anexos_.end());
  return registros;
}

ROLMensal ComPreRequisitos() {
  ROLMensal rol;
  rol.Anexo("X05 ", {ItemX01(102)}).Anexo("X03 ", {ItemX03(5)});
  return rol;
}

std::vector<std::string> Junta(const std::vector<ROLMensal>& retornos) {
  std::vector<std::string> registros;
  for (const ROLMensal& rol : retornos) {
    const std::vector<std::string> r = rol.Registros();
    registros.insert(registros.end(), r.begin(), r.end());
  }
  return registros;
}

const TabelaLayouts& TabelaSemFechamento() {
  // The program's rows without their end-of-file closings.
  static const std::vector<LayoutArquivo> layouts = [] {
    const auto programa = TabelaPadrao().layouts;
    std::vector<LayoutArquivo> linhas(programa.begin(), programa.end());
    for (LayoutArquivo& linha : linhas) linha.fechaArquivo = nullptr;
    return linhas;
  }();
  static const TabelaLayouts tabela{layouts};
  return tabela;
}

std::string Achado(std::string_view inscricao, std::string_view periodo, int linha, int inicio,
                   int fim, std::string_view mensagem) {
  return LinhaAchado(inscricao, periodo, linha, inicio, fim, mensagem);
}

std::string Achado(int linha, int inicio, int fim, std::string_view mensagem) {
  return Achado("012/3456789", "01/2005", linha, inicio, fim, mensagem);
}

void ExecucaoRetida::Roda(const std::vector<std::string>& registros, const TabelaLayouts& tabela) {
  const auto arquivo = pasta_ / "entrada.txt";
  EscreveArquivo(arquivo, ComCRLF(registros));
  ValidaArquivo(execucao, arquivo.string(), tabela);
  achados.clear();
  const std::string saida = LeArquivo(pasta_ / NomeSaida);
  if (saida.rfind("ENCAMINHAMOS", 0) != 0) return;
  std::size_t inicio = 0;
  for (int n = 0; inicio < saida.size(); ++n) {
    std::size_t fim = saida.find("\r\n", inicio);
    if (fim == std::string::npos) fim = saida.size();
    if (n >= 6) achados.push_back(ParaUtf8(saida.substr(inicio, fim - inicio)));
    inicio = fim + 2;
  }
}

}  // namespace rolval::teste
