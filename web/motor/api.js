// The engine as JavaScript calls it (appended to the module built from Motor.cpp):
//
//   const engine = await require('./rolval-engine.js')();
//   engine.valida(bytes, name[, options])           // bytes: Uint8Array, the whole file
//   engine.validaArquivo(blob, name[, options])     // a File or Blob, read in slices (workers only)
//
// Both return { status: 'OK'|'NOK'|'NO_REPORT', document, returns, warnings, saida, param,
// findings, findingLines, messages, jsonl }: saida and param are the report and the status file
// byte for byte, findings the JSON Lines finding objects, findingLines (an Int32Array) the first
// and last line of the report view each finding takes, jsonl the command line's JSON Lines output
// (findings, then the summary). options.onProgress({ percent, caption, taxpayer }) follows the run.
//
//   engine.corrigeArquivo(blob, name)               // a File or Blob (workers only)
//
// returns { bytes, name, changes } with the corrected copy (name: <name>-corrigido.txt) and what
// was changed, or { refusal } when no copy could be made safely.

var rolvalContador = 0;

// Bytes read from a Blob at a time: few reads of a large file, and a bounded buffer.
var rolvalTamanhoFatia = 32 * 1024 * 1024;

function rolvalTextoC(texto) {
  var n = lengthBytesUTF8(texto) + 1;
  var p = _malloc(n);
  stringToUTF8(texto, p, n);
  return p;
}

function rolvalExecuta(caminho, nome, opcoes) {
  var aoProgredir = opcoes && opcoes.onProgress;
  Module['rolvalProgresso'] = aoProgredir
    ? function (valor, legenda, contribuinte) {
        aoProgredir({ percent: valor, caption: legenda, taxpayer: contribuinte });
      }
    : null;
  var pc = rolvalTextoC(caminho);
  var pn = rolvalTextoC(String(nome));
  var r;
  try {
    r = _RolvalValida(pc, pn);
  } finally {
    Module['rolvalProgresso'] = null;
    _free(pc);
    _free(pn);
  }
  try {
    var resumo = UTF8ToString(_RolvalResumo(r));
    var achados = HEAPU8.slice(_RolvalAchados(r), _RolvalAchados(r) + _RolvalTamanhoAchados(r));
    var saida = HEAPU8.slice(_RolvalSaida(r), _RolvalSaida(r) + _RolvalTamanhoSaida(r));
    var param = HEAPU8.slice(_RolvalParam(r), _RolvalParam(r) + _RolvalTamanhoParam(r));
    var sumario = JSON.parse(resumo);
    var inicioLinhas = _RolvalLinhasVisao(r) >> 2;
    var findingLines = HEAP32.slice(inicioLinhas, inicioLinhas + 2 * sumario.findings);
  } finally {
    _RolvalLibera(r);
  }
  var linhas = new TextDecoder('utf-8').decode(achados).split('\n');
  var findings = [];
  for (var i = 0; i < linhas.length; i++) if (linhas[i]) findings.push(JSON.parse(linhas[i]));
  var fimResumo = new TextEncoder().encode(resumo + '\n');
  var jsonl = new Uint8Array(achados.length + fimResumo.length);
  jsonl.set(achados, 0);
  jsonl.set(fimResumo, achados.length);
  return {
    status: sumario.status,
    document: sumario.document,
    returns: sumario.returns,
    warnings: sumario.warnings,
    saida: saida,
    param: param,
    findings: findings,
    findingLines: findingLines,
    messages: sumario.messages,
    jsonl: jsonl,
  };
}

Module['valida'] = function (bytes, nome, opcoes) {
  if (!(bytes instanceof Uint8Array)) throw new TypeError('valida: bytes must be a Uint8Array');
  var pasta = '/rolval/entrada-' + (++rolvalContador);
  FS.mkdirTree(pasta);
  var caminho = pasta + '/arquivo';
  try {
    // The file system keeps a view of the caller's bytes instead of a copy; they are only read.
    FS.writeFile(caminho, bytes, { canOwn: true });
    return rolvalExecuta(caminho, nome, opcoes);
  } finally {
    if (FS.analyzePath(caminho).exists) FS.unlink(caminho);
    FS.rmdir(pasta);
  }
};

// The Blob is read as the engine asks for it, one slice of rolvalTamanhoFatia bytes at a time;
// a read that fails (the file changed or went away) is an I/O error for the engine.
function rolvalLeitorEmFatias(blob) {
  var leitor = new FileReaderSync();
  var inicio = 0;
  var fatia = null;
  return function (stream, buffer, offset, length, position) {
    if (position >= blob.size || length <= 0) return 0;
    if (fatia === null || position < inicio || position >= inicio + fatia.length) {
      fatia = null;
      inicio = position;
      try {
        var fim = Math.min(blob.size, inicio + rolvalTamanhoFatia);
        fatia = new Uint8Array(leitor.readAsArrayBuffer(blob.slice(inicio, fim)));
      } catch (e) {
        throw new FS.ErrnoError(29 /* EIO */);
      }
      if (fatia.length === 0) {
        fatia = null;
        throw new FS.ErrnoError(29 /* EIO */);
      }
    }
    var n = Math.min(length, inicio + fatia.length - position);
    buffer.set(fatia.subarray(position - inicio, position - inicio + n), offset);
    return n;
  };
}

// The Blob mounted as a file of the module for `usa`, read in slices as the engine asks.
function rolvalComArquivo(blob, usa) {
  var ponto = '/rolval/arquivo-' + (++rolvalContador);
  FS.mkdirTree(ponto);
  FS.mount(WORKERFS, { blobs: [{ name: 'arquivo', data: blob }] }, ponto);
  var caminho = ponto + '/arquivo';
  try {
    var no = FS.lookupPath(caminho).node;
    no.stream_ops = Object.assign({}, no.stream_ops, { read: rolvalLeitorEmFatias(blob) });
    return usa(caminho);
  } finally {
    FS.unmount(ponto);
    FS.rmdir(ponto);
  }
}

// The copy's name as rolval-cli --fix gives it beside the file: the name without its extension.
function rolvalNomeDaCopia(nome) {
  var ponto = nome.lastIndexOf('.');
  return (ponto > 0 ? nome.slice(0, ponto) : nome) + '-corrigido.txt';
}

Module['corrigeArquivo'] = function (blob, nome) {
  var pasta = '/rolval/copia-' + (++rolvalContador);
  FS.mkdirTree(pasta);
  var destino = pasta + '/copia';
  try {
    var r = rolvalComArquivo(blob, function (caminho) {
      var pc = rolvalTextoC(caminho);
      var pd = rolvalTextoC(destino);
      try {
        var c = _RolvalCorrige(pc, pd);
        try {
          return JSON.parse(UTF8ToString(_RolvalTextoCorrecao(c)));
        } finally {
          _RolvalLiberaCorrecao(c);
        }
      } finally {
        _free(pc);
        _free(pd);
      }
    });
    if (!r.copy) return { refusal: r.refusal };
    return { bytes: FS.readFile(destino), name: rolvalNomeDaCopia(String(nome)), changes: r.changes };
  } finally {
    if (FS.analyzePath(destino).exists) FS.unlink(destino);
    FS.rmdir(pasta);
  }
};

Module['validaArquivo'] = function (blob, nome, opcoes) {
  return rolvalComArquivo(blob, function (caminho) {
    return rolvalExecuta(caminho, nome, opcoes);
  });
};
