// The report as the page shows it: its bytes cut into view lines (a break at every CR LF, lone CR
// and LF, as the desktop program's view breaks them), and the finding that a view line shows, from
// the lines the engine gives for each finding. Lines are turned into text only when shown. Plain
// script, as registro.js.

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

// The finding whose report line takes view line `linha`, from `linhasAchados` (an Int32Array
// holding, for each finding in report order, `passo` numbers of which the first and the last view
// line it takes are at `desvio` and the next; by default pairs alone); -1 when none does. The last
// finding that starts at or before the line.
function AchadoDaLinha(linhasAchados, linha, passo, desvio) {
  passo = passo || 2;
  desvio = desvio || 0;
  var lo = 0;
  var hi = Math.floor(linhasAchados.length / passo);
  while (lo < hi) {
    var meio = (lo + hi) >> 1;
    if (linhasAchados[passo * meio + desvio] <= linha) lo = meio + 1;
    else hi = meio;
  }
  if (lo === 0 || linha > linhasAchados[passo * (lo - 1) + desvio + 1]) return -1;
  return lo - 1;
}

// "Erros: N    Avisos: M", as the output window's status line counts them.
function TextoResumo(achados, avisos) {
  return 'Erros: ' + (achados - avisos) + '    Avisos: ' + avisos;
}

if (typeof module !== 'undefined' && module.exports) {
  module.exports = { LinhasDaVisao: LinhasDaVisao, AchadoDaLinha: AchadoDaLinha, TextoResumo: TextoResumo };
}
