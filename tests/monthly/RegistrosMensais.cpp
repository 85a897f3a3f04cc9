#include "tests/monthly/RegistrosMensais.h"

#include <span>
#include <cstdio>
#include <stdexcept>

#include "checks/Datas.h"
#include "checks/Numeros.h"
#include "layouts/Layouts.h"
#include "layouts/monthly/CamposMensal.h"
#include "run/Latin1.h"
#include "tests/support/CamposZerados.h"

namespace rolval::teste {

namespace {

std::string Prefixo(const PrefixoMensal& p, int sequencia, std::string_view tipo) {
  std::string r(static_cast<std::size_t>(TabelaCabecalhoMensal().comprimento), ' ');
  Poe(r, 1, p.marca);
  Poe(r, 5, p.versao);
  Poe(r, 7, p.complemento);
  Poe(r, 15, p.marcador);
  Poe(r, 16, p.diaInicio);
  Poe(r, 18, p.diaFim);
  Poe(r, 20, p.mesAnoRef);
  Poe(r, 26, p.inscricao);
  PoeNumero(r, 36, 4, sequencia);
  Poe(r, 40, tipo);
  return r;
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
  return Digitos(cfop, 3) + Digitos(0, 13) + Digitos(0, 13) + Digitos(valor75, 13) +
         Digitos(valor88, 13) + Digitos(valor101, 13);
}

std::string ItemX05A(int cfop, std::int64_t valor, int numero) {
  return Digitos(cfop, 3) + Digitos(numero, 3) + Digitos(valor, 13);
}

std::string ItemX02(std::string_view inscricao, std::int64_t valor, int numero) {
  return std::string(inscricao) + Digitos(numero, 3) + Digitos(valor, 13);
}

std::string ItemX03(int codigo, std::int64_t valor) {
  return Digitos(codigo, 3) + Digitos(valor, 13);
}

std::string ItemX03A(int codigo, char tipo, std::string_view inscricao) {
  return Digitos(codigo, 3) + std::string(1, tipo) + Digitos(1, 9) + Digitos(1, 2) +
         std::string(inscricao) + Digitos(0, 13);
}

std::string ItemX04(std::string_view periodo, std::string_view vencimento, std::int64_t p,
                    std::int64_t q) {
  return std::string(periodo) + std::string(vencimento) + Digitos(p, 13) + Digitos(q, 13);
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
