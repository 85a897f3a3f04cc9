// The report as the page shows it: its bytes cut into view lines (a break at every CR LF, lone CR
// and LF, as the desktop program's view breaks them) and, for each finding, the view lines its
// report line takes. Lines are turned into text only when shown. Plain script, as registro.js.

var Hifens73 = '-'.repeat(73);

// { inicios, fins }: the view lines, as byte offsets into `bytes` (end exclusive, line end left out).
function LinhasDaVisao(bytes) {
  var inicios = [];
  var fins = [];
  var inicio = 0;
  var i = 0;
  while (i < bytes.length) {
    var c = bytes[i];
    if (c === 13 || c === 10) {
      inicios.push(inicio);
      fins.push(i);
      i += c === 13 && bytes[i + 1] === 10 ? 2 : 1;
      inicio = i;
    } else {
      i++;
    }
  }
  // The last line's end is not an empty line of its own.
  if (inicio < bytes.length) {
    inicios.push(inicio);
    fins.push(bytes.length);
  }
  return { inicios: Float64Array.from(inicios), fins: Float64Array.from(fins) };
}

// For each of the run's `quantos` findings, in report order, { primeira, ultima }: the view lines
// of its report line. Finding lines follow the second line of 73 hyphens, one a finding; a report
// line (up to CR LF or a lone CR) takes more than one view line only when it holds an LF byte.
function LinhasDosAchados(bytes, quantos) {
  var blocos = [];
  var hifens = 0;
  var visao = 0;
  var i = 0;
  while (i < bytes.length && blocos.length < quantos) {
    var inicio = i;
    var quebras = 0;
    while (i < bytes.length && bytes[i] !== 13) {
      if (bytes[i] === 10) quebras++;
      i++;
    }
    var fim = i;
    if (i < bytes.length) i += bytes[i + 1] === 10 ? 2 : 1;
    if (hifens < 2) {
      if (fim - inicio === 73 && quebras === 0 && TextoDosBytes(bytes, inicio, fim) === Hifens73) hifens++;
    } else if (fim > inicio) {
      blocos.push({ primeira: visao, ultima: visao + quebras });
    }
    visao += 1 + quebras;
  }
  return blocos;
}

function TextoDosBytes(bytes, inicio, fim) {
  return String.fromCharCode.apply(null, bytes.subarray(inicio, fim));
}

// "Erros: N    Avisos: M", as the output window's status line counts them.
function TextoResumo(achados) {
  var avisos = 0;
  for (var i = 0; i < achados.length; i++) if (achados[i].warning) avisos++;
  return 'Erros: ' + (achados.length - avisos) + '    Avisos: ' + avisos;
}

if (typeof module !== 'undefined' && module.exports) {
  module.exports = { LinhasDaVisao: LinhasDaVisao, LinhasDosAchados: LinhasDosAchados, TextoResumo: TextoResumo };
}
