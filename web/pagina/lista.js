// The table of files as the page keeps it: which choice is the same file again, the names of the
// files saved for a file, the totals row, the table as CSV and the tab's title. Plain script, as
// registro.js: the page inlines it and the tests load it as a CommonJS module.

// A file chosen again is the same file when its name, size and date are the same.
function ChaveArquivo(arquivo) {
  return arquivo.name + '\u0000' + arquivo.size + '\u0000' + arquivo.lastModified;
}

// The name without its last extension ("rol05.txt" gives "rol05", "a.b.txt" gives "a.b"); a name
// that is all extension, or has none, is kept whole.
function NomeBase(nome) {
  var ponto = nome.lastIndexOf('.');
  return ponto > 0 ? nome.slice(0, ponto) : nome;
}

// What a saved file is named: "rol05.txt" saves "rol05.saida.txt", "rol05.achados.jsonl".
function NomeSalvo(nome, sufixo) {
  return NomeBase(nome) + '.' + sufixo;
}

// The counts of the table's rows: { arquivos, prontos, ok, nok, semRelatorio, falhas, retornos,
// achados, erros, avisos }, the numbers only over the files already validated. Each row is
// { situacao, resultado } as the page keeps its files.
function TotaisTabela(itens) {
  var t = { arquivos: itens.length, prontos: 0, ok: 0, nok: 0, semRelatorio: 0, falhas: 0,
            retornos: 0, achados: 0, erros: 0, avisos: 0 };
  itens.forEach(function (item) {
    if (item.situacao === 'falha') {
      t.falhas++;
      return;
    }
    if (item.situacao !== 'pronto') return;
    var r = item.resultado;
    t.prontos++;
    if (r.status === 'OK') t.ok++;
    else if (r.status === 'NOK') t.nok++;
    else t.semRelatorio++;
    t.retornos += r.returns;
    t.achados += r.findings.total;
    t.avisos += r.warnings;
    t.erros += r.findings.total - r.warnings;
  });
  return t;
}

// The totals row's status cell: "2 OK, 1 NOK, 1 sem relatório, 3 na fila".
function TextoSituacaoTotais(t) {
  var partes = [];
  if (t.ok) partes.push(t.ok + ' OK');
  if (t.nok) partes.push(t.nok + ' NOK');
  if (t.semRelatorio) partes.push(t.semRelatorio + ' sem relatório');
  if (t.falhas) partes.push(t.falhas + (t.falhas === 1 ? ' falha' : ' falhas'));
  var pendentes = t.arquivos - t.prontos - t.falhas;
  if (pendentes) partes.push(pendentes + ' em andamento');
  return partes.join(', ');
}

// Rows of cells as CSV for a spreadsheet: fields apart by semicolons, quoted when they hold a
// semicolon, a quote or a line end, lines ended by CR LF, UTF-8 with its mark so that accents open
// right.
function TextoCsv(linhas) {
  function Campo(valor) {
    var texto = String(valor);
    return /[;"\r\n]/.test(texto) ? '"' + texto.replace(/"/g, '""') + '"' : texto;
  }
  return '\ufeff' + linhas.map(function (celulas) { return celulas.map(Campo).join(';') + '\r\n'; }).join('');
}

// The tab's title: the file shown and its status before the program's name, so that a tab among
// many tells which report it holds.
function TituloPagina(base, nome, situacao) {
  return nome ? nome + ' - ' + situacao + ' - ' + base : base;
}

if (typeof module !== 'undefined' && module.exports) {
  module.exports = { ChaveArquivo: ChaveArquivo, NomeBase: NomeBase, NomeSalvo: NomeSalvo, TotaisTabela: TotaisTabela,
                     TextoSituacaoTotais: TextoSituacaoTotais, TextoCsv: TextoCsv, TituloPagina: TituloPagina };
}
