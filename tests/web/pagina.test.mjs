// The page's own logic, outside the browser: the line index that fetches a finding's record from
// the file in slices, the column ruler and the display of bytes, and the report's view lines.
//   node --test tests/web/
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import path from 'node:path';
import test from 'node:test';
import { raizFontes } from './apoio.mjs';

const require = createRequire(import.meta.url);
const registro = require(path.join(raizFontes, 'web/pagina/registro.js'));
const relatorio = require(path.join(raizFontes, 'web/pagina/relatorio.js'));
const lista = require(path.join(raizFontes, 'web/pagina/lista.js'));
const { IndiceLinhas, ReguaNumeros, ReguaMarcas, TextoRegistro } = registro;
const { LinhasDaVisao, AchadoDaLinha, TextoResumo } = relatorio;

const latin1 = (texto) => Uint8Array.from(texto, (c) => c.charCodeAt(0));
const texto = (bytes) => String.fromCharCode(...bytes);

// The lines of a file as the validator counts them, written the plain way: a line ends at CR LF or
// at a lone CR; an LF alone is a character of the line; a last line without its end counts.
function LinhasDe(conteudo) {
  const linhas = [];
  let atual = '';
  for (let i = 0; i < conteudo.length; i++) {
    if (conteudo[i] === '\r') {
      linhas.push(atual);
      atual = '';
      if (conteudo[i + 1] === '\n') i++;
    } else {
      atual += conteudo[i];
    }
  }
  if (atual !== '') linhas.push(atual);
  return linhas;
}

test('every line is read back as the validator counts lines, whatever the slice and index sizes', async () => {
  const casos = {
    'CR LF': 'um\r\ndois\r\ntres\r\n',
    'lone CR': 'um\rdois\rtres\r',
    'lone LF inside a line': 'um\ndois\r\ntres\n\r\n',
    'last line without its end': 'um\r\ndois\r\ntres',
    'empty lines': '\r\n\r\n\rx\r\r\n',
    'CR LF split by a slice': 'abc\r\ndefg\r\nhi\r\n',
    'one line': 'so uma',
    'Latin-1 bytes': 'a\xe7\xe3o\r\n\xff\x80\r\n',
    'file ending on a lone CR': 'a\r\nb\r',
    'empty file': '',
  };
  for (const [nome, conteudo] of Object.entries(casos)) {
    const esperado = LinhasDe(conteudo);
    for (const tamanhoLeitura of [1, 2, 3, 4, 1024]) {
      for (const linhasPorMarco of [1, 2, 3]) {
        const indice = new IndiceLinhas(new Blob([latin1(conteudo)]), { tamanhoLeitura, linhasPorMarco });
        const lidas = [];
        for (let n = 1; n <= esperado.length; n++) {
          const l = await indice.le(n);
          assert.equal(l.situacao, 'lida', `${nome}: line ${n}`);
          lidas.push(texto(l.bytes));
        }
        const onde = `${nome}, slices of ${tamanhoLeitura}, a mark every ${linhasPorMarco}`;
        assert.deepEqual(lidas, esperado, onde);
        assert.equal(indice.totalLinhas, esperado.length, onde);
        assert.equal((await indice.le(esperado.length + 1)).situacao, 'inexistente', onde);
        assert.equal((await indice.le(0)).situacao, 'inexistente', onde);
      }
    }
  }
});

test('lines are read in any order, and a line longer than the limit is cut and said so', async () => {
  const linhas = Array.from({ length: 50 }, (_, i) => `linha ${i + 1} `.padEnd(5 + (i % 13), '*'));
  const indice = new IndiceLinhas(new Blob([latin1(linhas.join('\r\n') + '\r\n')]), { tamanhoLeitura: 7, linhasPorMarco: 4 });
  for (const n of [50, 1, 37, 4, 5, 49, 2]) assert.equal(texto((await indice.le(n)).bytes), linhas[n - 1], `line ${n}`);
  const l = await indice.le(12, 6);
  assert.deepEqual([texto(l.bytes), l.cortada], [linhas[11].slice(0, 6), true]);
  const inteira = await indice.le(3, linhas[2].length);
  assert.deepEqual([texto(inteira.bytes), inteira.cortada], [linhas[2], false]);
});

test('a file that cannot be read any more is reported by its reason', async () => {
  const falha = (name) => ({
    size: 10,
    slice: () => ({ arrayBuffer: () => Promise.reject(Object.assign(new Error('x'), { name })) }),
  });
  const casos = { NotReadableError: 'alterado', NotFoundError: 'ausente', TypeError: 'ilegivel' };
  for (const [erro, situacao] of Object.entries(casos)) {
    const indice = new IndiceLinhas(falha(erro));
    assert.equal((await indice.le(1)).situacao, situacao, erro);
    // A later look tries again rather than keep the failure.
    assert.equal(indice.construcao, null, erro);
  }
  // A file that got shorter since it was chosen reads short: the same as changed.
  const encolhido = { size: 10, slice: () => new Blob([latin1('abc')]) };
  assert.equal((await new IndiceLinhas(encolhido).le(1)).situacao, 'alterado');
});

test('the ruler numbers every ten columns, ending at the column, and marks every column', () => {
  assert.equal(ReguaNumeros(25), '        10        20     ');
  assert.equal(ReguaMarcas(25), '....:....|....:....|....:');
  assert.equal(ReguaNumeros(100).slice(-3), '100');
  assert.equal(ReguaNumeros(100).length, 100);
  assert.equal(ReguaNumeros(0), '');
  assert.equal(ReguaMarcas(3), '...');
});

test('record bytes show one column each, control bytes as a replacement sign', () => {
  const bytes = Uint8Array.from([0x41, 0x00, 0x0a, 0x09, 0x1f, 0x20, 0x7e, 0x7f, 0x80, 0x9f, 0xa0, 0xe7, 0xff]);
  assert.equal(TextoRegistro(bytes), 'A\ufffd\ufffd\ufffd\ufffd ~\ufffd\ufffd\ufffd\xa0\xe7\xff');
  const longa = new Uint8Array(10000).fill(0x31);
  assert.equal(TextoRegistro(longa), '1'.repeat(10000));
});

test('the report breaks into view lines at CR LF, lone CR and LF, and each view line maps to its finding', () => {
  const hifens = '-'.repeat(73);
  const cabecalho = ['ENCAMINHAMOS ABAIXO OS ERROS/AVISOS ENCONTRADOS:', '', 'Documento: ROL05', hifens,
                     'REG/TB         Período Lin Ini Fim Descrição do Erro', hifens];
  const achados = ['    514/352250808/2014 001 600 614 Campo numérico é esperado',
                   ' 12\n45678000199 05/2005 002 001 002 Com LF na inscrição',
                   '    954/296996804/2004 019 026 035 Dígito controle inválido'];
  const bytes = latin1([...cabecalho, ...achados].join('\r\n') + '\r\n');
  const visao = LinhasDaVisao(bytes);
  const linhas = Array.from(visao.inicios, (inicio, i) => texto(bytes.subarray(inicio, visao.fins[i])));
  assert.deepEqual(linhas, [...cabecalho, achados[0], ' 12', '45678000199 05/2005 002 001 002 Com LF na inscrição', achados[2]]);
  // The engine's lines of each finding: the second takes two view lines.
  const linhasAchados = Int32Array.from([6, 6, 7, 8, 9, 9]);
  assert.deepEqual(Array.from({ length: 11 }, (_, i) => AchadoDaLinha(linhasAchados, i)),
                   [-1, -1, -1, -1, -1, -1, 0, 1, 1, 2, -1]);

  // An accepted file's report has no finding lines; a lone CR breaks a line as CR LF does.
  const ok = latin1('ARQUIVO OK.\r\rDocumento: ROL05\r\n');
  assert.equal(AchadoDaLinha(new Int32Array(0), 0), -1);
  assert.equal(LinhasDaVisao(ok).inicios.length, 3);
  assert.equal(LinhasDaVisao(latin1('sem fim')).inicios.length, 1);
});

test('the status line counts errors and warnings apart', () => {
  assert.equal(TextoResumo(3, 1), 'Erros: 2    Avisos: 1');
  assert.equal(TextoResumo(0, 0), 'Erros: 0    Avisos: 0');
});

test('the table of files: same file, saved names, totals, CSV and title', () => {
  const arquivo = (name, size, lastModified) => ({ name, size, lastModified });
  const chave = lista.ChaveArquivo(arquivo('a.txt', 10, 5));
  assert.equal(lista.ChaveArquivo(arquivo('a.txt', 10, 5)), chave);
  for (const outro of [arquivo('b.txt', 10, 5), arquivo('a.txt', 11, 5), arquivo('a.txt', 10, 6), arquivo('a.txt1', 0, 5)])
    assert.notEqual(lista.ChaveArquivo(outro), chave, JSON.stringify(outro));

  const nomes = { 'rol05-com-erros.txt': 'rol05-com-erros.saida.txt', 'a.b.txt': 'a.b.saida.txt', semponto: 'semponto.saida.txt',
                  '.txt': '.txt.saida.txt', 'x.': 'x.saida.txt' };
  for (const [nome, salvo] of Object.entries(nomes)) assert.equal(lista.NomeSalvo(nome, 'saida.txt'), salvo, nome);

  const pronto = (status, returns, achados, warnings) =>
    ({ situacao: 'pronto', resultado: { status, returns, warnings, findings: { total: achados } } });
  const itens = [pronto('OK', 3, 0, 0), pronto('NOK', 2, 5, 1), pronto('NO_REPORT', 0, 0, 0), pronto('NOK', 1, 2, 2),
                 { situacao: 'falha' }, { situacao: 'validando' }, { situacao: 'fila' }];
  const t = lista.TotaisTabela(itens);
  assert.deepEqual(t, { arquivos: 7, prontos: 4, ok: 1, nok: 2, semRelatorio: 1, falhas: 1, retornos: 6, achados: 7, erros: 4, avisos: 3 });
  assert.equal(lista.TextoSituacaoTotais(t), '1 OK, 2 NOK, 1 sem relatório, 1 falha, 2 em andamento');
  assert.equal(lista.TextoSituacaoTotais(lista.TotaisTabela([])), '');

  assert.equal(lista.TextoCsv([['Arquivo', 'ROLs'], ['a;b.txt', 3], ['diz "x"', ''], ['linha\nnova', 0]]),
               '\ufeffArquivo;ROLs\r\n"a;b.txt";3\r\n"diz ""x""";\r\n"linha\nnova";0\r\n');

  assert.equal(lista.TituloPagina('Programa', 'a.txt', 'NOK'), 'a.txt - NOK - Programa');
  assert.equal(lista.TituloPagina('Programa', '', ''), 'Programa');
});

// Packed findings as the engine hands them over, from plain rows: [aviso, codigo, inscricao,
// periodo, linha, mensagem, encontrado, declarado].
const achadosJs = require(path.join(raizFontes, 'web/pagina/achados.js'));
function Empacota(linhas) {
  const textos = [];
  const texto = (t) => (textos.indexOf(t) >= 0 ? textos.indexOf(t) : textos.push(t) - 1);
  const inteiros = new Int32Array(linhas.length * 16);
  const reais = new Float64Array(linhas.length * 3).fill(NaN);
  linhas.forEach(([aviso, codigo, inscricao, periodo, linha, mensagem, encontrado, declarado], i) => {
    inteiros.set([77, codigo, aviso, texto(inscricao), texto(periodo), linha, 1, 2, texto(mensagem), texto('X01'),
                  -1, -1, 0, texto(encontrado), 6 + i, 6 + i], i * 16);
    if (declarado !== undefined) reais[i * 3 + 1] = declarado;
  });
  return { total: linhas.length, inteiros, reais, textos };
}

test('the findings grid filters, sorts and sums up the packed findings', () => {
  const d = Empacota([
    [0, 20, '111', '05/2005', 9, 'Valor do campo 21 incorreto', '0001', 5],
    [1, 7, '222', '04/2005', 3, 'Campo zerado', '0000'],
    [0, 20, '222', '04/2005', 12, 'Valor do campo 21 incorreto', '0099', 2],
    [0, 31, '111', '05/2005', 1, 'Dig. Controle Campo 28 Incorreto', 'ABC'],
  ]);
  const { FiltraAchados, OrdenaAchados, Resumos, ChaveMensagem, ChaveRetorno } = achadosJs;
  const filtra = (filtro) => Array.from(FiltraAchados(d, filtro, []));
  const casos = [
    [{}, [0, 1, 2, 3]],
    [{ tipo: 'erro' }, [0, 2, 3]],
    [{ tipo: 'aviso' }, [1]],
    [{ mensagem: ChaveMensagem(d, 0) }, [0, 2]],
    [{ retorno: ChaveRetorno(d, 1) }, [1, 2]],
    [{ busca: 'CONTROLE' }, [3]],
    [{ busca: '0099' }, [2]],
    [{ busca: '12' }, [2]],          // a line number
    [{ busca: '7' }, [1]],           // a code, whole
    [{ tipo: 'erro', retorno: ChaveRetorno(d, 1) }, [2]],
  ];
  for (const [filtro, esperado] of casos) assert.deepEqual(filtra(filtro), esperado, JSON.stringify(filtro));

  const todos = FiltraAchados(d, {}, []);
  const ordens = [
    ['numero', false, [0, 1, 2, 3]], ['numero', true, [3, 2, 1, 0]],
    ['linha', false, [3, 1, 0, 2]], ['periodo', false, [1, 2, 0, 3]],
    ['codigo', false, [1, 0, 2, 3]], ['codigo', true, [3, 0, 2, 1]],  // ties stay in report order
    ['valores', true, [0, 2, 1, 3]], ['tipo', false, [0, 2, 3, 1]],
  ];
  for (const [coluna, desc, esperado] of ordens)
    assert.deepEqual(Array.from(OrdenaAchados(d, todos, coluna, desc)), esperado, `${coluna} ${desc}`);

  const r = Resumos(d);
  assert.deepEqual(r.mensagens.map((l) => [l.rotulo, l.achados, l.avisos]),
                   [['M 20: Valor do campo 21 incorreto', 2, 0], ['M 7: Campo zerado', 1, 1], ['M 31: Dig. Controle Campo 28 Incorreto', 1, 0]]);
  assert.deepEqual(r.retornos.map((l) => [l.rotulo, l.achados]), [['111 - 05/2005', 2], ['222 - 04/2005', 2]]);
});

test('a field\'s bytes read by its kind', () => {
  const casos = [
    ['data-ddmmaaaa', '31012005', '31/01/2005'], ['data-ddmmaaaa', '31022005', 'data inválida'],
    ['data-ddmmaaaa', '3101200A', ''], ['data-aaaammdd', '20050229', 'data inválida'],
    ['data-aaaammdd', '20040229', '29/02/2004'], ['periodo-mmaaaa', '052005', '05/2005'],
    ['valor', '000001234567', '12.345,67'], ['valor', '000000000005', '0,05'], ['valor', '00000000000', '0,00'],
    ['valor', '12 4', ''], ['digitos', '0012', ''], ['texto', 'ABC', ''],
  ];
  for (const [tipo, texto, esperado] of casos) assert.equal(achadosJs.DecodificaCampo(tipo, texto), esperado, `${tipo} ${texto}`);
  assert.deepEqual([1234567, -1000, 0, 2.5, null].map((v) => achadosJs.TextoValor(v)), ['1.234.567', '-1.000', '0', '2,5', '']);
  assert.deepEqual([5096591, -1000, 7, null].map((v) => achadosJs.TextoValor(v, 'valor')), ['50.965,91', '-10,00', '0,07', '']);
});
