// The record behind a finding, read from the validated file on demand and never whole: the first
// look builds a sparse index of line starts in one pass over the file in slices (a line ends at
// CR LF or at a lone CR, as the validator counts them); each record after that is a short read.
// Also the column ruler and the display of a line's bytes. Plain script: the page inlines it and
// the tests load it as a CommonJS module.

// Every how many lines a start is kept, and how many bytes each read of the file takes.
var LinhasPorMarco = 1024;
var TamanhoLeitura = 4 * 1024 * 1024;
// Bytes of a line shown at most; a record has 898, so only a line far too long is cut.
var LimiteMostrado = 8192;

var CR = 13;
var LF = 10;

function IndiceLinhas(arquivo, opcoes) {
  this.arquivo = arquivo;
  this.linhasPorMarco = (opcoes && opcoes.linhasPorMarco) || LinhasPorMarco;
  this.tamanhoLeitura = (opcoes && opcoes.tamanhoLeitura) || TamanhoLeitura;
  this.marcos = null;  // offsets of lines 1, 1 + linhasPorMarco, 1 + 2 * linhasPorMarco, ...
  this.totalLinhas = 0;
  this.construcao = null;
}

// Reads bytes [inicio, fim) of the file.
IndiceLinhas.prototype.fatia = function (inicio, fim) {
  return this.arquivo.slice(inicio, fim).arrayBuffer().then(function (b) { return new Uint8Array(b); });
};

// Walks the file from `inicio` (the start of line `numero`) and calls `aoIniciar(numero, posicao)`
// at the start of every following line, until it answers false or the file ends.
IndiceLinhas.prototype.percorre = async function (inicio, numero, aoIniciar) {
  var tamanho = this.arquivo.size;
  var posicao = inicio;
  var crPendente = false;  // the last slice ended on a CR: an LF may follow in the next
  while (posicao < tamanho) {
    var fim = Math.min(tamanho, posicao + this.tamanhoLeitura);
    var bytes = await this.fatia(posicao, fim);
    if (bytes.length !== fim - posicao) throw Object.assign(new Error('short read'), { name: 'NotReadableError' });
    var i = 0;
    if (crPendente) {
      crPendente = false;
      if (bytes[0] === LF) i = 1;
      if (!aoIniciar(++numero, posicao + i)) return;
    }
    for (;;) {
      var cr = bytes.indexOf(CR, i);
      if (cr < 0) break;
      if (cr + 1 === bytes.length) {
        crPendente = true;
        break;
      }
      i = bytes[cr + 1] === LF ? cr + 2 : cr + 1;
      if (!aoIniciar(++numero, posicao + i)) return;
    }
    posicao = fim;
  }
  if (crPendente) aoIniciar(++numero, tamanho);
};

// Builds the index once; every caller waits for the same pass.
IndiceLinhas.prototype.constroi = function () {
  if (!this.construcao) {
    var indice = this;
    var marcos = [0];
    var tamanho = indice.arquivo.size;
    var ultima = tamanho > 0 ? 1 : 0;
    indice.construcao = indice
      .percorre(0, 1, function (numero, posicao) {
        if (posicao < tamanho) {
          ultima = numero;
          if ((numero - 1) % indice.linhasPorMarco === 0) marcos.push(posicao);
        }
        return true;
      })
      .then(function () {
        indice.marcos = Float64Array.from(marcos);
        indice.totalLinhas = ultima;
      })
      .catch(function (erro) {
        indice.construcao = null;
        throw erro;
      });
  }
  return this.construcao;
};

// Line `numero` (1-based): { situacao, bytes, cortada }. situacao is 'lida', 'inexistente'
// (the file has no such line), 'ausente' (the file is gone), 'alterado' (it changed since it was
// chosen) or 'ilegivel' (with `erro`, the reason).
IndiceLinhas.prototype.le = async function (numero, limite) {
  limite = limite || LimiteMostrado;
  try {
    await this.constroi();
    if (numero < 1 || numero > this.totalLinhas) return { situacao: 'inexistente', numero: numero };
    var marco = Math.floor((numero - 1) / this.linhasPorMarco);
    var inicio = this.marcos[marco];
    var atual = marco * this.linhasPorMarco + 1;
    if (atual < numero) {
      await this.percorre(inicio, atual, function (n, posicao) {
        if (n === numero) inicio = posicao;
        return n < numero;
      });
    }
    // The line, up to its CR or one byte past the limit, whichever comes first.
    var fim = Math.min(this.arquivo.size, inicio + limite + 1);
    var bytes = await this.fatia(inicio, fim);
    var cr = bytes.indexOf(CR);
    var linha = cr >= 0 ? bytes.subarray(0, cr) : bytes;
    var cortada = linha.length > limite;
    return { situacao: 'lida', numero: numero, bytes: cortada ? linha.subarray(0, limite) : linha, cortada: cortada };
  } catch (erro) {
    if (erro && erro.name === 'NotFoundError') return { situacao: 'ausente', numero: numero };
    if (erro && erro.name === 'NotReadableError') return { situacao: 'alterado', numero: numero };
    return { situacao: 'ilegivel', numero: numero, erro: String((erro && erro.message) || erro) };
  }
};

// The ruler over `colunas` columns: numbers every ten (each ending at its column), then a mark
// every column ("." , ":" every five, "|" every ten).
function ReguaNumeros(colunas) {
  var regua = new Array(Math.max(colunas, 0)).fill(' ');
  for (var coluna = 10; coluna <= colunas; coluna += 10) {
    var numero = String(coluna);
    for (var k = 0; k < numero.length; k++) regua[coluna - numero.length + k] = numero[k];
  }
  return regua.join('');
}

function ReguaMarcas(colunas) {
  var regua = new Array(Math.max(colunas, 0)).fill('.');
  for (var coluna = 5; coluna <= colunas; coluna += 5) regua[coluna - 1] = coluna % 10 === 0 ? '|' : ':';
  return regua.join('');
}

// A line's bytes for display, one column each: Latin-1, with control bytes (which have no picture,
// and of which an LF or a tab would break the columns) as U+FFFD.
function TextoRegistro(bytes) {
  var partes = [];
  for (var i = 0; i < bytes.length; i += 4096) {
    var pedaco = Array.from(bytes.subarray(i, i + 4096), function (c) {
      return c < 0x20 || (c >= 0x7f && c < 0xa0) ? 0xfffd : c;
    });
    partes.push(String.fromCharCode.apply(null, pedaco));
  }
  return partes.join('');
}

// Latin-1 bytes as text, every byte its own character (the report's bytes).
function TextoLatin1(bytes) {
  var partes = [];
  for (var i = 0; i < bytes.length; i += 4096) partes.push(String.fromCharCode.apply(null, bytes.subarray(i, i + 4096)));
  return partes.join('');
}

if (typeof module !== 'undefined' && module.exports) {
  module.exports = { IndiceLinhas: IndiceLinhas, ReguaNumeros: ReguaNumeros, ReguaMarcas: ReguaMarcas,
                     TextoRegistro: TextoRegistro, TextoLatin1: TextoLatin1, LimiteMostrado: LimiteMostrado };
}
