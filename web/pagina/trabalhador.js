// Runs in a Web Worker, after the engine's module (RolvalEngine): validates each file it is sent,
// reading it in slices, and posts the progress and the result back, the findings packed in typed
// arrays that move to the page without a copy; writes a file's findings as JSON Lines or CSV with
// the engine's own writers when the page saves them. The page first sends the
// engine's WebAssembly bytes, so that nothing is fetched, not even from a data: address.
var motor = null;
var bytesMotor = null;

function Motor() {
  if (!motor) motor = RolvalEngine({ wasmBinary: bytesMotor });
  return motor;
}

// The engine's hints on how the file may have been spoilt, from the file's head; none when the
// head cannot be read any more (the report says what went wrong with the file).
function Dicas(engine, arquivo) {
  try {
    var cabeca = arquivo.slice(0, Math.min(arquivo.size, engine.tamanhoInicioDicas()));
    return engine.dicas(new Uint8Array(new FileReaderSync().readAsArrayBuffer(cabeca)), arquivo.size);
  } catch (erro) {
    return [];
  }
}

// The engine's code starts in the browser's quick first form and is made faster only once it has
// run for a while, which a first large file would spend at a third of its speed: the clean
// samples (amostrasAquecimento, put in by the page's build) are validated a few times while the
// page waits for a file. Nothing of it is shown; a failure here is met again by the first file.
var VezesAquecimento = 20;

function Aquece() {
  return Motor()
    .then(function (engine) {
      amostrasAquecimento.forEach(function (texto) {
        var bytes = new Uint8Array(texto.length);
        for (var i = 0; i < texto.length; i++) bytes[i] = texto.charCodeAt(i);
        for (var vez = 0; vez < VezesAquecimento; vez++) engine.valida(bytes, 'aquecimento.txt');
      });
    })
    .catch(function () {});
}

// The file being validated is read by workers of this worker, a slice each at a time, while the
// engine validates here the slice before: reading and validating go on side by side. The browser
// reads a file several times faster with a few reads under way at once than with one after
// another. Each reader reads with the synchronous reader, the quickest the browser has.
var QtdLeitores = 3;
var TamanhoFatia = 16 * 1024 * 1024;
var leitores = [];
var proximoLeitor = 0;
var pedidosLeitura = {};  // the slices asked of the readers and not yet come back, by request
var ultimoPedido = 0;

function CodigoLeitor() {
  onmessage = function (evento) {
    var p = evento.data;
    try {
      var bytes = new FileReaderSync().readAsArrayBuffer(p.arquivo.slice(p.inicio, p.fim));
      postMessage({ pedido: p.pedido, bytes: bytes }, [bytes]);
    } catch (erro) {
      postMessage({ pedido: p.pedido, falha: String((erro && erro.message) || erro) });
    }
  };
}

// The readers take the slices in turn; they are started with the engine, before the first file.
function Leitor() {
  var i = proximoLeitor;
  proximoLeitor = (i + 1) % QtdLeitores;
  if (!leitores[i]) {
    leitores[i] = new Worker(URL.createObjectURL(new Blob(['(' + CodigoLeitor + ')();'], { type: 'text/javascript' })));
    leitores[i].onmessage = function (evento) {
      var r = evento.data;
      var espera = pedidosLeitura[r.pedido];
      delete pedidosLeitura[r.pedido];
      if (r.bytes) espera.lida(r.bytes);
      else espera.falhou(new Error(r.falha));
    };
  }
  return leitores[i];
}

function LeFatiaAoLado(arquivo, inicio, fim) {
  return new Promise(function (lida, falhou) {
    var pedido = ++ultimoPedido;
    pedidosLeitura[pedido] = { lida: lida, falhou: falhou };
    Leitor().postMessage({ pedido: pedido, arquivo: arquivo, inicio: inicio, fim: fim });
  });
}

// Requests are served one after another: a file is validated while its next slice is read, and
// a request that comes meanwhile waits for the run before it to end.
var fila = Promise.resolve();

onmessage = function (evento) {
  var pedido = evento.data;
  if (pedido.tipo === 'inicia') {
    // The engine is made ready before the first file comes.
    bytesMotor = pedido.wasm;
    for (var i = 0; i < QtdLeitores; i++) Leitor();
    fila = pedido.aquece ? fila.then(Aquece) : fila.then(Motor);
    return;
  }
  fila = fila
    .then(function () {
      return Atende(pedido);
    })
    .catch(function (erro) {
      postMessage({ tipo: 'falha', id: pedido.id, texto: String((erro && erro.message) || erro) });
    });
};

function Atende(pedido) {
  var id = pedido.id;
  if (pedido.tipo === 'corrige') {
    // The corrected copy of a file, saved by the page and then validated as any file.
    return Motor().then(function (engine) {
      var r;
      try {
        r = engine.corrigeArquivo(pedido.arquivo, pedido.arquivo.name);
      } catch (erro) {
        r = { refusal: String((erro && erro.message) || erro) };
      }
      postMessage({ tipo: 'corrigido', id: id, correcao: r }, r.bytes ? [r.bytes.buffer] : []);
    }, function (erro) {
      postMessage({ tipo: 'corrigido', id: id, correcao: { refusal: String((erro && erro.message) || erro) } });
    });
  }
  if (pedido.tipo === 'exporta') {
    // The findings of a file in one of the command line's formats: the file validated again, so
    // that nothing of a run is kept between the page's requests.
    return Motor().then(function (engine) {
      return engine.validaArquivo(pedido.arquivo, pedido.arquivo.name, { formats: [pedido.formato] });
    }).then(function (r) {
      var bytes = r[pedido.formato];
      postMessage({ tipo: 'exportado', id: id, bytes: bytes }, [bytes.buffer]);
    }, function (erro) {
      postMessage({ tipo: 'exportado', id: id, falha: String((erro && erro.message) || erro) });
    });
  }
  var inicio;
  var engine;
  return Motor().then(function (e) {
    engine = e;
    inicio = performance.now();
    return engine.validaArquivo(pedido.arquivo, pedido.arquivo.name, {
      readSlice: function (inicio, fim) {
        return LeFatiaAoLado(pedido.arquivo, inicio, fim);
      },
      sliceSize: TamanhoFatia,
      readAhead: QtdLeitores,
      onProgress: function (p) {
        postMessage({ tipo: 'progresso', id: id, percent: p.percent, caption: p.caption, taxpayer: p.taxpayer });
      },
    });
  }).then(function (resultado) {
    postMessage(
      {
        tipo: 'fim',
        id: id,
        resultado: resultado,
        dicas: Dicas(engine, pedido.arquivo),
        ms: performance.now() - inicio,
        memoriaMotor: engine.HEAPU8.length,
        tabelas: engine.tabelas(),
      },
      [resultado.saida.buffer, resultado.param.buffer, resultado.findings.inteiros.buffer, resultado.findings.reais.buffer]
    );
  }, function (erro) {
    // A module that failed half-way is not used again.
    motor = null;
    postMessage({ tipo: 'falha', id: id, texto: String((erro && erro.message) || erro) });
  });
}
