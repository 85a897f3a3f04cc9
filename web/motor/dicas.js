// The engine's hints as JavaScript calls them (appended to the module after api.js):
//
//   engine.tamanhoInicioDicas()       // how many bytes of the file's head the hints look at
//   engine.dicas(inicio, tamanho)     // inicio: Uint8Array, the head; tamanho: the file's size
//
// dicas returns the hints as { text, fixable }, in the engine's order: text in Portuguese, one
// line; fixable whether a corrected copy (corrigeArquivo) can mend what it tells. None for a file
// that shows no sign of having been spoilt.

Module['tamanhoInicioDicas'] = function () {
  return _RolvalTamanhoInicioDicas();
};

Module['dicas'] = function (inicio, tamanho) {
  if (!(inicio instanceof Uint8Array)) throw new TypeError('dicas: the head must be a Uint8Array');
  var n = Math.min(inicio.length, _RolvalTamanhoInicioDicas());
  var p = _malloc(Math.max(n, 1));
  var texto;
  try {
    HEAPU8.set(inicio.subarray(0, n), p);
    var r = _RolvalDicas(p, n, tamanho);
    try {
      texto = UTF8ToString(_RolvalTextoDicas(r));
    } finally {
      _RolvalLiberaDicas(r);
    }
  } finally {
    _free(p);
  }
  return texto.split('\n').filter(Boolean).map(function (linha) {
    return { text: linha.slice(1), fixable: linha[0] === '1' };
  });
};
