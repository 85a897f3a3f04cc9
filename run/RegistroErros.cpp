#include "run/RegistroErros.h"

#include <array>

#include "run/Execucao.h"
#include "run/Formatos.h"
#include "run/Latin1.h"

namespace rolval {

namespace {

// Monthly catalogue, codes 1 to 52 (codes without text are empty).
constexpr std::array<std::string_view, 53> CatalogoMensal = {
    "",
    "Marca teleprocessamento inválida",
    "Versão da ROL é incorreta",
    "Mês/Ano de referência inválido",
    "Dígito controle inválido",
    "Nro de linhas do anexo inválido",
    "Identificação Registro Inválida",
    "Campo numérico é esperado",
    "Conteúdo deve ser 'S' ou 'N'",
    "Contador de sequência incorreto",
    "Qtd Ocorrências anexo inválida",
    "Conteúdo deve ser 'A','B' ou 'S'",
    "Data Inválida",
    "Campo alfabético é esperado",
    "Conteúdo só pode ser 'X' ou ' '",
    "Dia de término inválido",
    "Campo obrigatório não informado",
    "Arquivo não é ROL04",
    "Arquivo de Parâmetros Inválido",
    "Arquivo não encontrado",
    "Anexo com cabeçalho inválido",
    "Arquivo a ser validado não é ROL",
    "Data de Entrega deve ser zerada",
    "CFOP inválido",
    "Valor incorreto",
    "Vencimento Incorreto",
    "Dia Início Período Inválida",
    "Arquivo a ser validado não é ROL03",
    "Não pode ler unidade informada",
    "Código Inválido",
    "Valor Incorreto",
    "Período Apuração Incorreto",
    "Dia Vencimento Incorreto",
    "Valor Incorreto da Referência",
    "Deve existir apenas UM Anexo 7",
    "Não pode ter anexo 7, 7a e 7b",
    "",  // 36 is built with the CFOP
    "Referência Incorreta",
    "",
    "",
    "",
    "",
    "",
    "",  // 38 to 43
    "Anexo X03a sem Anexo X03",
    "Anexo X05a ou X05b sem Anexo X05",
    "Anexo X07a ou X07b sem Anexo X07",
    "Cálculo de ICMS Próprio Incorreto",
    "Cálculo ICMS Subst. Trib. Incorreto",
    "Arquivo não é ROL05",
    "Arquivo com ROLs de versões diferentes",
    "Referência incompatível com versão",
    "Venc Anexo VIII deve ser no Mes/Ano ROL",
};

// Tax-substitution catalogue, codes 1 to 41; the texts of the codes built with a number are
// completed in MensagemST.
constexpr std::array<std::string_view, 42> CatalogoST = {
    "",
    "Arquivo não é ROL ST",
    "AVISO: Campos 9 e 10 zerados",
    "Campo não deve ser informado",
    "Data Incorreta",
    "Campo Fixo Incorreto",
    "Vencimento anterior não informado",
    "",  // 7
    "",  // 8
    "",  // 9
    "",  // 10
    "",  // 11
    "Campo 10 não pode ser maior que o 9",
    "",  // 13
    "",  // 14
    "",  // 15
    "Data vencimento em duplicidade",
    "Campo 12 não pode ser maior que o 11",
    "AVISO: Campos 11 e 12 zerados",
    "",  // 19
    "",  // 20
    "Código de UF Favorecida incorreto",
    "Inscrição Estadual incorreta",
    "AVISO: Campos 10 e 11 zerados",
    "AVISO: Campos 12 e 13 zerados",
    "Campo 10 deve ser menor que o 11",
    "Campo 13 deve ser menor que o 12",
    "Deve existir o Anexo III",
    "Nro de linhas do anexo inválido",
    "AVISO: mesma Inscrição Estadual da ROL",
    "Não pode ser a mesma Inscrição da ROL",
    "",  // 31
    "ROL deve ser marcada Sem Movimento",
    "Todas as ROLs devem ser da mesma UF",
    "Mês/Ano refer. incompatível com versão",
    "Data deve ser superior a Mês/Ano refer.",
    "",  // 36
    "Informe nº de linhas do Anexo III",
    "AVISO: Campo 8 maior que Campo 7",
    "AVISO: Campo 9 maior que Campo 7",
    "AVISO: Venc + de 2 meses após data ROL",
    "",  // 41
};

bool ECodigoDeFechamento(int codigo) {
  switch (codigo) {
    case 5:
    case 30:
    case 33:
    case 34:
    case 35:
    case 36:
    case 37:
    case 44:
    case 45:
    case 46:
    case 47:
    case 48:
      return true;
    default:
      return false;
  }
}

bool ECodigoDeArquivo(int codigo) {
  switch (codigo) {
    case 17:
    case 18:
    case 19:
    case 21:
    case 27:
    case 28:
    case 49:
      return true;
    default:
      return false;
  }
}

// The registration as a 14-character working copy (blank-filled or cut).
Fixo<14> Copia14(std::string_view inscricao) { return Fixo<14>(inscricao); }

}  // namespace

std::string_view TextoDoCatalogo(char catalogo, int codigo) {
  if (codigo < 1) return {};
  const auto i = static_cast<std::size_t>(codigo);
  if (catalogo == 'M') return i < CatalogoMensal.size() ? CatalogoMensal[i] : std::string_view();
  return i < CatalogoST.size() ? CatalogoST[i] : std::string_view();
}

void Execucao::GravaErro(int codigo, int inicio, int fim) {
  Fixo<14> inscricao = Copia14(RegistroAtual.Inscricao);
  Fixo<6> periodo = RegistroAtual.MesAnoRef;
  std::int32_t linha = NumLinha;
  std::string_view mensagem = TextoDoCatalogo('M', codigo);

  if (ECodigoDeFechamento(codigo)) {
    inscricao = Copia14(CabecalhoROL.Inscricao);
    periodo = CabecalhoROL.MesAnoRef;
    switch (codigo) {
      case 30:
        linha = LinhaX07;
        break;
      case 36:
        linha = LinhaX05;
        break;
      case 44:
        linha = LinhaX03A;
        break;
      case 45:
        linha = LinhaX05A;
        break;
      case 46:
        linha = LinhaX07A;
        break;
      default:
        linha = LinhaCabecalho;
        break;
    }
  } else if (ECodigoDeArquivo(codigo)) {
    if (codigo == 18) controle.Documento = "";
    inscricao = "";
    periodo = "000000";
    RegistroAtual.Inscricao.clear();
  } else if (codigo == 50) {
    periodo = "000000";
  }
  if (codigo == 36) {
    // Built in the reused message buffer: no text is allocated per finding.
    mensagem_.assign("Valor do CFOP ");
    AcrescentaNumero(mensagem_, CfopErro);
    mensagem_.append(" incorreto");
    mensagem = mensagem_;
  }
  EscreveLinhaErro('M', codigo, inscricao, periodo, linha, inicio, fim, mensagem, true);
}

void Execucao::GravaErroST(int codigo, int numero, int inicio, int fim) {
  Fixo<14> inscricao = Copia14(RegistroAtual.Inscricao);
  const Fixo<6> periodoLido = RegistroAtual.MesAnoRef;
  Fixo<6> periodo = periodoLido;
  std::int32_t linha = NumLinha;
  std::string_view mensagem = TextoDoCatalogo('S', codigo);
  // The messages built with the number: antes + number + depois, in the reused message buffer.
  std::string& m = mensagem_;
  auto monta = [&](std::string_view antes, std::string_view depois) {
    m.assign(antes);
    AcrescentaNumero(m, numero, 1);
    m.append(depois);
    mensagem = m;
  };
  switch (codigo) {
    case 1:
      inscricao = "";
      periodo = "";
      break;
    case 7:
      monta("Campo ", " deve ser maior que 04/1999");
      break;
    case 8:
      monta("Informe o campo ", "");
      break;
    case 9:
      monta("Dig. Controle Campo ", " Incorreto");
      break;
    case 10:
      monta("Campo ", " deve ser positivo");
      break;
    case 11:
      monta("Campo ", " não pode ser maior que o 6");
      break;
    case 13:
      monta("Valor do campo ", " incorreto");
      break;
    case 14:
      monta("Soma parcelas difere do campo ", "");
      break;
    case 15:
      monta("", "° venc deve ser maior que 01/");
      AcrescentaPeriodoMascarado(m, periodoLido);
      mensagem = m;
      break;
    case 19:
      monta("Informe o valor do ", "° pagamento");
      break;
    case 20:
      monta("Informe o vencimento do ", "° pagto");
      break;
    case 28:
      linha = LinhaCabecalhoST;
      break;
    case 31:
      monta("Valor do campo ", " incorreto");
      linha = LinhaCabecalhoST;
      break;
    case 36:
      mensagem = numero == 1   ? "Informações duplicadas no Anexo I"
                 : numero == 2 ? "Informações duplicadas no Anexo II"
                               : "Informações duplicadas no Anexo III";
      break;
    case 41:
      monta("Campo ", " deve ser menor que 07/2000");
      break;
    default:
      break;
  }
  EscreveLinhaErro('S', codigo, inscricao, periodo, linha, inicio, fim, mensagem, false);
}

void Execucao::EscreveLinhaErro(char catalogo, int codigo, std::string_view inscricao,
                                std::string_view periodo, std::int32_t linha, int inicio, int fim,
                                std::string_view mensagemUtf8, bool cortaInscricao) {
  std::string& s = linhaErro_;
  s.clear();
  const std::string_view doc = controle.Documento;
  if (Apara(doc).empty() || doc == DocROLST02) {
    s.push_back(' ');
    s.append(inscricao);
  } else {
    s.append("    ");
    const std::size_t antes = s.size();
    AcrescentaInscricaoMascarada(s, inscricao);
    if (cortaInscricao && s.size() - antes > 11) s.resize(antes + 11);
  }
  const std::size_t fimInscricao = s.size();
  if (Apara(periodo).empty()) periodo = "000000";
  AcrescentaPeriodoMascarado(s, periodo);
  const std::size_t fimPeriodo = s.size();
  s.push_back(' ');
  AcrescentaNumero(s, linha);
  s.push_back(' ');
  AcrescentaNumero(s, inicio);
  s.push_back(' ');
  AcrescentaNumero(s, fim);
  s.push_back(' ');
  const std::size_t inicioMensagem = s.size();
  if (mensagemUtf8.data() == mensagem_.data()) {
    AcrescentaLatin1(s, mensagemUtf8);  // built for this finding
  } else {
    // A fixed text stays where it is and as it is: the same place and length, the same text.
    if (mensagemUtf8.data() != textoConvertido_.data() ||
        mensagemUtf8.size() != textoConvertido_.size()) {
      textoLatin1_.clear();
      AcrescentaLatin1(textoLatin1_, mensagemUtf8);
      textoConvertido_ = mensagemUtf8;
    }
    s.append(textoLatin1_);
  }
  HouveErro = true;
  aux1.EscreveLinha(s);
  if (ouvinte_ != nullptr) {
    const std::string_view v = s;
    Achado achado{catalogo,
                  codigo,
                  Apara(v.substr(0, fimInscricao)),
                  v.substr(fimInscricao, fimPeriodo - fimInscricao),
                  linha,
                  inicio,
                  fim,
                  v.substr(inicioMensagem)};
    achado.linhaRelatorio = v;
    // A finding on the line just read: where that line starts and what its columns hold.
    if (linha > 0 && linha == NumLinha) {
      achado.deslocamento = DeslocamentoLinha;
      if (inicio >= 1 && fim >= inicio && static_cast<std::size_t>(inicio) <= LinhaLida.size())
        achado.encontrado = LinhaLida.substr(static_cast<std::size_t>(inicio) - 1,
                                             static_cast<std::size_t>(fim - inicio) + 1);
    }
    ouvinte_->Anota(achado);
  }
}

}  // namespace rolval
