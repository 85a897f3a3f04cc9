#include "run/RegistroErros.h"

#include "run/Execucao.h"
#include "run/CaminhosRapidos.h"
#include "run/Formatos.h"
#include "run/Latin1.h"

namespace rolval {

namespace {

// The registration as a 14-character working copy (blank-filled or cut).
Fixo<14> Copia14(std::string_view inscricao) { return Fixo<14>(inscricao); }

}  // namespace

LocalAchado Execucao::NoRegistroAtual(std::int32_t linha) const {
  return {RegistroAtual.Inscricao, RegistroAtual.MesAnoRef, linha, TabelaAtual};
}

LocalAchado Execucao::NoRetornoFechado(std::int32_t linha) const {
  return {CabecalhoROL.Inscricao, CabecalhoROL.MesAnoRef, linha, TabelaCabecalho};
}

void Execucao::GravaErro(CodigoM codigo, int inicio, int fim, const ValoresAchado& valores) {
  GravaAchado(LetraMensal, static_cast<int>(codigo), 0, NoRegistroAtual(NumLinha), inicio, fim,
              valores);
}

void Execucao::GravaErro(const LocalAchado& local, CodigoM codigo, int numero, int inicio, int fim,
                         const ValoresAchado& valores) {
  GravaAchado(LetraMensal, static_cast<int>(codigo), numero, local, inicio, fim, valores);
}

void Execucao::GravaErroDoArquivo(CodigoM codigo, int inicio, int fim) {
  // The report of a file whose parameters cannot be read names no document.
  if (codigo == CodigoM::ParametrosInvalidos) controle.Documento = "";
  GravaAchado(LetraMensal, static_cast<int>(codigo), 0, LocalAchado{{}, "000000", NumLinha}, inicio,
              fim, {});
  // Later findings carry no registration until a validator reads one again.
  RegistroAtual.Inscricao.clear();
}

void Execucao::GravaErroST(CodigoST codigo, int numero, int inicio, int fim,
                           const ValoresAchado& valores) {
  GravaAchado(LetraST, static_cast<int>(codigo), numero, NoRegistroAtual(NumLinha), inicio, fim,
              valores);
}

void Execucao::GravaErroST(const LocalAchado& local, CodigoST codigo, int numero, int inicio,
                           int fim, const ValoresAchado& valores) {
  GravaAchado(LetraST, static_cast<int>(codigo), numero, local, inicio, fim, valores);
}

void Execucao::GravaAchado(char catalogo, int codigo, int numero, const LocalAchado& local,
                           int inicio, int fim, const ValoresAchado& valores) {
  const std::string_view periodo = local.periodo;
  std::string_view mensagem;
  if (const EntradaCatalogo* entrada = EntradaDe(catalogo, codigo); entrada != nullptr) {
    if (entrada->montagem == Montagem::Fixa) {
      mensagem = entrada->texto;
    } else {
      // Built in the reused message buffer: no text is allocated per finding.
      mensagem_.clear();
      AcrescentaMensagem(mensagem_, *entrada, numero, periodo);
      mensagem = mensagem_;
    }
  }
  EscreveLinhaErro(catalogo, codigo, Copia14(local.inscricao), periodo, local.linha, inicio, fim,
                   mensagem, catalogo == LetraMensal, local.tabela, valores);
}

void Execucao::EscreveLinhaErro(char catalogo, int codigo, std::string_view inscricao,
                                std::string_view periodo, std::int32_t linha, int inicio, int fim,
                                std::string_view mensagemUtf8, bool cortaInscricao,
                                const TabelaRegistro* tabela, const ValoresAchado& valores) {
  std::string& s = linhaErro_;
  s.clear();
  const std::string_view doc = controle.Documento;
  if (Apara(doc).empty() || controle.Forma.inscricaoComoLida) {
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
  if (!caminhos::MensagemGuardada || mensagemUtf8.data() == mensagem_.data()) {
    AcrescentaLatin1(s, mensagemUtf8);  // built for this finding, or converted every time
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
  arquivoAchados.EscreveLinha(s);
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
    achado.declarado = valores.declarado;
    achado.calculado = valores.calculado;
    if (tabela != nullptr) {
      achado.tipoRegistro = tabela->tipo;
      // The field (and occurrence of a repeated one) whose columns hold all of the finding's:
      // none for a finding across two fields.
      int vez = 0;
      if (inicio > 0 && fim >= inicio)
        if (const CampoRegistro* campo = CampoNaColuna(*tabela, inicio, &vez);
            campo != nullptr && fim <= campo->UltimaDe(vez)) {
          achado.campo = campo;
          achado.ocorrencia = static_cast<std::int16_t>(vez);
        }
    }
    // The header of its return: the line just read when that is a header and the finding is on
    // it as a header; otherwise the header of the open return, which a closing return's findings
    // name too (the next header counts only once it has been read).
    if (tabela != nullptr && linha > 0) {
      if (linha == NumLinha && tabela == TabelaCabecalho && TabelaAtual == TabelaCabecalho) {
        achado.linhaCabecalho = NumLinha;
        achado.deslocamentoCabecalho = DeslocamentoLinha;
      } else if (LinhaCabecalho > 0) {
        achado.linhaCabecalho = LinhaCabecalho;
        achado.deslocamentoCabecalho = DeslocamentoCabecalho;
      }
    }
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
