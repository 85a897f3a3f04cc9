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

onmessage = function (evento) {
  var pedido = evento.data;
  if (pedido.tipo === 'inicia') {
    // The engine is made ready before the first file comes.
    bytesMotor = pedido.wasm;
    Motor();
    return;
  }
  var id = pedido.id;
  if (pedido.tipo === 'corrige') {
    // The corrected copy of a file, saved by the page and then validated as any file.
    Motor().then(function (engine) {
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
    return;
  }
  if (pedido.tipo === 'exporta') {
    // The findings of a file in one of the command line's formats: the file validated again, so
    // that nothing of a run is kept between the page's requests.
    Motor().then(function (engine) {
      var r;
      try {
        r = engine.validaArquivo(pedido.arquivo, pedido.arquivo.name, { formats: [pedido.formato] });
      } catch (erro) {
        postMessage({ tipo: 'exportado', id: id, falha: String((erro && erro.message) || erro) });
        return;
      }
      var bytes = r[pedido.formato];
      postMessage({ tipo: 'exportado', id: id, bytes: bytes }, [bytes.buffer]);
    }, function (erro) {
      postMessage({ tipo: 'exportado', id: id, falha: String((erro && erro.message) || erro) });
    });
    return;
  }
  Motor().then(function (engine) {
    var inicio = performance.now();
    var resultado;
    try {
      resultado = engine.validaArquivo(pedido.arquivo, pedido.arquivo.name, {
        onProgress: function (p) {
          postMessage({ tipo: 'progresso', id: id, percent: p.percent, caption: p.caption, taxpayer: p.taxpayer });
        },
      });
    } catch (erro) {
      // A module that failed half-way is not used again.
      motor = null;
      postMessage({ tipo: 'falha', id: id, texto: String((erro && erro.message) || erro) });
      return;
    }
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
    motor = null;
    postMessage({ tipo: 'falha', id: id, texto: String((erro && erro.message) || erro) });
  });
};
