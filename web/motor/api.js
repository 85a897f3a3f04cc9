// The engine as JavaScript calls it (appended to the module built from Motor.cpp):
//
//   const engine = await require('./rolval-engine.js')();
//   engine.valida(bytes, name[, options])           // bytes: Uint8Array, the whole file
//   engine.validaArquivo(blob, name[, options])     // a File or Blob, read in slices: a Promise
//
// Both return { status: 'OK'|'NOK'|'NO_REPORT', document, returns, warnings, saida, param,
// findings, messages, jsonl, csv }: saida and param are the report and the status file byte for
// byte; findings the run's findings packed (rolvalEmpacotados below), which web/pagina/achados.js
// reads; jsonl and csv, only when options.formats names them ('jsonl', 'csv'), the command line's
// JSON Lines output (findings, then the summary) and its CSV output (options.separator, ';' by
// default). options.onProgress({ percent, caption, taxpayer }) follows the run.
//
//   engine.tabelas()                                // every record type's fields (Motor.cpp)
//   engine.corrigeArquivo(blob, name)               // a File or Blob (workers only)
//
// corrigeArquivo returns { bytes, name, changes } with the corrected copy (name:
// <name>-corrigido.txt) and what was changed, or { refusal } when no copy could be made safely.

var rolvalContador = 0;

// Bytes read from a Blob at a time: few reads of a large file, and a bounded buffer.
var rolvalTamanhoFatia = 32 * 1024 * 1024;

function rolvalTextoC(texto) {
  var n = lengthBytesUTF8(texto) + 1;
  var p = _malloc(n);
  stringToUTF8(texto, p, n);
  return p;
}

// The numbers each finding takes in findings.inteiros and findings.reais, as Motor.cpp packs them.
var rolvalCamposInteiros = 16;
var rolvalCamposReais = 3;

// Texts i of the packed findings as JavaScript strings: Latin-1 bytes, one character each.
function rolvalTextos(bytes, inicios) {
  var textos = new Array(inicios.length - 1);
  for (var i = 0; i < textos.length; i++) {
    var pedaco = bytes.subarray(inicios[i], inicios[i + 1]);
    textos[i] = pedaco.length < 4096 ? String.fromCharCode.apply(null, pedaco) : new TextDecoder('utf-16le').decode(Uint16Array.from(pedaco));
  }
  return textos;
}

// The run's findings out of the module: { total, inteiros (Int32Array), reais (Float64Array),
// textos }, copies the caller owns.
function rolvalEmpacotados(r) {
  var total = _RolvalQtdAchados(r);
  var pi = _RolvalInteiros(r) >> 2;
  var pr = _RolvalReais(r) >> 3;
  var pt = _RolvalTextos(r);
  var qtdTextos = _RolvalQtdTextos(r);
  var inicios = HEAPU32.subarray(_RolvalInicioTextos(r) >> 2, (_RolvalInicioTextos(r) >> 2) + qtdTextos + 1);
  return {
    total: total,
    inteiros: HEAP32.slice(pi, pi + total * rolvalCamposInteiros),
    reais: HEAPF64.slice(pr, pr + total * rolvalCamposReais),
    textos: rolvalTextos(HEAPU8.subarray(pt, pt + inicios[qtdTextos]), inicios),
  };
}

function rolvalBytes(ponteiro, tamanho) {
  return HEAPU8.slice(ponteiro, ponteiro + tamanho);
}

// A run of the file at `caminho` (mounted, so that its length is known) whose bytes the caller
// gives slice by slice: corrida.recebe(bytes, ultimos) is true while the run wants more;
// corrida.falha() when the rest cannot be read; corrida.conclui() gives the result and ends it.
function rolvalCorrida(caminho, nome, opcoes) {
  var aoProgredir = opcoes && opcoes.onProgress;
  var formatos = (opcoes && opcoes.formats) || [];
  var separador = (opcoes && opcoes.separator) || ';';
  var progresso = aoProgredir
    ? function (valor, legenda, contribuinte) {
        aoProgredir({ percent: valor, caption: legenda, taxpayer: contribuinte });
      }
    : null;
  // The engine tells its progress while it goes on, inside each call below.
  function comProgresso(faz) {
    Module['rolvalProgresso'] = progresso;
    try {
      return faz();
    } finally {
      Module['rolvalProgresso'] = null;
    }
  }
  var pc = rolvalTextoC(caminho);
  var pn = rolvalTextoC(String(nome));
  var c;
  try {
    c = comProgresso(function () {
      return _RolvalComeca(pc, pn, (formatos.indexOf('jsonl') >= 0 ? 1 : 0) | (formatos.indexOf('csv') >= 0 ? 2 : 0),
                           separador.charCodeAt(0));
    });
  } finally {
    _free(pc);
    _free(pn);
  }
  return {
    recebe: function (bytes, ultimos) {
      return comProgresso(function () {
        // The room is made first: making it may grow the module's memory, which gives HEAPU8 a
        // new buffer.
        var espaco = _RolvalEspaco(c, bytes.length);
        HEAPU8.set(bytes, espaco);
        return _RolvalRecebe(c, bytes.length, ultimos ? 1 : 0) !== 0;
      });
    },
    falha: function () {
      comProgresso(function () {
        _RolvalFalhaLeitura(c);
      });
    },
    conclui: function () {
      return rolvalResultado(comProgresso(function () {
        return _RolvalConclui(c);
      }), formatos);
    },
  };
}

// The result of a run as the caller receives it; the engine's copy is freed.
function rolvalResultado(r, formatos) {
  try {
    var sumario = JSON.parse(UTF8ToString(_RolvalResumo(r)));
    return {
      status: sumario.status,
      document: sumario.document,
      returns: sumario.returns,
      warnings: sumario.warnings,
      saida: rolvalBytes(_RolvalSaida(r), _RolvalTamanhoSaida(r)),
      param: rolvalBytes(_RolvalParam(r), _RolvalTamanhoParam(r)),
      findings: rolvalEmpacotados(r),
      messages: sumario.messages,
      jsonl: formatos.indexOf('jsonl') >= 0 ? rolvalBytes(_RolvalJsonl(r), _RolvalTamanhoJsonl(r)) : null,
      csv: formatos.indexOf('csv') >= 0 ? rolvalBytes(_RolvalCsv(r), _RolvalTamanhoCsv(r)) : null,
    };
  } finally {
    _RolvalLibera(r);
  }
}

var rolvalTabelas = null;
Module['tabelas'] = function () {
  if (!rolvalTabelas) rolvalTabelas = JSON.parse(UTF8ToString(_RolvalTabelas()));
  return rolvalTabelas;
};

Module['valida'] = function (bytes, nome, opcoes) {
  if (!(bytes instanceof Uint8Array)) throw new TypeError('valida: bytes must be a Uint8Array');
  var pasta = '/rolval/entrada-' + (++rolvalContador);
  FS.mkdirTree(pasta);
  var caminho = pasta + '/arquivo';
  try {
    // The file system keeps a view of the caller's bytes instead of a copy, for their length;
    // the run is given them slice by slice (opcoes.slice bytes at a time, for tests), as the
    // page gives a file's.
    FS.writeFile(caminho, bytes, { canOwn: true });
    var corrida = rolvalCorrida(caminho, nome, opcoes);
    var fatia = (opcoes && opcoes.slice) || rolvalTamanhoFatia;
    for (var inicio = 0; ; inicio += fatia) {
      var fim = Math.min(bytes.length, inicio + fatia);
      if (!corrida.recebe(bytes.subarray(inicio, fim), fim === bytes.length) || fim === bytes.length) break;
    }
    return corrida.conclui();
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

// The Blob validated as it is read: the slices after the current one are asked for before the
// engine validates it, so that they are read meanwhile. options.readSlice(start, end) gives a
// Promise of a slice's bytes (an ArrayBuffer), by default read here from the Blob; a worker may
// have other workers read them instead, in their own threads. options.sliceSize (bytes, 32 MB by
// default) and options.readAhead (how many slices are being read while one is validated, 1 by
// default) set how much is in flight. A read that fails or comes back short (the file changed or
// went away) ends the run as a device's failure. Returns a Promise of the result.
Module['validaArquivo'] = function (blob, nome, opcoes) {
  var ponto = '/rolval/arquivo-' + (++rolvalContador);
  FS.mkdirTree(ponto);
  FS.mount(WORKERFS, { blobs: [{ name: 'arquivo', data: blob }] }, ponto);
  function desmonta() {
    FS.unmount(ponto);
    FS.rmdir(ponto);
  }
  var corrida;
  try {
    corrida = rolvalCorrida(ponto + '/arquivo', nome, opcoes);
  } catch (erro) {
    desmonta();
    throw erro;
  }
  var leFatia = (opcoes && opcoes.readSlice) || function (inicio, fim) {
    return blob.slice(inicio, fim).arrayBuffer();
  };
  var tamanhoFatia = (opcoes && opcoes.sliceSize) || rolvalTamanhoFatia;
  var adiante = Math.max(1, (opcoes && opcoes.readAhead) || 1);
  // The slices asked for and not yet given to the run, in the file's order.
  var pedidas = [];
  var proximoInicio = 0;
  function pede() {
    while (pedidas.length < adiante && proximoInicio < blob.size) {
      var fim = Math.min(blob.size, proximoInicio + tamanhoFatia);
      pedidas.push({ inicio: proximoInicio, fim: fim, lidos: leFatia(proximoInicio, fim) });
      proximoInicio = fim;
    }
  }
  // The slices asked for that the run will not take: neither their bytes nor their failures.
  function dispensa() {
    pedidas.forEach(function (p) {
      p.lidos.catch(function () {});
    });
    pedidas = [];
  }
  // Each slice given to the run once read, the ones after it asked for first.
  function percorre() {
    pede();
    // An empty file is given to the run as its last, empty, slice.
    if (pedidas.length === 0) return Promise.resolve(corrida.recebe(new Uint8Array(0), true));
    var atual = pedidas.shift();
    return atual.lidos.then(
      function (lidos) {
        var bytes = new Uint8Array(lidos);
        if (bytes.length !== atual.fim - atual.inicio) {
          dispensa();
          return corrida.falha();
        }
        pede();
        if (corrida.recebe(bytes, atual.fim >= blob.size) && atual.fim < blob.size) return percorre();
        dispensa();
      },
      function () {
        dispensa();
        corrida.falha();
      });
  }
  return percorre().then(
    function () {
      try {
        return corrida.conclui();
      } finally {
        desmonta();
      }
    },
    function (erro) {
      dispensa();
      desmonta();
      throw erro;
    });
};
