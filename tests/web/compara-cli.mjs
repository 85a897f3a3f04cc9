// The WebAssembly engine against rolval-cli, file by file: the report and the status file byte for
// byte, the JSON Lines and CSV outputs byte for byte, the findings as the page reads them from the
// engine's packed rows against rolval-cli's finding objects, and the summary field by field.
// The engine is given each file in slices of many sizes, as the page gives it, and each file again
// as a File read slice by slice, the reads coming back out of order. Files: the bundled
// samples, files of every layout from the sample generator (clean and spoiled), the same files
// with bytes changed at random, and a few malformed ones.
//
//   node compara-cli.mjs --cli BUILD/cli/rolval-cli --amostras BUILD/tools/rolval-amostras \
//                        --motor BUILD/web/rolval-engine.js [--por-layout N]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';
import { argumentos, raizFontes, Sorteio } from './apoio.mjs';

const args = argumentos({ 'por-layout': '200' });
const porLayout = Number(args['por-layout']);
const require = createRequire(import.meta.url);
const { CamposDasTabelas, ObjetoJson } = require(path.join(raizFontes, 'web/pagina/achados.js'));

// The spoils the generator knows, by layout.
const anexosMensais = ['X01', 'X02', 'X03', 'X04', 'X05', 'X05A', 'X05B', 'X06', 'X07A', 'X07B',
                       'X08', 'X09', 'X10', 'X11', 'X12'];
const estragosMensais = [...anexosMensais.map((a) => `soma-${a}`), ...anexosMensais.map((a) => `linhas-${a}`),
                         'digito', 'numerico', 'sequencia', 'vencimento', 'cabecalho'];
const ESTRAGOS = {
  '04': estragosMensais,
  '05': estragosMensais,
  ST02: ['soma-A1', 'soma-A2', 'linhas-A1', 'linhas-A2', 'linhas-A3', 'repete-A1', 'repete-A2',
         'repete-A3', 'digito', 'numerico', 'vencimento'],
  '03': ['soma', 'digito', 'numerico', 'vencimento'],
  ST01: ['soma', 'digito', 'numerico', 'vencimento'],
};

// The file validated as the page validates a File it was given: validaArquivo asking for several
// slices ahead (1 to 4) and each batch of reads answered in the reverse of the order asked, so
// that a later slice comes before an earlier one. A small file in slices that end anywhere in a
// line, a larger one in the page's own.
function ValidaComoPagina(engine, bytes, nome, k) {
  const fatias = [899, 900, 901, 1027, 4096];
  const pendentes = [];
  const readSlice = (inicio, fim) => new Promise((lida) => {
    pendentes.push(() => lida(bytes.slice(inicio, fim).buffer));
    if (pendentes.length === 1) setImmediate(() => { while (pendentes.length) pendentes.pop()(); });
  });
  return engine.validaArquivo(new Blob([bytes]), nome, {
    formats: ['jsonl', 'csv'],
    readSlice,
    sliceSize: bytes.length <= 200000 ? fatias[k % fatias.length] : 16 << 20,
    readAhead: 1 + (k % 4),
  });
}

const pasta = fs.mkdtempSync(path.join(os.tmpdir(), 'rolval-web-'));
const contagem = { amostras: 0, geradas: {}, alteradas: 0, malformadas: 0 };

// Each case is a file name (unique in the folder) and its path.
const casos = [];
function acrescenta(nome, origem) {
  casos.push({ nome, caminho: origem ?? path.join(pasta, nome) });
}

try {
  const amostras = path.join(raizFontes, 'samples');
  for (const nome of fs.readdirSync(amostras).sort()) {
    acrescenta(nome, path.join(amostras, nome));
    contagem.amostras++;
  }

  // Generated files: every spoil of the layout in turn, one file in four clean, some returns
  // spoiled twice, one to four returns.
  const sorteio = new Sorteio(20261207);
  for (const [layout, estragos] of Object.entries(ESTRAGOS)) {
    contagem.geradas[layout] = 0;
    for (let i = 0; i < porLayout; i++) {
      const retornos = 1 + sorteio.inteiro(4);
      const opcoes = ['--layout', layout, '--returns', String(retornos), '--seed', String(i + 1)];
      if (i % 4 !== 0) {
        opcoes.push('--spoil', `${estragos[i % estragos.length]}:${1 + sorteio.inteiro(retornos)}`);
        if (i % 7 === 0) opcoes.push('--spoil', `${sorteio.escolhe(estragos)}:${retornos}`);
      }
      const nome = `gerado-${layout}-${i + 1}.txt`;
      execFileSync(args.amostras, [...opcoes, '-o', path.join(pasta, nome)]);
      acrescenta(nome);
      contagem.geradas[layout]++;
    }
  }

  // Bytes changed at random, any of the 256 values, in one generated file in five: findings in
  // fields the generator never spoils, Latin-1 bytes in the registrations and periods printed.
  for (const caso of casos.filter((c, i) => c.nome.startsWith('gerado-') && i % 5 === 0)) {
    const bytes = fs.readFileSync(caso.caminho);
    for (let k = 0; k < 1 + sorteio.inteiro(6); k++) bytes[sorteio.inteiro(bytes.length)] = sorteio.inteiro(256);
    const nome = caso.nome.replace('gerado-', 'alterado-');
    fs.writeFileSync(path.join(pasta, nome), bytes);
    acrescenta(nome);
    contagem.alteradas++;
  }

  // Malformed files: empty, cut inside a record, lines ended by LF only or by a lone CR, an
  // unknown first line, a first line of Latin-1 letters; and a header whose numbers are all
  // letters, 3,000 times, whose report (about 12 MB) outgrows the memory the work files keep.
  const base = fs.readFileSync(path.join(raizFontes, 'samples', 'rol05-limpo.txt'));
  const cabecalho = base.toString('latin1').split('\r\n')[0];
  const semNumeros = cabecalho.slice(0, 100) + cabecalho.slice(100).replace(/[0-9]/g, 'A');
  const malformados = {
    'muitos-achados.txt': Buffer.from(`${semNumeros}\r\n`.repeat(3000), 'latin1'),
    'vazio.txt': Buffer.alloc(0),
    'cortado.txt': base.subarray(0, base.length - 7),
    'so-lf.txt': Buffer.from(base.toString('latin1').replaceAll('\r\n', '\n'), 'latin1'),
    'cr-sozinho.txt': Buffer.from(base.toString('latin1').replaceAll('\r\n', '\r'), 'latin1'),
    'desconhecido.txt': Buffer.from('NADA AQUI\r\n', 'latin1'),
    'latin1.txt': Buffer.from('****05çãé\xe7\xff\x80\x01 registro\r\n', 'latin1'),
  };
  // A lone CR in the second line at each column of its first and last 48: the line ends there,
  // wherever it falls in the sixteen bytes the engine looks at once.
  const linhas = base.toString('latin1').split('\r\n');
  for (const coluna of [...Array(48).keys(), ...Array.from({ length: 48 }, (_, i) => linhas[1].length - 48 + i)]) {
    const cortada = [...linhas];
    cortada[1] = linhas[1].slice(0, coluna) + '\r' + linhas[1].slice(coluna + 1);
    malformados[`cr-na-coluna-${coluna + 1}.txt`] = Buffer.from(cortada.join('\r\n'), 'latin1');
  }
  for (const [nome, bytes] of Object.entries(malformados)) {
    fs.writeFileSync(path.join(pasta, nome), bytes);
    acrescenta(nome);
    contagem.malformadas++;
  }

  // The engine mounts a File only inside a worker, to learn its length; its bytes then come
  // through validaArquivo's readSlice. Here the process is made to look like a worker.
  globalThis.importScripts = () => {};
  globalThis.FileReaderSync = class {
    readAsArrayBuffer() {
      throw new Error('the comparison gives the engine its bytes through readSlice only');
    }
  };
  const engine = await require(path.resolve(args.motor))();
  const campos = CamposDasTabelas(engine.tabelas());
  const divergencias = [];
  const porStatus = {};
  const pastaCli = path.join(pasta, 'cli');
  const lote = 100;
  for (let inicio = 0; inicio < casos.length; inicio += lote) {
    const parte = casos.slice(inicio, inicio + lote);
    fs.rmSync(pastaCli, { recursive: true, force: true });
    fs.mkdirSync(pastaCli);
    // rolval-cli on the batch: its output (status 1 and 2, NOK and no report, are ordinary).
    const cli = (formato) => {
      try {
        return execFileSync(args.cli, ['--jobs', '2', '--format', formato, '--dir', pastaCli, ...parte.map((c) => c.caminho)],
                            { maxBuffer: 1 << 30, stdio: ['ignore', 'pipe', 'pipe'] });
      } catch (e) {
        if (e.status !== 1 && e.status !== 2) throw e;
        return e.stdout;
      }
    };
    const saidaCli = cli('jsonl');
    // The CSV output, header row once, then each file's rows: each file's rows are the findings'
    // count of its summary.
    const csvCli = cli('csv').toString('utf8');
    const linhasCsv = csvCli.split('\r\n');
    const cabecalhoCsv = linhasCsv.shift() + '\r\n';
    // The command's output, split at each file's summary line.
    const porArquivo = [];
    let atual = [];
    for (const linha of saidaCli.toString('utf8').split('\n')) {
      if (!linha) continue;
      atual.push(linha);
      if (JSON.parse(linha).type === 'summary') {
        porArquivo.push(atual);
        atual = [];
      }
    }
    if (porArquivo.length !== parte.length) throw new Error(`rolval-cli gave ${porArquivo.length} summaries for ${parte.length} files`);

    for (const [i, caso] of parte.entries()) {
      // The engine is given each file in slices as the page gives it, of sizes that end them
      // anywhere in a line: a small file in slices of a few bytes to a few lines, a larger one in
      // the page's own.
      const bytes = new Uint8Array(fs.readFileSync(caso.caminho));
      const fatias = [1, 2, 7, 899, 900, 901, 1027, 4096];
      const fatia = bytes.length <= 200000 ? fatias[(inicio + i) % fatias.length] : undefined;
      const r = engine.valida(bytes, caso.caminho, { formats: ['jsonl', 'csv'], slice: fatia });
      const comoArquivo = await ValidaComoPagina(engine, bytes, caso.caminho, inicio + i);
      const linhas = porArquivo[i];
      const resumo = JSON.parse(linhas[linhas.length - 1]);
      const achados = linhas.slice(0, -1).map((l) => JSON.parse(l));
      const esperadoJsonl = Buffer.from(linhas.join('\n') + '\n', 'utf8');
      const relatorio = path.join(pastaCli, `${caso.nome}.saida.txt`);
      const status = path.join(pastaCli, `${caso.nome}.param.txt`);
      const esperadoSaida = fs.existsSync(relatorio) ? fs.readFileSync(relatorio) : Buffer.alloc(0);
      const esperadoParam = fs.existsSync(status) ? fs.readFileSync(status) : Buffer.alloc(0);
      const erros = [];
      if (!esperadoSaida.equals(Buffer.from(r.saida))) erros.push('saida.txt differs');
      if (!esperadoParam.equals(Buffer.from(r.param))) erros.push('param.txt differs');
      if (!esperadoJsonl.equals(Buffer.from(r.jsonl))) erros.push('JSON Lines differ');
      const lidos = Array.from({ length: r.findings.total }, (_, k) => ObjetoJson(r.findings, campos, k, caso.caminho));
      const diferente = achados.findIndex((a, k) => JSON.stringify(a) !== JSON.stringify(lidos[k]));
      if (diferente >= 0 || achados.length !== lidos.length)
        erros.push(`finding objects differ, first at ${diferente}: ${JSON.stringify(achados[diferente])} against ${JSON.stringify(lidos[diferente])}`);
      // A finding's CSV row may hold line ends inside its quoted texts: the rows are taken whole
      // by counting quotes.
      let csvEsperado = cabecalhoCsv;
      for (let k = 0; k < resumo.findings; k++) {
        let linha = linhasCsv.shift();
        while ((linha.match(/"/g) ?? []).length % 2 === 1) linha += '\r\n' + linhasCsv.shift();
        csvEsperado += linha + '\r\n';
      }
      if (!Buffer.from(csvEsperado, 'utf8').equals(Buffer.from(r.csv))) erros.push('CSV differs');
      for (const campo of ['status', 'document', 'returns', 'warnings', 'messages'])
        if (JSON.stringify(resumo[campo]) !== JSON.stringify(r[campo])) erros.push(`${campo}: ${JSON.stringify(r[campo])} against ${JSON.stringify(resumo[campo])}`);
      for (const saida of ['saida', 'param', 'jsonl', 'csv'])
        if (!Buffer.from(comoArquivo[saida]).equals(Buffer.from(r[saida]))) erros.push(`${saida} of the file read as a File differs`);
      porStatus[r.status] = (porStatus[r.status] ?? 0) + 1;
      if (erros.length) divergencias.push(`${caso.nome}: ${erros.join('; ')}`);
    }
  }

  // A read that comes back short (the file got shorter while it was read) ends the run as a
  // failed read does: with the device's failure.
  const amostra = new Uint8Array(fs.readFileSync(path.join(amostras, 'rol05-com-erros.txt')));
  const lendo = (estraga) => engine.validaArquivo(new Blob([amostra]), 'rol05-com-erros.txt', {
    sliceSize: 901,
    readAhead: 3,
    readSlice: async (inicio, fim) => estraga(inicio, fim) ?? amostra.slice(inicio, fim).buffer,
  });
  const curta = await lendo((inicio, fim) => (inicio === 1802 ? amostra.slice(inicio, fim - 1).buffer : null));
  const falha = await lendo((inicio) => {
    if (inicio === 1802) throw new Error('unreadable');
  });
  const ultima = (r) => Buffer.from(r.saida).toString('latin1').split('\r\n').at(-2);
  for (const [caso, r] of [['short', curta], ['failed', falha]]) {
    if (!/Não pode ler unidade informada$/.test(ultima(r)))
      divergencias.push(`a ${caso} read of the third slice ends the report with "${ultima(r)}"`);
  }
  if (!Buffer.from(curta.saida).equals(Buffer.from(falha.saida))) divergencias.push('a short read and a failed read give different reports');

  const geradas = Object.entries(contagem.geradas).map(([l, n]) => `${l} ${n}`).join(', ');
  console.log(`compared ${casos.length} files with rolval-cli: ${contagem.amostras} bundled samples, ` +
              `generated by layout (${geradas}), ${contagem.alteradas} with random bytes, ` +
              `${contagem.malformadas} malformed; outcomes ${JSON.stringify(porStatus)}`);
  if (divergencias.length) {
    console.log(`${divergencias.length} files differ:`);
    for (const d of divergencias.slice(0, 20)) console.log(`  ${d}`);
    process.exitCode = 1;
  } else {
    console.log('saida.txt, param.txt, JSON Lines, CSV and finding objects identical for every file');
  }
} finally {
  fs.rmSync(pasta, { recursive: true, force: true });
}
