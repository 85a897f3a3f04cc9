#include "run/Catalogos.h"

#include <array>

#include "run/Formatos.h"

namespace rolval {

namespace {

// What usually causes a message and how to fix it. Messages of a kind share one explanation.
constexpr std::string_view Conteudo =
    "O campo tem um valor que o leiaute não aceita. Corrija o campo no programa que gerou o "
    "arquivo.";
constexpr std::string_view Numerico =
    "Há letras, brancos ou sinais num campo só de dígitos; um acento gravado em UTF-8 ou brancos "
    "cortados no fim das linhas deslocam os campos seguintes. Preencha com dígitos, zeros à "
    "esquerda.";
constexpr std::string_view Data =
    "Data inexistente (31 num mês de 30 dias, 29/02 fora de ano bissexto) ou fora do formato do "
    "campo. Corrija a data.";
constexpr std::string_view Periodo =
    "Período de referência fora do aceito pelo leiaute ou incoerente com outro campo. Confira o "
    "mês e o ano (MMAAAA).";
constexpr std::string_view Soma =
    "Um total ou cálculo não confere com os valores de que depende. Refaça o cálculo ou corrija "
    "as parcelas.";
constexpr std::string_view Contagem =
    "A quantidade declarada no cabeçalho difere dos registros que o arquivo traz. Acerte a "
    "quantidade ou inclua/retire os registros.";
constexpr std::string_view Anexo =
    "Falta um anexo de que este depende, ou os anexos não estão na combinação permitida. Inclua "
    "ou retire os anexos conforme o leiaute.";
constexpr std::string_view Leiaute =
    "O arquivo não é do leiaute que a primeira linha indica: é de outro tipo, tem marca BOM no "
    "início, foi gravado com outra codificação ou junta leiautes diferentes. Veja as dicas abaixo "
    "do relatório e gere o arquivo de novo.";
constexpr std::string_view Digito =
    "O dígito verificador não confere: quase sempre um número digitado errado. Confira-o no "
    "documento de origem.";
constexpr std::string_view Obrigatorio = "O campo está em branco ou zerado. Informe-o.";
constexpr std::string_view Aviso =
    "Aviso: o arquivo é aceito assim, mas confira se é isso mesmo que se quer declarar.";

// The kinds of entry, by how the message is made and where it is reported.
constexpr EntradaCatalogo Fixa(int codigo, std::string_view texto, std::string_view explicacao,
                               Onde onde = Onde::Registro) {
  return {codigo, texto, {}, Montagem::Fixa, onde, explicacao};
}
constexpr EntradaCatalogo DoRetorno(int codigo, std::string_view texto,
                                    std::string_view explicacao) {
  return Fixa(codigo, texto, explicacao, Onde::LinhaGuardada);
}
constexpr EntradaCatalogo DoArquivo(int codigo, std::string_view texto,
                                    std::string_view explicacao) {
  return Fixa(codigo, texto, explicacao, Onde::Arquivo);
}
constexpr EntradaCatalogo ComNumero(int codigo, std::string_view antes, std::string_view depois,
                                    std::string_view explicacao, Onde onde = Onde::Registro) {
  return {codigo, antes, depois, Montagem::ComNumero, onde, explicacao};
}

constexpr EntradaCatalogo Mensal[] = {
    Fixa(1, "Marca teleprocessamento inválida", Conteudo),
    Fixa(2, "Versão da ROL é incorreta",
         "A versão no cabeçalho não é a do leiaute do arquivo. Gere o arquivo na versão em "
         "vigor."),
    Fixa(3, "Mês/Ano de referência inválido", Periodo),
    Fixa(4, "Dígito controle inválido", Digito),
    DoRetorno(5, "Nro de linhas do anexo inválido", Contagem),
    Fixa(6, "Identificação Registro Inválida",
         "O tipo de registro no início da linha não é um dos previstos; comum em linhas quebradas "
         "ou juntadas por um editor. Confira os fins de linha (CR LF)."),
    Fixa(7, "Campo numérico é esperado", Numerico),
    Fixa(8, "Conteúdo deve ser 'S' ou 'N'", Conteudo),
    Fixa(9, "Contador de sequência incorreto",
         "Os números de sequência não seguem em ordem: registros apagados, repetidos ou trocados "
         "de lugar. Renumere ou gere o arquivo de novo."),
    Fixa(10, "Qtd Ocorrências anexo inválida", Contagem),
    Fixa(11, "Conteúdo deve ser 'A','B' ou 'S'", Conteudo),
    Fixa(12, "Data Inválida", Data),
    Fixa(13, "Campo alfabético é esperado",
         "Há dígitos ou sinais num campo de letras. Corrija o "
         "campo."),
    Fixa(14, "Conteúdo só pode ser 'X' ou ' '", Conteudo),
    Fixa(15, "Dia de término inválido", Data),
    Fixa(16, "Campo obrigatório não informado", Obrigatorio),
    DoArquivo(17, "Arquivo não é ROL04", Leiaute),
    DoArquivo(18, "Arquivo de Parâmetros Inválido", Leiaute),
    DoArquivo(19, "Arquivo não encontrado", "O arquivo indicado não existe. Confira o caminho."),
    Fixa(20, "Anexo com cabeçalho inválido",
         "O anexo não traz o mesmo prefixo do cabeçalho da declaração. Confira o cabeçalho."),
    DoArquivo(21, "Arquivo a ser validado não é ROL", Leiaute),
    Fixa(22, "Data de Entrega deve ser zerada", Conteudo),
    Fixa(23, "CFOP inválido", "O CFOP não existe ou não é aceito neste anexo. Corrija o código."),
    Fixa(24, "Valor incorreto", Soma),
    Fixa(25, "Vencimento Incorreto", Data),
    Fixa(26, "Dia Início Período Inválida", Data),
    DoArquivo(27, "Arquivo a ser validado não é ROL03", Leiaute),
    DoArquivo(28, "Não pode ler unidade informada",
              "O arquivo não pôde ser lido até o fim (mídia removida ou com defeito). Copie-o "
              "para o disco e valide de novo."),
    Fixa(29, "Código Inválido", Conteudo),
    DoRetorno(30, "Valor Incorreto", Soma),
    Fixa(31, "Período Apuração Incorreto", Periodo),
    Fixa(32, "Dia Vencimento Incorreto", Data),
    DoRetorno(33, "Valor Incorreto da Referência", Soma),
    DoRetorno(34, "Deve existir apenas UM Anexo 7", Anexo),
    DoRetorno(35, "Não pode ter anexo 7, 7a e 7b", Anexo),
    {36, "Valor do CFOP ", " incorreto", Montagem::ComNumero000, Onde::LinhaGuardada,
     "A soma dos valores de um CFOP nos registros X05 não confere com a dos anexos X05A ou X05B "
     "que o detalham. Acerte os valores do CFOP nos anexos."},
    DoRetorno(37, "Referência Incorreta", Periodo),
    DoRetorno(44, "Anexo X03a sem Anexo X03", Anexo),
    DoRetorno(45, "Anexo X05a ou X05b sem Anexo X05", Anexo),
    DoRetorno(46, "Anexo X07a ou X07b sem Anexo X07", Anexo),
    DoRetorno(47, "Cálculo de ICMS Próprio Incorreto", Soma),
    DoRetorno(48, "Cálculo ICMS Subst. Trib. Incorreto", Soma),
    DoArquivo(49, "Arquivo não é ROL05", Leiaute),
    Fixa(50, "Arquivo com ROLs de versões diferentes",
         "O arquivo junta declarações de versões diferentes do leiaute. Separe-as em arquivos.",
         Onde::RegistroSemPeriodo),
    Fixa(51, "Referência incompatível com versão", Periodo),
    Fixa(52, "Venc Anexo VIII deve ser no Mes/Ano ROL",
         "O vencimento do anexo X08 deve cair no mesmo mês e ano da referência da declaração. "
         "Corrija o vencimento ou a referência."),
};

constexpr EntradaCatalogo ST[] = {
    DoArquivo(1, "Arquivo não é ROL ST", Leiaute),
    Fixa(2, "AVISO: Campos 9 e 10 zerados", Aviso),
    Fixa(3, "Campo não deve ser informado",
         "O campo deve ficar em branco ou zerado nesta situação. Retire o valor."),
    Fixa(4, "Data Incorreta", Data),
    Fixa(5, "Campo Fixo Incorreto", Conteudo),
    Fixa(6, "Vencimento anterior não informado", Obrigatorio),
    ComNumero(7, "Campo ", " deve ser maior que 04/1999", Periodo),
    ComNumero(8, "Informe o campo ", "", Obrigatorio),
    ComNumero(9, "Dig. Controle Campo ", " Incorreto", Digito),
    ComNumero(10, "Campo ", " deve ser positivo", Conteudo),
    ComNumero(11, "Campo ", " não pode ser maior que o 6", Soma),
    Fixa(12, "Campo 10 não pode ser maior que o 9", Soma),
    ComNumero(13, "Valor do campo ", " incorreto", Soma),
    ComNumero(14, "Soma parcelas difere do campo ", "", Soma),
    {15, "", "° venc deve ser maior que 01/", Montagem::ComPeriodo, Onde::Registro,
     "A data de vencimento da parcela é anterior ao primeiro dia do mês de referência da "
     "declaração. Corrija o vencimento ou a referência."},
    Fixa(16, "Data vencimento em duplicidade",
         "Duas parcelas têm a mesma data de vencimento. Corrija as datas."),
    Fixa(17, "Campo 12 não pode ser maior que o 11", Soma),
    Fixa(18, "AVISO: Campos 11 e 12 zerados", Aviso),
    ComNumero(19, "Informe o valor do ", "° pagamento", Obrigatorio),
    ComNumero(20, "Informe o vencimento do ", "° pagto", Obrigatorio),
    Fixa(21, "Código de UF Favorecida incorreto", Conteudo),
    Fixa(22, "Inscrição Estadual incorreta", Digito),
    Fixa(23, "AVISO: Campos 10 e 11 zerados", Aviso),
    Fixa(24, "AVISO: Campos 12 e 13 zerados", Aviso),
    Fixa(25, "Campo 10 deve ser menor que o 11", Soma),
    Fixa(26, "Campo 13 deve ser menor que o 12", Soma),
    Fixa(27, "Deve existir o Anexo III", Anexo),
    DoRetorno(28, "Nro de linhas do anexo inválido", Contagem),
    Fixa(29, "AVISO: mesma Inscrição Estadual da ROL", Aviso),
    Fixa(30, "Não pode ser a mesma Inscrição da ROL",
         "O contribuinte informado no anexo é o próprio declarante. Corrija a inscrição."),
    ComNumero(31, "Valor do campo ", " incorreto", Soma, Onde::LinhaGuardada),
    Fixa(32, "ROL deve ser marcada Sem Movimento", Conteudo),
    Fixa(33, "Todas as ROLs devem ser da mesma UF",
         "O arquivo junta declarações de unidades diferentes. Separe-as em arquivos."),
    Fixa(34, "Mês/Ano refer. incompatível com versão", Periodo),
    Fixa(35, "Data deve ser superior a Mês/Ano refer.",
         "A data existe, mas não cai num mês posterior ao da referência da declaração. Confira a "
         "data e a referência."),
    {36, "Informações duplicadas no Anexo ", "", Montagem::ComAnexo, Onde::Registro,
     "Dois registros seguidos do anexo trazem a mesma identificação: um registro repetido. "
     "Retire a repetição ou junte os valores num registro só."},
    Fixa(37, "Informe nº de linhas do Anexo III", Contagem),
    Fixa(38, "AVISO: Campo 8 maior que Campo 7", Aviso),
    Fixa(39, "AVISO: Campo 9 maior que Campo 7", Aviso),
    Fixa(40, "AVISO: Venc + de 2 meses após data ROL", Aviso),
    ComNumero(41, "Campo ", " deve ser menor que 07/2000", Periodo),
};

// The entries placed by code, for a lookup by index; a code without an entry keeps code 0.
template <std::size_t N, std::size_t K>
constexpr std::array<EntradaCatalogo, N> PorCodigo(const EntradaCatalogo (&entradas)[K]) {
  std::array<EntradaCatalogo, N> tabela{};
  for (const EntradaCatalogo& e : entradas) tabela[static_cast<std::size_t>(e.codigo)] = e;
  return tabela;
}
constexpr auto MensalPorCodigo = PorCodigo<53>(Mensal);
constexpr auto STPorCodigo = PorCodigo<42>(ST);

// Each table in code order, without repeats, and its warnings explained as warnings.
template <std::size_t K>
constexpr bool TabelaEmOrdem(const EntradaCatalogo (&entradas)[K]) {
  for (std::size_t i = 0; i < K; ++i) {
    if (i > 0 && entradas[i].codigo <= entradas[i - 1].codigo) return false;
    if (entradas[i].Aviso() != (entradas[i].explicacao == Aviso)) return false;
    if (entradas[i].explicacao.empty()) return false;
  }
  return true;
}
static_assert(TabelaEmOrdem(Mensal) && TabelaEmOrdem(ST));

}  // namespace

std::span<const EntradaCatalogo> EntradasDoCatalogo(char catalogo) {
  if (catalogo == LetraMensal) return Mensal;
  return ST;
}

const EntradaCatalogo* EntradaDe(char catalogo, int codigo) {
  if (codigo < 1) return nullptr;
  const auto i = static_cast<std::size_t>(codigo);
  const EntradaCatalogo* e = nullptr;
  if (catalogo == LetraMensal) {
    if (i < MensalPorCodigo.size()) e = &MensalPorCodigo[i];
  } else if (i < STPorCodigo.size()) {
    e = &STPorCodigo[i];
  }
  return e != nullptr && e->codigo != 0 ? e : nullptr;
}

bool EAviso(char catalogo, int codigo) {
  const EntradaCatalogo* e = EntradaDe(catalogo, codigo);
  return e != nullptr && e->Aviso();
}

std::string_view TextoDoCatalogo(char catalogo, int codigo) {
  const EntradaCatalogo* e = EntradaDe(catalogo, codigo);
  return e != nullptr && e->montagem == Montagem::Fixa ? e->texto : std::string_view();
}

void AcrescentaMensagem(std::string& destino, const EntradaCatalogo& entrada, int numero,
                        std::string_view periodo) {
  destino.append(entrada.texto);
  switch (entrada.montagem) {
    case Montagem::Fixa:
      return;
    case Montagem::ComNumero:
    case Montagem::ComPeriodo:
      AcrescentaNumero(destino, numero, 1);
      break;
    case Montagem::ComNumero000:
      AcrescentaNumero(destino, numero);
      break;
    case Montagem::ComAnexo:
      destino.append(numero == 1 ? "I" : numero == 2 ? "II" : "III");
      break;
  }
  destino.append(entrada.depois);
  if (entrada.montagem == Montagem::ComPeriodo) AcrescentaPeriodoMascarado(destino, periodo);
}

std::string MensagemModelo(const EntradaCatalogo& entrada) {
  std::string m(entrada.texto);
  switch (entrada.montagem) {
    case Montagem::Fixa:
      return m;
    case Montagem::ComNumero:
    case Montagem::ComPeriodo:
      m += 'n';
      break;
    case Montagem::ComNumero000:
      m += "nnn";
      break;
    case Montagem::ComAnexo:
      m += "I, II ou III";
      break;
  }
  m += entrada.depois;
  if (entrada.montagem == Montagem::ComPeriodo) m += "MM/AAAA";
  return m;
}

}  // namespace rolval
