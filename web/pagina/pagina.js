// The page: files chosen or dropped are validated in Web Workers (a few at a time), each with its
// progress as the progress window shows it; the report of a file opens as the output window does,
// with the record behind each finding and its fields, the findings in a grid that sorts and
// filters, and can be saved or printed. Runs after registro.js, relatorio.js, lista.js and
// achados.js, inlined with them.
(function () {
  'use strict';

  var Versao = document.getElementById('lblVersao').textContent;
  var TituloBase = document.title;
  var AlturaLinha = 18;  // px, as --linha in the style sheet
  var LinhasAMais = 20;  // rendered above and below the visible lines of the report

  function $(id) { return document.getElementById(id); }
  function elemento(tag, classe, texto) {
    var e = document.createElement(tag);
    if (classe) e.className = classe;
    if (texto !== undefined) e.textContent = texto;
    return e;
  }

  // Every file of the session: { id, arquivo, situacao ('fila'|'validando'|'pronto'|'falha'),
  // percent, caption, taxpayer, resultado, linhasVisao, blocos, indice, medidas }.
  var arquivos = [];
  var fila = [];
  var aberto = null;      // the file whose report is shown
  var achadoAtual = -1;   // index of the finding whose record is shown
  var cursor = -1;        // index of the finding the arrow keys are on
  var proximoId = 0;
  var camposMotor = null;  // every record type's fields, from the engine, with the first result

  // Workers: the engine's module and the worker's code joined in one script of this page.
  var MemoriaMotorMantida = 64 * 1024 * 1024;
  var MaxTrabalhadores = Math.max(1, Math.min(navigator.hardwareConcurrency || 2, 4));
  var trabalhadores = [];
  var urlTrabalhador = null;
  var wasmMotor = null;

  function PreparaTrabalhador() {
    if (urlTrabalhador) return;
    var motor = $('motor-js').textContent;
    var codigo = $('trabalhador-js').textContent;
    urlTrabalhador = URL.createObjectURL(new Blob([motor, '\n', codigo], { type: 'text/javascript' }));
    var base64 = /data:application\/octet-stream;base64,([A-Za-z0-9+/=]+)/.exec(motor)[1];
    var binario = atob(base64);
    wasmMotor = new Uint8Array(binario.length);
    for (var i = 0; i < binario.length; i++) wasmMotor[i] = binario.charCodeAt(i);
  }

  function NovoTrabalhador() {
    PreparaTrabalhador();
    var t = { w: new Worker(urlTrabalhador), item: null };
    t.w.postMessage({ tipo: 'inicia', wasm: wasmMotor, aquece: true });
    t.w.onmessage = function (ev) { Recebe(t, ev.data); };
    t.w.onerror = function (ev) {
      ev.preventDefault();
      if (t.item) Termina(t, { tipo: 'falha', texto: ev.message || 'erro no validador' });
    };
    trabalhadores.push(t);
    return t;
  }

  // Hands the next queued files to free workers. When the queue is empty, the workers with
  // nothing left to do are ended, so that their memory goes back, all but one, kept ready.
  function Distribui() {
    while (fila.length) {
      var livre = trabalhadores.find(function (t) { return !t.item; });
      if (!livre && trabalhadores.length < MaxTrabalhadores) livre = NovoTrabalhador();
      if (!livre) break;
      var item = fila.shift();
      livre.item = item;
      item.situacao = 'validando';
      item.medidas.inicio = performance.now();
      livre.w.postMessage({ tipo: 'valida', id: item.id, arquivo: item.arquivo });
      AtualizaItem(item);
    }
    if (!fila.length) {
      var pronto = false;
      trabalhadores = trabalhadores.filter(function (t) {
        if (t.item || !pronto) {
          pronto = pronto || !t.item;
          return true;
        }
        t.w.terminate();
        return false;
      });
    }
  }

  function Recebe(t, msg) {
    var item = t.item;
    if (!item || msg.id !== item.id) return;
    if (msg.tipo === 'progresso') {
      if (item.removido) return;
      item.percent = msg.percent;
      if (msg.caption) item.caption = msg.caption;
      item.taxpayer = msg.taxpayer;
      AtualizaItem(item);
      return;
    }
    Termina(t, msg);
  }

  function Termina(t, msg) {
    var item = t.item;
    t.item = null;
    if (msg.tipo === 'falha') {
      t.w.terminate();
      trabalhadores.splice(trabalhadores.indexOf(t), 1);
      item.situacao = 'falha';
      item.falha = msg.texto;
    } else {
      item.situacao = 'pronto';
      item.resultado = msg.resultado;
      if (!camposMotor) camposMotor = { tabelas: msg.tabelas, campos: CamposDasTabelas(msg.tabelas) };
      item.dicas = msg.dicas || [];
      item.medidas.motorMs = msg.ms;
      item.medidas.memoriaMotor = msg.memoriaMotor;
      item.medidas.fim = performance.now();
      // WebAssembly memory never shrinks: a worker whose engine grew for a run of very many
      // findings is ended, so that its memory goes back; another starts when needed.
      if (msg.memoriaMotor > MemoriaMotorMantida) {
        t.w.terminate();
        trabalhadores.splice(trabalhadores.indexOf(t), 1);
      }
    }
    // A file taken off the list, or chosen again, is no longer shown.
    if (!item.removido) {
      AtualizaItem(item);
      // The first file of a choice opens its report when done.
      if (item.abreAoTerminar) AbreRelatorio(item);
    }
    Distribui();
  }

  // Files chosen or dropped. The report open is closed: the first new file's opens when it is
  // done. A file already listed (same name, size and date) is validated again in its own row.
  // The new files' items, in the choice's order.
  function Valida(lista) {
    var novos = Array.prototype.slice.call(lista);
    if (!novos.length) return [];
    FechaRelatorio();
    arquivos.forEach(function (a) { a.abreAoTerminar = false; });
    var lote = novos.map(function (arquivo) {
      var item = {
        id: ++proximoId,
        arquivo: arquivo,
        chave: ChaveArquivo(arquivo),
        situacao: 'fila',
        percent: 0,
        caption: '',
        taxpayer: '',
        medidas: { escolhido: performance.now() },
        abreAoTerminar: false,
      };
      var anterior = arquivos.find(function (a) { return a.chave === item.chave; });
      CriaLinhaTabela(item, anterior ? anterior.linhaTabela : null);
      if (anterior) {
        arquivos[arquivos.indexOf(anterior)] = item;
        Retira(anterior);
      } else {
        arquivos.push(item);
      }
      fila.push(item);
      AtualizaItem(item);
      return item;
    });
    // The same file twice in one choice: the later one stands.
    lote.find(function (item) { return !item.removido; }).abreAoTerminar = true;
    if (arquivos.length > 1) $('lista').hidden = false;
    Distribui();
    return lote;
  }

  // A file no longer listed: out of the queue, its progress gone; a worker on it finishes unheard.
  function Retira(item) {
    item.removido = true;
    var naFila = fila.indexOf(item);
    if (naFila >= 0) fila.splice(naFila, 1);
    if (item.blocoProgresso) item.blocoProgresso.remove();
    item.blocoProgresso = null;
  }

  // "Limpar lista": every file off the list but those being validated now.
  function LimpaLista() {
    arquivos = arquivos.filter(function (item) {
      if (item.situacao === 'validando') return true;
      if (item === aberto) FechaRelatorio();
      Retira(item);
      item.linhaTabela.remove();
      return false;
    });
    $('lista').hidden = arquivos.length === 0;
    AtualizaTotais();
    AtualizaTitulo();
  }

  // The totals row under the table of files.
  function AtualizaTotais() {
    var t = TotaisTabela(arquivos);
    var celulas = $('tabela').tFoot.rows[0].cells;
    celulas[0].textContent = 'Total: ' + t.arquivos + (t.arquivos === 1 ? ' arquivo' : ' arquivos');
    celulas[1].textContent = TextoSituacaoTotais(t);
    celulas[3].textContent = t.retornos;
    celulas[4].textContent = t.achados;
    celulas[5].textContent = t.erros;
    celulas[6].textContent = t.avisos;
  }

  // "Salvar tabela (CSV)": the table of files as it reads, its totals row last.
  function SalvaTabela() {
    var tabela = $('tabela');
    var linhas = [];
    [tabela.tHead.rows[0]].concat(Array.prototype.slice.call(tabela.tBodies[0].rows), [tabela.tFoot.rows[0]])
      .forEach(function (tr) {
        linhas.push(Array.prototype.slice.call(tr.cells, 0, 7).map(function (c) { return c.textContent; }));
      });
    Baixa(new TextEncoder().encode(TextoCsv(linhas)), 'arquivos-validados.csv', 'text/csv;charset=utf-8');
  }

  // The tab names the report shown and its status, or else the file being validated. While a
  // file is validated its percentage reaches the title at most once a second: each change of the
  // title is work for the browser itself, which would otherwise take it from the validation.
  var IntervaloTituloMs = 1000;
  var tituloMudouEm = -Infinity;
  var tituloAdiado = null;
  function AtualizaTitulo() {
    var item = aberto;
    var situacao = item ? $('lblStatus').textContent : '';
    var validando = false;
    if (!item) {
      item = arquivos.find(function (a) { return a.situacao === 'validando'; });
      if (item) situacao = TextoSituacao(item);
      validando = !!item;
    }
    var titulo = TituloPagina(TituloBase, item ? item.arquivo.name : '', situacao);
    if (titulo === document.title) return;
    var espera = tituloMudouEm + IntervaloTituloMs - performance.now();
    if (validando && espera > 0) {
      if (!tituloAdiado) {
        tituloAdiado = setTimeout(function () {
          tituloAdiado = null;
          AtualizaTitulo();
        }, espera);
      }
      return;
    }
    document.title = titulo;
    tituloMudouEm = performance.now();
  }

  // Progress blocks and the table of files.
  function CriaLinhaTabela(item, substituida) {
    var tr = elemento('tr');
    item.linhaTabela = tr;
    var botao = elemento('button', '', 'Abrir relatório');
    botao.type = 'button';
    botao.setAttribute('aria-label', 'Abrir relatório de ' + item.arquivo.name);
    botao.disabled = true;
    botao.addEventListener('click', function () { AbreRelatorio(item); });
    item.botaoAbrir = botao;
    var celulas = ['arquivo', 'situacao', 'documento', 'roles', 'achados', 'erros', 'avisos'];
    item.celulas = {};
    celulas.forEach(function (nome, i) {
      var td = elemento('td', i >= 3 ? 'numero' : '');
      item.celulas[nome] = td;
      tr.appendChild(td);
    });
    var acao = elemento('td');
    acao.appendChild(botao);
    tr.appendChild(acao);
    item.celulas.arquivo.textContent = item.arquivo.name;
    if (substituida) substituida.replaceWith(tr);
    else $('tabela').tBodies[0].appendChild(tr);
  }

  function TextoSituacao(item) {
    switch (item.situacao) {
      case 'fila': return 'Na fila';
      case 'validando': return 'Validando ' + Math.floor(item.percent) + '%';
      case 'falha': return 'Falha';
      default:
        return item.resultado.status === 'NO_REPORT' ? 'Sem relatório' : item.resultado.status;
    }
  }

  function AtualizaItem(item) {
    var c = item.celulas;
    c.situacao.textContent = TextoSituacao(item);
    if (item.situacao === 'pronto') {
      var r = item.resultado;
      var avisos = r.warnings;
      c.documento.textContent = r.document;
      c.roles.textContent = r.returns;
      c.achados.textContent = r.findings.total;
      c.erros.textContent = r.findings.total - avisos;
      c.avisos.textContent = avisos;
      item.botaoAbrir.disabled = false;
    } else if (item.situacao === 'falha') {
      item.botaoAbrir.disabled = false;
    }
    AtualizaProgresso(item);
    AtualizaTotais();
    AtualizaTitulo();
  }

  // The progress window of a file being validated: the layout caption, the bar, the taxpayer.
  function AtualizaProgresso(item) {
    if (item.situacao !== 'validando') {
      if (item.blocoProgresso) {
        item.blocoProgresso.remove();
        item.blocoProgresso = null;
      }
      return;
    }
    if (!item.blocoProgresso) {
      var b = elemento('div', 'progresso');
      b.appendChild(elemento('div', 'nome', item.arquivo.name));
      b.appendChild(elemento('div', 'ver'));
      var barra = elemento('progress');
      barra.setAttribute('aria-label', 'Andamento de ' + item.arquivo.name);
      barra.max = 100;
      barra.value = 0;
      b.appendChild(barra);
      var linha = elemento('div');
      linha.appendChild(elemento('span', '', 'Contribuinte: '));
      linha.appendChild(elemento('span', 'contrib'));
      b.appendChild(linha);
      $('andamento').appendChild(b);
      item.blocoProgresso = b;
    }
    var bloco = item.blocoProgresso;
    bloco.querySelector('.ver').textContent = item.caption;
    bloco.querySelector('progress').value = item.percent;
    bloco.querySelector('.contrib').textContent = item.taxpayer;
  }

  // The output window.
  function AbreRelatorio(item) {
    if (aberto && aberto.linhaTabela) aberto.linhaTabela.classList.remove('aberto');
    aberto = item;
    achadoAtual = -1;
    cursor = -1;
    $('lblCursor').textContent = '';
    item.linhaTabela.classList.add('aberto');
    $('Saida').hidden = false;
    $('VisaoRegistro').hidden = true;
    $('lblArquivo').textContent = item.arquivo.name;
    var status = $('lblStatus');
    var mensagens = $('lblMensagens');
    if (item.situacao === 'falha') {
      status.textContent = 'Falha';
      status.className = 'status FALHA';
      $('lblResumo').textContent = '';
      mensagens.textContent = 'A validação deste arquivo falhou: ' + item.falha;
      mensagens.hidden = false;
      MostraDicas(item, []);
      MostraLinhasRelatorio(new Uint8Array(0), new Int32Array(0));
      AbreGrade(null);
      AtualizaBotoes();
      AtualizaTitulo();
      return;
    }
    var r = item.resultado;
    status.textContent = r.status === 'NO_REPORT' ? 'Sem relatório' : r.status;
    status.className = 'status ' + r.status;
    $('lblResumo').textContent = r.status === 'NO_REPORT' ? '' : TextoResumo(r.findings.total, r.warnings);
    mensagens.textContent = r.messages.join('\n');
    mensagens.hidden = r.messages.length === 0;
    if (!item.linhasVisao) item.linhasVisao = LinhasDaVisao(r.saida);
    MostraLinhasRelatorio(r.saida, r.findings.inteiros);
    AbreGrade(r.findings);
    // The hints, as rolval-cli gives them: for a file whose report is not OK.
    MostraDicas(item, r.status === 'OK' ? [] : item.dicas);
    AtualizaBotoes();
    AtualizaTitulo();
    item.medidas.mostrado = performance.now();
    var s = $('Saida');
    s.dataset.msTotal = String(Math.round(item.medidas.mostrado - item.medidas.escolhido));
    s.dataset.msValidacao = String(Math.round(item.medidas.fim - item.medidas.inicio));
    s.dataset.msMotor = String(Math.round(item.medidas.motorMs));
    s.dataset.memoriaMotor = String(item.medidas.memoriaMotor);
    s.scrollIntoView({ block: 'nearest' });
  }

  // Under the report, the engine's hints on a file whose report is not OK, each as the desktop
  // shows it, and the offer of a corrected copy when one can mend the file; above the report, for
  // a corrected copy, what was changed.
  function MostraDicas(item, dicas) {
    $('txtDicas').replaceChildren.apply($('txtDicas'), dicas.map(function (d) {
      return elemento('p', '', 'Dica: ' + d.text);
    }));
    $('lblDicas').hidden = dicas.length === 0;
    $('BCorrigir').hidden = !dicas.some(function (d) { return d.fixable; });
    $('BCorrigir').disabled = false;
    $('lblCorrecao').textContent = item.correcao || '';
    $('lblCorrecao').hidden = !item.correcao;
  }

  // Salvar cópia corrigida e validar: the copy is made by a worker of its own, downloaded, then
  // validated as a file chosen on its own, its report headed by what was changed.
  function Corrige() {
    var item = aberto;
    if (!item) return;
    $('BCorrigir').disabled = true;
    PreparaTrabalhador();
    var w = new Worker(urlTrabalhador);
    w.onmessage = function (ev) {
      if (ev.data.tipo !== 'corrigido') return;
      w.terminate();
      var c = ev.data.correcao;
      if (!c.bytes) {
        if (aberto !== item) return;
        $('lblMensagens').textContent = 'A cópia corrigida não foi gravada: ' + c.refusal;
        $('lblMensagens').hidden = false;
        $('BCorrigir').disabled = false;
        return;
      }
      Baixa(c.bytes, c.name, 'text/plain');
      var copia = Valida([new File([c.bytes], c.name, { type: 'text/plain' })])[0];
      copia.correcao = 'Relatório da cópia corrigida de ' + item.arquivo.name + ': ' + c.changes +
        '; nenhum outro byte mudou.';
    };
    w.postMessage({ tipo: 'inicia', wasm: wasmMotor });
    w.postMessage({ tipo: 'corrige', id: item.id, arquivo: item.arquivo });
  }

  function FechaRelatorio() {
    $('Saida').hidden = true;
    if (aberto && aberto.linhaTabela) aberto.linhaTabela.classList.remove('aberto');
    aberto = null;
    achadoAtual = -1;
    cursor = -1;
    AtualizaTitulo();
  }

  // The report, only its visible lines in the document: a report of many findings stays light.
  var visao = { bytes: new Uint8Array(0), inicios: null, fins: null, blocos: new Int32Array(0), primeira: -1, ultima: -1 };

  function MostraLinhasRelatorio(bytes, blocos) {
    var linhas = bytes.length ? aberto.linhasVisao : { inicios: new Float64Array(0), fins: new Float64Array(0) };
    visao = { bytes: bytes, inicios: linhas.inicios, fins: linhas.fins, blocos: blocos, primeira: -1, ultima: -1 };
    var largura = 0;
    for (var i = 0; i < linhas.inicios.length; i++) largura = Math.max(largura, linhas.fins[i] - linhas.inicios[i]);
    var espaco = $('txtsaida-espaco');
    espaco.style.height = linhas.inicios.length * AlturaLinha + 6 + 'px';
    espaco.style.width = 'calc(' + largura + 'ch + 1em)';
    var caixa = $('txtsaida');
    caixa.scrollTop = 0;
    caixa.scrollLeft = 0;
    DesenhaLinhas(true);
  }

  function LinhaDoAchado(linhaVisao) {
    return AchadoDaLinha(visao.blocos, linhaVisao, CamposInteiros, PrimeiraLinhaVisao);
  }

  // The first and last report-view lines of finding `indice` (as the engine packs them), or null
  // when there is no such finding.
  function BlocoDoAchado(indice) {
    var b = indice * CamposInteiros + PrimeiraLinhaVisao;
    if (indice < 0 || b + 1 >= visao.blocos.length) return null;
    return { primeira: visao.blocos[b], ultima: visao.blocos[b + 1] };
  }

  function DesenhaLinhas(forca) {
    var caixa = $('txtsaida');
    var total = visao.inicios.length;
    var primeira = Math.max(0, Math.floor(caixa.scrollTop / AlturaLinha) - LinhasAMais);
    var ultima = Math.min(total, Math.ceil((caixa.scrollTop + caixa.clientHeight) / AlturaLinha) + LinhasAMais);
    if (!forca && primeira === visao.primeira && ultima === visao.ultima) return;
    visao.primeira = primeira;
    visao.ultima = ultima;
    var marcado = BlocoDoAchado(achadoAtual);
    var escolhido = BlocoDoAchado(cursor);
    var conteudo = document.createDocumentFragment();
    for (var i = primeira; i < ultima; i++) {
      var div = elemento('div', '', TextoLatin1(visao.bytes.subarray(visao.inicios[i], visao.fins[i])));
      div.dataset.linha = String(i);
      if (LinhaDoAchado(i) >= 0) div.classList.add('achado');
      if (marcado && i >= marcado.primeira && i <= marcado.ultima) div.classList.add('marcado');
      if (escolhido && i >= escolhido.primeira && i <= escolhido.ultima) div.classList.add('cursor');
      conteudo.appendChild(div);
    }
    var linhas = $('txtsaida-linhas');
    linhas.replaceChildren(conteudo);
    linhas.style.transform = 'translateY(' + primeira * AlturaLinha + 'px)';
  }

  // The record of finding `indice`, opened from the report or the grid; Esc gives the focus back
  // to where it was opened from.
  var origemRegistro = 'txtsaida';
  function MostraAchado(indice, origem) {
    if (!aberto || !aberto.resultado) return;
    var achados = aberto.resultado.findings;
    if (indice < 0 || indice >= achados.total) return;
    if (origem) origemRegistro = origem;
    achadoAtual = indice;
    cursor = indice;
    MostraNaVisao(indice);
    DesenhaLinhas(true);
    MarcaNaGrade(indice);
    AtualizaBotoes();
    MostraRegistro(aberto, LeAchado(achados, indice), indice + 1, achados.total);
  }

  // The finding's line brought into sight in the report.
  function MostraNaVisao(indice) {
    var bloco = BlocoDoAchado(indice);
    if (!bloco) return;
    var caixa = $('txtsaida');
    var topo = bloco.primeira * AlturaLinha;
    if (topo < caixa.scrollTop || topo + AlturaLinha > caixa.scrollTop + caixa.clientHeight)
      caixa.scrollTop = Math.max(0, topo - caixa.clientHeight / 3);
  }

  // The arrow keys in the report walk its findings; what they are on is told to screen readers.
  function MoveCursor(indice) {
    var achados = aberto.resultado.findings;
    cursor = Math.max(0, Math.min(achados.total - 1, indice));
    MostraNaVisao(cursor);
    DesenhaLinhas(true);
    var a = LeAchado(achados, cursor);
    $('lblCursor').textContent = 'Achado ' + (cursor + 1) + ' de ' + achados.total +
      (a.linha > 0 ? ', linha ' + a.linha : '') + ': ' + a.mensagem;
  }

  function FechaRegistro() {
    $('VisaoRegistro').hidden = true;
    $(origemRegistro).focus();
  }

  // The record view: the finding's message and line above the line of the file it names, under a
  // column ruler, with the field's columns highlighted and in sight.
  var pedidoRegistro = 0;
  function MostraRegistro(item, achado, ordem, total) {
    var pedido = ++pedidoRegistro;
    var texto = 'Achado ' + ordem + ' de ' + total;
    if (achado.linha > 0) {
      texto += ' - linha ' + achado.linha;
      if (achado.inicio > 0) texto += ', colunas ' + achado.inicio + ' a ' + achado.fim;
    }
    $('lblAchado').textContent = texto + ': ' + achado.mensagem;
    $('lblCampoAchado').textContent = TextoCampoAchado(achado);
    $('VisaoRegistro').hidden = false;
    var aviso = $('lblAviso');
    var pre = $('txtregistro');
    $('lblCampo').textContent = '';
    $('CamposRegistro').hidden = true;
    if (achado.linha <= 0) {
      // A finding of the whole file: its message is all there is to show.
      aviso.hidden = true;
      pre.hidden = true;
      return;
    }
    if (!item.indice) item.indice = new IndiceLinhas(item.arquivo);
    item.indice.le(achado.linha, LimiteMostrado).then(function (linha) {
      if (pedido !== pedidoRegistro) return;
      if (linha.situacao !== 'lida') {
        pre.hidden = true;
        aviso.textContent = TextoSituacaoLinha(linha);
        aviso.hidden = false;
        return;
      }
      DesenhaRegistro(achado, linha);
    });
  }

  function TextoSituacaoLinha(linha) {
    switch (linha.situacao) {
      case 'ausente': return 'O arquivo validado não foi encontrado; o registro não pode ser mostrado.';
      case 'alterado': return 'O arquivo validado foi alterado depois da validação; o registro não pode ser mostrado.';
      case 'inexistente': return 'O arquivo validado não tem a linha ' + linha.numero + '.';
      default: return 'Não foi possível ler o arquivo validado (' + linha.erro + '); o registro não pode ser mostrado.';
    }
  }

  function DesenhaRegistro(achado, linha) {
    var comprimento = linha.bytes.length;
    var inicio = achado.inicio;
    var fim = achado.fim;
    var temCampo = inicio > 0 && fim >= inicio;
    // The ruler reaches the field's last column even past the line's end, up to the shown limit.
    var colunas = comprimento;
    if (temCampo) colunas = Math.max(colunas, Math.min(fim, LimiteMostrado));
    var registro = TextoRegistro(linha.bytes);
    var numeros = ReguaNumeros(colunas);
    var marcas = ReguaMarcas(colunas);
    var pre = $('txtregistro');
    var partes = document.createDocumentFragment();
    var fimRegua = Math.min(fim, colunas);
    var fimCampo = Math.min(fim, comprimento);
    var realcaRegua = temCampo && inicio <= colunas;
    var realcaCampo = realcaRegua && inicio <= comprimento;
    function Linha(textoLinha, classe, ate, marca) {
      var span = elemento('span', classe);
      if (marca) {
        span.appendChild(document.createTextNode(textoLinha.slice(0, inicio - 1)));
        span.appendChild(marca(textoLinha.slice(inicio - 1, ate)));
        span.appendChild(document.createTextNode(textoLinha.slice(ate)));
      } else {
        span.textContent = textoLinha;
      }
      partes.appendChild(span);
    }
    function MarcaRegua(t) { return elemento('span', 'campo-regua', t); }
    function MarcaCampo(t) { return elemento('mark', 'campo', t); }
    Linha(numeros, 'regua', fimRegua, realcaRegua ? MarcaRegua : null);
    partes.appendChild(document.createTextNode('\n'));
    Linha(marcas, 'regua', fimRegua, realcaRegua ? MarcaRegua : null);
    partes.appendChild(document.createTextNode('\n'));
    Linha(registro, 'linha-registro', fimCampo, realcaCampo ? MarcaCampo : null);
    var campos = CamposDoRegistro(achado, comprimento);
    if (campos.length) {
      partes.appendChild(document.createTextNode('\n'));
      partes.appendChild(ReguaCampos(campos, colunas));
    }
    pre.replaceChildren(partes);
    MostraCampos(campos, linha.bytes, achado);
    pre.hidden = false;

    var avisos = [];
    if (linha.cortada) avisos.push('A linha tem mais de ' + LimiteMostrado + ' caracteres; mostrado só o início.');
    if (temCampo && inicio > comprimento && !linha.cortada)
      avisos.push('As colunas ' + inicio + ' a ' + fim + ' ficam além do fim da linha, de ' + comprimento + ' caracteres.');
    var aviso = $('lblAviso');
    aviso.textContent = avisos.join(' ');
    aviso.hidden = avisos.length === 0;

    // The field brought into the middle of the view, or its start to the left when it is wider.
    pre.scrollLeft = 0;
    var campo = pre.querySelector('mark');
    if (campo) {
      var caixa = pre.getBoundingClientRect();
      var r = campo.getBoundingClientRect();
      var folga = Math.max(16, (caixa.width - r.width) / 2);
      pre.scrollLeft = Math.max(0, r.left - caixa.left - folga);
    }
  }

  function AtualizaBotoes() {
    var total = aberto && aberto.resultado ? aberto.resultado.findings.total : 0;
    $('BAnterior').disabled = !(total > 0 && achadoAtual !== 0);
    $('BProximo').disabled = !(total > 0 && achadoAtual < total - 1);
    var comRelatorio = !!(aberto && aberto.resultado && aberto.resultado.saida.length);
    $('BSalvarRelatorio').disabled = !comRelatorio;
    $('BImprimir').disabled = !comRelatorio;
    $('BSalvarJson').disabled = !(aberto && aberto.resultado);
    $('BSalvarCsv').disabled = !(aberto && aberto.resultado);
  }

  // Saving: the bytes as the engine wrote them, named as rolval-cli names a batch's reports.
  function Baixa(bytes, nome, tipo) {
    var url = URL.createObjectURL(new Blob([bytes], { type: tipo }));
    var a = elemento('a');
    a.href = url;
    a.download = nome;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(function () { URL.revokeObjectURL(url); }, 60000);
  }


  // "Salvar JSON Lines" and "Salvar achados (CSV)": the engine's own writers, in a worker of their
  // own that validates the file again, named after the file.
  function Exporta(item, formato, sufixo, tipo) {
    PreparaTrabalhador();
    var w = new Worker(urlTrabalhador);
    w.onmessage = function (ev) {
      if (ev.data.tipo !== 'exportado') return;
      w.terminate();
      if (ev.data.falha) {
        $('lblMensagens').textContent = 'Os achados não foram salvos: ' + ev.data.falha;
        $('lblMensagens').hidden = false;
        return;
      }
      Baixa(ev.data.bytes, NomeSalvo(item.arquivo.name, sufixo), tipo);
    };
    w.postMessage({ tipo: 'inicia', wasm: wasmMotor });
    w.postMessage({ tipo: 'exporta', id: item.id, arquivo: item.arquivo, formato: formato });
  }

  // The findings grid: the desktop's columns, sorted by a header, filtered by kind, message, return
  // and a search; only the rows in sight are in the document.
  var AlturaLinhaGrade = 24;  // px, as .grade-linha in the style sheet
  var ColunasGrade = [
    { chave: 'numero', titulo: 'Nº' }, { chave: 'tipo', titulo: 'Tipo' }, { chave: 'codigo', titulo: 'Código' },
    { chave: 'inscricao', titulo: 'Inscrição' }, { chave: 'periodo', titulo: 'Período' }, { chave: 'linha', titulo: 'Linha' },
    { chave: 'registro', titulo: 'Registro' }, { chave: 'campo', titulo: 'Campo' }, { chave: 'colunas', titulo: 'Colunas' },
    { chave: 'encontrado', titulo: 'Encontrado' }, { chave: 'valores', titulo: 'Declarado / Calculado' },
    { chave: 'mensagem', titulo: 'Mensagem' },
  ];
  var grade = { dados: null, filtro: {}, ordem: 'numero', descendente: false, linhas: new Uint32Array(0), cursor: -1, primeira: -1, ultima: -1 };

  function CriaCabecalhoGrade() {
    var cabecalho = $('grade-cabecalho');
    ColunasGrade.forEach(function (coluna) {
      var celula = elemento('div', 'grade-celula col-' + coluna.chave);
      celula.setAttribute('role', 'columnheader');
      var botao = elemento('button', '', coluna.titulo);
      botao.type = 'button';
      botao.addEventListener('click', function () {
        grade.descendente = grade.ordem === coluna.chave ? !grade.descendente : false;
        grade.ordem = coluna.chave;
        AplicaGrade();
      });
      celula.appendChild(botao);
      coluna.celula = celula;
      cabecalho.appendChild(celula);
    });
  }

  function AbreGrade(dados) {
    grade.dados = dados && dados.total ? dados : null;
    grade.filtro = { tipo: '', mensagem: null, retorno: null, busca: '' };
    grade.ordem = 'numero';
    grade.descendente = false;
    $('selTipo').value = '';
    $('txtBusca').value = '';
    $('Achados').hidden = !grade.dados;
    if (!grade.dados) return;
    var resumos = Resumos(grade.dados);
    grade.resumos = resumos;
    MostraResumo($('tabMensagens'), resumos.mensagens, 'mensagem');
    MostraResumo($('tabRetornos'), resumos.retornos, 'retorno');
    AplicaGrade();
    $('grade').scrollTop = 0;
  }

  // A summary table: each line a button that filters the grid by it. A long list shows its first
  // lines, the most frequent.
  var MaxLinhasResumo = 500;
  function MostraResumo(tabela, linhas, filtro) {
    var corpo = document.createDocumentFragment();
    linhas.slice(0, MaxLinhasResumo).forEach(function (l) {
      var tr = elemento('tr');
      var td = elemento('td');
      var botao = elemento('button', 'filtra', l.rotulo);
      botao.type = 'button';
      botao.title = 'Mostrar só estes achados';
      botao.addEventListener('click', function () {
        grade.filtro[filtro] = l.chave;
        AplicaGrade();
        $('grade').focus();
      });
      td.appendChild(botao);
      tr.appendChild(td);
      tr.appendChild(elemento('td', 'numero', String(l.achados)));
      tr.appendChild(elemento('td', 'numero', String(l.avisos)));
      corpo.appendChild(tr);
    });
    if (linhas.length > MaxLinhasResumo) {
      var resto = elemento('tr');
      var celula = elemento('td', '', 'e mais ' + (linhas.length - MaxLinhasResumo) + ' linhas');
      celula.colSpan = 3;
      resto.appendChild(celula);
      corpo.appendChild(resto);
    }
    tabela.tBodies[0].replaceChildren(corpo);
  }

  // The filters and the order applied again; the cursor stays on its finding when it still shows.
  function AplicaGrade() {
    var d = grade.dados;
    if (!d) return;
    var atual = grade.cursor >= 0 ? grade.linhas[grade.cursor] : -1;
    grade.linhas = OrdenaAchados(d, FiltraAchados(d, grade.filtro, camposMotor.campos), grade.ordem, grade.descendente);
    grade.cursor = atual >= 0 ? grade.linhas.indexOf(atual) : -1;
    if (grade.cursor < 0) $('grade').scrollTop = 0;
    ColunasGrade.forEach(function (c) {
      c.celula.setAttribute('aria-sort', c.chave !== grade.ordem ? 'none' : grade.descendente ? 'descending' : 'ascending');
    });
    $('grade').setAttribute('aria-rowcount', String(grade.linhas.length + 1));
    $('grade-espaco').style.height = grade.linhas.length * AlturaLinhaGrade + 'px';
    var partes = [grade.linhas.length + ' de ' + d.total + ' achados'];
    var rotulo = function (linhas, chave) { return linhas.find(function (l) { return l.chave === chave; }).rotulo; };
    if (grade.filtro.mensagem != null) partes.push('mensagem ' + rotulo(grade.resumos.mensagens, grade.filtro.mensagem));
    if (grade.filtro.retorno != null) partes.push('retorno ' + rotulo(grade.resumos.retornos, grade.filtro.retorno));
    $('lblFiltro').textContent = partes.join('; ');
    DesenhaGrade(true);
  }

  function TextosDaLinha(a) {
    var campo = a.campo >= 0 ? camposMotor.campos[a.campo] : null;
    var tipo = campo ? campo.kind : '';
    var valores = a.declarado !== null || a.calculado !== null ? TextoValor(a.declarado, tipo) + ' / ' + TextoValor(a.calculado, tipo) : '';
    return [String(a.indice + 1), a.aviso ? 'Aviso' : 'Erro', a.catalogo + ' ' + a.codigo, a.inscricao, a.periodo,
            a.linha > 0 ? String(a.linha) : '', a.tipoRegistro,
            campo ? (campo.number > 0 ? campo.number + ' ' : '') + campo.name : '',
            a.inicio > 0 ? a.inicio + '-' + a.fim : '', a.encontrado, valores, a.mensagem];
  }

  function DesenhaGrade(forca) {
    var caixa = $('grade');
    var total = grade.linhas.length;
    var topo = Math.max(0, caixa.scrollTop - $('grade-cabecalho').offsetHeight);
    var primeira = Math.max(0, Math.floor(topo / AlturaLinhaGrade) - 10);
    var ultima = Math.min(total, Math.ceil((topo + caixa.clientHeight) / AlturaLinhaGrade) + 10);
    if (!forca && primeira === grade.primeira && ultima === grade.ultima) return;
    grade.primeira = primeira;
    grade.ultima = ultima;
    var conteudo = document.createDocumentFragment();
    for (var k = primeira; k < ultima; k++) {
      var a = LeAchado(grade.dados, grade.linhas[k]);
      var linha = elemento('div', 'grade-linha' + (a.aviso ? ' aviso' : ' erro'));
      linha.setAttribute('role', 'row');
      linha.setAttribute('aria-rowindex', String(k + 2));
      linha.dataset.posicao = String(k);
      if (k === grade.cursor) linha.classList.add('cursor');
      if (grade.linhas[k] === achadoAtual) linha.classList.add('marcado');
      TextosDaLinha(a).forEach(function (texto, c) {
        var celula = elemento('div', 'grade-celula col-' + ColunasGrade[c].chave, texto);
        celula.setAttribute('role', 'gridcell');
        if (c >= 9) celula.title = texto;
        linha.appendChild(celula);
      });
      conteudo.appendChild(linha);
    }
    var linhas = $('grade-linhas');
    linhas.replaceChildren(conteudo);
    linhas.style.transform = 'translateY(' + primeira * AlturaLinhaGrade + 'px)';
  }

  // The grid's cursor on row `posicao` (of the filtered rows), brought into sight and, unless
  // `calado`, told.
  function MoveCursorGrade(posicao, calado) {
    var total = grade.linhas.length;
    if (!total) return;
    grade.cursor = Math.max(0, Math.min(total - 1, posicao));
    var caixa = $('grade');
    var cabecalho = $('grade-cabecalho').offsetHeight;
    var topo = grade.cursor * AlturaLinhaGrade;
    if (topo < caixa.scrollTop) caixa.scrollTop = topo;
    else if (topo + AlturaLinhaGrade > caixa.scrollTop + caixa.clientHeight - cabecalho)
      caixa.scrollTop = topo + AlturaLinhaGrade - caixa.clientHeight + cabecalho;
    DesenhaGrade(true);
    if (calado) return;
    var a = LeAchado(grade.dados, grade.linhas[grade.cursor]);
    $('lblCursorGrade').textContent = 'Linha ' + (grade.cursor + 1) + ' de ' + total + ': ' + (a.aviso ? 'aviso' : 'erro') +
      ' ' + a.catalogo + ' ' + a.codigo + (a.linha > 0 ? ', linha ' + a.linha : '') + ': ' + a.mensagem;
  }

  // The finding whose record is open, marked in the grid too.
  function MarcaNaGrade(indice) {
    if (!grade.dados) return;
    var posicao = grade.linhas.indexOf(indice);
    if (posicao >= 0) MoveCursorGrade(posicao, true);
    else DesenhaGrade(true);
  }

  // The record's fields: those of its record type's table (the engine's), each repeated field
  // once per occurrence, in column order, as far as the line goes.
  function CamposDoRegistro(achado, comprimento) {
    if (!camposMotor || achado.tabela < 0) return [];
    var tabela = camposMotor.tabelas[achado.tabela];
    var primeiro = camposMotor.campos.findIndex(function (c) { return c.tabela === achado.tabela; });
    var lista = [];
    tabela.fields.forEach(function (c, k) {
      var vezes = Math.max(1, c.times);
      for (var i = 0; i < vezes; i++) {
        var inicio = c.column + i * c.width;
        if (inicio > Math.max(comprimento, tabela.length)) break;
        lista.push({ numero: c.number, nome: c.times > 0 ? c.name + ' (' + (i + 1) + ')' : c.name, inicio: inicio,
                     fim: inicio + c.length - 1, tipo: c.kind,
                     doAchado: primeiro + k === achado.campo && i === achado.ocorrencia });
      }
    });
    return lista.sort(function (a, b) { return a.inicio - b.inicio; });
  }

  function RotuloCampo(c) {
    return (c.numero > 0 ? 'Campo ' + c.numero + ' - ' : '') + c.nome + ', colunas ' + c.inicio + ' a ' + c.fim;
  }

  // The line under the ruler that shows where each field begins and ends, each its own span,
  // named on hover and, from the keyboard, on focus of the record.
  function ReguaCampos(campos, colunas) {
    var regua = elemento('span', 'regua-campos');
    var coluna = 1;
    campos.forEach(function (c, k) {
      if (c.inicio > colunas) return;
      if (c.inicio > coluna) regua.appendChild(document.createTextNode(' '.repeat(c.inicio - coluna)));
      if (c.inicio < coluna) return;  // overlapping occurrences: the first shown
      var fim = Math.min(c.fim, colunas);
      var largura = fim - c.inicio + 1;
      var texto = largura === 1 ? '|' : '[' + '-'.repeat(Math.max(0, largura - 2)) + ']';
      var span = elemento('span', 'campo-na-regua' + (k % 2 ? ' impar' : ' par') + (c.doAchado ? ' do-achado' : ''), texto);
      span.title = RotuloCampo(c);
      span.dataset.campo = String(k);
      regua.appendChild(span);
      coluna = fim + 1;
    });
    return regua;
  }

  var registroAtual = { campos: [], bytes: null, foco: -1 };
  function MostraCampos(campos, bytes, achado) {
    registroAtual = { campos: campos, bytes: bytes, foco: -1 };
    var corpo = document.createDocumentFragment();
    campos.forEach(function (c, k) {
      var tr = elemento('tr', c.doAchado ? 'do-achado' : '');
      tr.dataset.campo = String(k);
      var conteudo = TextoRegistro(bytes.subarray(c.inicio - 1, c.fim));
      [c.numero > 0 ? String(c.numero) : '', c.nome, c.inicio + '-' + c.fim, conteudo, DecodificaCampo(c.tipo, conteudo)]
        .forEach(function (t, i) { tr.appendChild(elemento('td', i === 3 ? 'conteudo' : '', t)); });
      corpo.appendChild(tr);
    });
    $('tabCampos').tBodies[0].replaceChildren(corpo);
    $('CamposRegistro').hidden = campos.length === 0;
    var doAchado = campos.findIndex(function (c) { return c.doAchado; });
    $('CamposRegistro').scrollTop = 0;
    if (doAchado >= 0) FocaCampo(doAchado, true);
  }

  // Field `k` of the record highlighted on the ruler and in the table, and named.
  function FocaCampo(k, rolar) {
    var c = registroAtual.campos[k];
    if (!c) return;
    registroAtual.foco = k;
    document.querySelectorAll('#VisaoRegistro .em-foco').forEach(function (e) { e.classList.remove('em-foco'); });
    var naRegua = document.querySelector('#txtregistro .campo-na-regua[data-campo="' + k + '"]');
    var naTabela = document.querySelector('#tabCampos tr[data-campo="' + k + '"]');
    if (naRegua) naRegua.classList.add('em-foco');
    if (naTabela) {
      naTabela.classList.add('em-foco');
      // Brought into sight within the table's own box; the page itself does not move.
      var caixa = $('CamposRegistro');
      var topo = naTabela.offsetTop - caixa.querySelector('thead').offsetHeight;
      if (rolar && (topo < caixa.scrollTop || naTabela.offsetTop + naTabela.offsetHeight > caixa.scrollTop + caixa.clientHeight))
        caixa.scrollTop = Math.max(0, topo - caixa.clientHeight / 3);
    }
    var conteudo = TextoRegistro(registroAtual.bytes.subarray(c.inicio - 1, c.fim));
    var leitura = DecodificaCampo(c.tipo, conteudo);
    $('lblCampo').textContent = RotuloCampo(c) + ': "' + conteudo + '"' + (leitura ? ' (' + leitura + ')' : '');
  }

  // What the finding says of its field and its values: the field, the bytes found, and for a
  // total, a count or a check digit the value declared and the one computed.
  function TextoCampoAchado(a) {
    var partes = [];
    var campo = a.campo >= 0 && camposMotor ? camposMotor.campos[a.campo] : null;
    if (a.tipoRegistro) partes.push('Registro ' + a.tipoRegistro);
    if (campo) partes.push((campo.number > 0 ? 'campo ' + campo.number + ' - ' : 'campo ') + campo.name);
    if (a.encontrado) partes.push('encontrado "' + a.encontrado + '"');
    var tipo = campo ? campo.kind : '';
    if (a.declarado !== null) partes.push('declarado ' + TextoValor(a.declarado, tipo));
    if (a.calculado !== null) partes.push('calculado ' + TextoValor(a.calculado, tipo));
    return partes.join('; ');
  }

  // Printing: the report whole, in a block that only the print style sheet shows.
  function PreparaImpressao() {
    var destino = $('impressao');
    var titulo = elemento('h2', '', 'Programa de Validação de Documentos - ' + Versao + ' - ' + aberto.arquivo.name);
    var linhas = [];
    var v = aberto.linhasVisao;
    for (var i = 0; i < v.inicios.length; i++) linhas.push(TextoLatin1(aberto.resultado.saida.subarray(v.inicios[i], v.fins[i])));
    // As the desktop program prints it: an empty line, then every line of the report.
    destino.replaceChildren(titulo, elemento('pre', '', '\n' + linhas.join('\n')));
  }

  // Events.
  $('NomeArq').addEventListener('change', function (ev) {
    Valida(ev.target.files);
    ev.target.value = '';
  });
  document.addEventListener('dragover', function (ev) {
    ev.preventDefault();
    document.body.classList.add('soltando');
  });
  document.addEventListener('dragleave', function (ev) {
    if (!ev.relatedTarget) document.body.classList.remove('soltando');
  });
  document.addEventListener('drop', function (ev) {
    ev.preventDefault();
    document.body.classList.remove('soltando');
    if (ev.dataTransfer && ev.dataTransfer.files.length) Valida(ev.dataTransfer.files);
  });

  $('txtsaida').addEventListener('scroll', function () { DesenhaLinhas(false); });
  window.addEventListener('resize', function () { DesenhaLinhas(false); });
  $('txtsaida-linhas').addEventListener('click', function (ev) {
    var div = ev.target.closest('div[data-linha]');
    var selecao = window.getSelection();
    if (!div || (selecao && !selecao.isCollapsed)) return;  // text being selected, not a finding opened
    var indice = LinhaDoAchado(Number(div.dataset.linha));
    if (indice >= 0) MostraAchado(indice, 'txtsaida');
  });
  $('BCorrigir').addEventListener('click', Corrige);
  $('BAnterior').addEventListener('click', function () { MostraAchado(achadoAtual < 0 ? 0 : achadoAtual - 1); });
  $('BProximo').addEventListener('click', function () { MostraAchado(achadoAtual + 1); });
  $('txtsaida').addEventListener('keydown', function (ev) {
    var total = aberto && aberto.resultado ? aberto.resultado.findings.total : 0;
    if (!total || ev.altKey || ev.ctrlKey || ev.metaKey) return;
    if (ev.key === 'ArrowDown') MoveCursor(cursor < 0 ? 0 : cursor + 1);
    else if (ev.key === 'ArrowUp') MoveCursor(cursor < 0 ? 0 : cursor - 1);
    else if (ev.key === 'Enter') MostraAchado(cursor < 0 ? 0 : cursor, 'txtsaida');
    else return;
    ev.preventDefault();
  });
  document.addEventListener('keydown', function (ev) {
    if (ev.key === 'Escape' && !$('Saida').hidden && !$('VisaoRegistro').hidden) {
      ev.preventDefault();
      FechaRegistro();
      return;
    }
    if (ev.key !== 'F3' || $('Saida').hidden) return;
    ev.preventDefault();
    if (ev.shiftKey) $('BAnterior').click();
    else $('BProximo').click();
  });
  $('BSalvarRelatorio').addEventListener('click', function () {
    Baixa(aberto.resultado.saida, NomeSalvo(aberto.arquivo.name, 'saida.txt'), 'text/plain;charset=iso-8859-1');
  });
  $('BSalvarJson').addEventListener('click', function () {
    Exporta(aberto, 'jsonl', 'achados.jsonl', 'application/jsonl');
  });
  $('BSalvarCsv').addEventListener('click', function () {
    Exporta(aberto, 'csv', 'achados.csv', 'text/csv;charset=utf-8');
  });
  $('BImprimir').addEventListener('click', function () {
    PreparaImpressao();
    window.print();
  });
  // One worker started with the page, so that the first file does not wait for the engine.
  NovoTrabalhador();
  window.addEventListener('afterprint', function () { $('impressao').replaceChildren(); });
  $('BFechar').addEventListener('click', FechaRelatorio);
  $('BLimparLista').addEventListener('click', LimpaLista);
  $('BSalvarTabela').addEventListener('click', SalvaTabela);

  CriaCabecalhoGrade();
  $('grade').addEventListener('scroll', function () { DesenhaGrade(false); });
  window.addEventListener('resize', function () { DesenhaGrade(false); });
  $('grade-linhas').addEventListener('click', function (ev) {
    var linha = ev.target.closest('[data-posicao]');
    if (!linha) return;
    grade.cursor = Number(linha.dataset.posicao);
    MostraAchado(grade.linhas[grade.cursor], 'grade');
  });
  $('grade').addEventListener('keydown', function (ev) {
    if (ev.target !== $('grade') || !grade.linhas.length || ev.altKey || ev.ctrlKey || ev.metaKey) return;
    var pagina = Math.max(1, Math.floor($('grade').clientHeight / AlturaLinhaGrade) - 2);
    var c = grade.cursor;
    if (ev.key === 'ArrowDown') MoveCursorGrade(c < 0 ? 0 : c + 1);
    else if (ev.key === 'ArrowUp') MoveCursorGrade(c < 0 ? 0 : c - 1);
    else if (ev.key === 'PageDown') MoveCursorGrade(c + pagina);
    else if (ev.key === 'PageUp') MoveCursorGrade(c - pagina);
    else if (ev.key === 'Home') MoveCursorGrade(0);
    else if (ev.key === 'End') MoveCursorGrade(grade.linhas.length - 1);
    else if (ev.key === 'Enter') MostraAchado(grade.linhas[c < 0 ? 0 : c], 'grade');
    else return;
    ev.preventDefault();
  });
  $('selTipo').addEventListener('change', function () {
    grade.filtro.tipo = $('selTipo').value;
    AplicaGrade();
  });
  var esperaBusca = null;
  $('txtBusca').addEventListener('input', function () {
    clearTimeout(esperaBusca);
    esperaBusca = setTimeout(function () {
      grade.filtro.busca = $('txtBusca').value;
      AplicaGrade();
    }, 150);
  });
  $('BLimparFiltros').addEventListener('click', function () {
    grade.filtro = { tipo: '', mensagem: null, retorno: null, busca: '' };
    $('selTipo').value = '';
    $('txtBusca').value = '';
    AplicaGrade();
  });
  $('txtregistro').addEventListener('keydown', function (ev) {
    if (!registroAtual.campos.length || (ev.key !== 'ArrowRight' && ev.key !== 'ArrowLeft')) return;
    ev.preventDefault();
    var k = registroAtual.foco + (ev.key === 'ArrowRight' ? 1 : -1);
    FocaCampo(Math.max(0, Math.min(registroAtual.campos.length - 1, k)), true);
  });
  $('txtregistro').addEventListener('mouseover', function (ev) {
    var span = ev.target.closest('.campo-na-regua');
    if (span) FocaCampo(Number(span.dataset.campo), false);
  });
})();
