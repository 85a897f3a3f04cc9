// The run's findings as the engine hands them over, packed: per finding 16 numbers in `inteiros`
// and 3 in `reais`, each text once in `textos`. Reads one finding when it is shown, and filters,
// sorts and sums them up without making an object per finding, so that a million findings stay
// light. Also the decoding of a record's fields by their kind. Plain script, as registro.js.

var CamposInteiros = 16;
var CamposReais = 3;
// Where each number of a finding lies in `inteiros`.
var Catalogo = 0, Codigo = 1, Aviso = 2, Inscricao = 3, Periodo = 4, Linha = 5, Inicio = 6, Fim = 7,
    Mensagem = 8, TipoRegistro = 9, Tabela = 10, Campo = 11, Ocorrencia = 12, Encontrado = 13,
    PrimeiraLinhaVisao = 14;  // and the last line of the view it takes at 15

// The fields of every record type (the engine's tables), each with its table and its number in
// the list of all fields, the number a finding names its field by.
function CamposDasTabelas(tabelas) {
  var campos = [];
  tabelas.forEach(function (tabela, t) {
    tabela.fields.forEach(function (campo) { campos.push(Object.assign({ tabela: t }, campo)); });
  });
  return campos;
}

// Finding `i` as an object, for the one being shown.
function LeAchado(d, i) {
  var n = d.inteiros, b = i * CamposInteiros, r = i * CamposReais;
  var declarado = d.reais[r + 1], calculado = d.reais[r + 2];
  return {
    indice: i,
    catalogo: n[b + Catalogo] === 83 ? 'ST' : 'M',
    codigo: n[b + Codigo],
    aviso: n[b + Aviso] === 1,
    inscricao: d.textos[n[b + Inscricao]],
    periodo: d.textos[n[b + Periodo]],
    linha: n[b + Linha],
    inicio: n[b + Inicio],
    fim: n[b + Fim],
    mensagem: d.textos[n[b + Mensagem]],
    tipoRegistro: d.textos[n[b + TipoRegistro]],
    tabela: n[b + Tabela],
    campo: n[b + Campo],
    ocorrencia: n[b + Ocorrencia],
    encontrado: d.textos[n[b + Encontrado]],
    deslocamento: d.reais[r],
    declarado: isNaN(declarado) ? null : declarado,
    calculado: isNaN(calculado) ? null : calculado,
  };
}

// Finding `i` as rolval-cli's JSON Lines give it (the file's name as given), from the packed
// numbers and the engine's field list.
function ObjetoJson(d, campos, i, arquivo) {
  var a = LeAchado(d, i);
  var campo = a.campo >= 0 ? campos[a.campo] : null;
  return {
    type: 'finding', file: arquivo, line: a.linha, first_column: a.inicio, last_column: a.fim,
    catalogue: a.catalogo, code: a.codigo, registration: a.inscricao, period: a.periodo,
    message: a.mensagem, warning: a.aviso, record_type: a.tipoRegistro,
    field: campo ? { number: campo.number > 0 ? campo.number : null, name: campo.name,
                     first_column: campo.column + a.ocorrencia * campo.width,
                     last_column: campo.column + a.ocorrencia * campo.width + campo.length - 1 } : null,
    found: a.encontrado, declared: a.declarado, computed: a.calculado,
  };
}

// The key of a finding's message (its catalogue and code) and of its return (registration and
// period), as the summaries and the filters name them.
function ChaveMensagem(d, i) {
  return d.inteiros[i * CamposInteiros + Catalogo] * 65536 + d.inteiros[i * CamposInteiros + Codigo];
}
function ChaveRetorno(d, i) {
  return d.inteiros[i * CamposInteiros + Inscricao] * 4294967296 + d.inteiros[i * CamposInteiros + Periodo];
}

// The findings that pass `filtro` ({ tipo: ''|'erro'|'aviso', mensagem: key or null, retorno: key
// or null, busca: text }), as a Uint32Array of their numbers in report order. The search matches,
// without regard to case, any text the grid shows of the finding (its texts, code, line, columns).
function FiltraAchados(d, filtro, campos) {
  var n = d.inteiros;
  var busca = (filtro.busca || '').trim().toLowerCase();
  var textoCasa = null;
  var campoCasa = null;
  if (busca) {
    textoCasa = new Uint8Array(d.textos.length);
    for (var t = 0; t < d.textos.length; t++) textoCasa[t] = d.textos[t].toLowerCase().indexOf(busca) >= 0 ? 1 : 0;
    campoCasa = campos.map(function (c) { return (c.number + ' ' + c.name).toLowerCase().indexOf(busca) >= 0; });
  }
  var saida = new Uint32Array(d.total);
  var k = 0;
  for (var i = 0; i < d.total; i++) {
    var b = i * CamposInteiros;
    if (filtro.tipo === 'erro' && n[b + Aviso]) continue;
    if (filtro.tipo === 'aviso' && !n[b + Aviso]) continue;
    if (filtro.mensagem != null && ChaveMensagem(d, i) !== filtro.mensagem) continue;
    if (filtro.retorno != null && ChaveRetorno(d, i) !== filtro.retorno) continue;
    if (busca && !(textoCasa[n[b + Mensagem]] || textoCasa[n[b + Inscricao]] || textoCasa[n[b + Periodo]] ||
                   textoCasa[n[b + Encontrado]] || textoCasa[n[b + TipoRegistro]] ||
                   (n[b + Campo] >= 0 && campoCasa[n[b + Campo]]) ||
                   String(n[b + Codigo]) === busca || String(n[b + Linha]) === busca)) continue;
    saida[k++] = i;
  }
  return saida.slice(0, k);
}

// How each grid column sorts: a number, or a text looked up in `textos`.
var ColunasOrdenaveis = {
  numero: function () { return null; },
  tipo: function (d, i) { return d.inteiros[i * CamposInteiros + Aviso]; },
  codigo: function (d, i) { return ChaveMensagem(d, i); },
  inscricao: function (d, i) { return d.textos[d.inteiros[i * CamposInteiros + Inscricao]]; },
  periodo: function (d, i) {  // "05/2005" sorts by year, then month
    var p = d.textos[d.inteiros[i * CamposInteiros + Periodo]];
    return p.slice(3) + p.slice(0, 2);
  },
  linha: function (d, i) { return d.inteiros[i * CamposInteiros + Linha]; },
  registro: function (d, i) { return d.textos[d.inteiros[i * CamposInteiros + TipoRegistro]]; },
  campo: function (d, i) { return d.inteiros[i * CamposInteiros + Campo]; },
  colunas: function (d, i) { return d.inteiros[i * CamposInteiros + Inicio]; },
  encontrado: function (d, i) { return d.textos[d.inteiros[i * CamposInteiros + Encontrado]]; },
  valores: function (d, i) {
    var v = d.reais[i * CamposReais + 1];
    return isNaN(v) ? -Infinity : v;
  },
  mensagem: function (d, i) { return d.textos[d.inteiros[i * CamposInteiros + Mensagem]]; },
};

// `indices` sorted by `coluna` (a key of ColunasOrdenaveis), ties kept in report order; "numero"
// is the report's order itself.
function OrdenaAchados(d, indices, coluna, descendente) {
  var chave = ColunasOrdenaveis[coluna];
  var ordenados = Uint32Array.from(indices);
  if (coluna !== 'numero') {
    var valores = new Array(d.total);
    for (var k = 0; k < ordenados.length; k++) valores[ordenados[k]] = chave(d, ordenados[k]);
    ordenados.sort(function (a, b) {
      var x = valores[a], y = valores[b];
      return x < y ? -1 : x > y ? 1 : a - b;
    });
  }
  if (descendente) {
    // Reversed, but each run of equal keys kept in report order.
    var invertidos = new Uint32Array(ordenados.length);
    var fim = ordenados.length;
    var j = 0;
    while (fim > 0) {
      var inicio = fim - 1;
      if (coluna !== 'numero') while (inicio > 0 && valores[ordenados[inicio - 1]] === valores[ordenados[fim - 1]]) inicio--;
      for (var m = inicio; m < fim; m++) invertidos[j++] = ordenados[m];
      fim = inicio;
    }
    ordenados = invertidos;
  }
  return ordenados;
}

// The summaries of the findings: one line per message (catalogue and code) and one per return,
// each { chave, rotulo, achados, avisos }, most findings first (ties in order of first sight).
function Resumos(d) {
  function Soma(chaveDe, rotuloDe) {
    var porChave = new Map();
    for (var i = 0; i < d.total; i++) {
      var chave = chaveDe(d, i);
      var linha = porChave.get(chave);
      if (!linha) {
        linha = { chave: chave, rotulo: rotuloDe(i), achados: 0, avisos: 0, primeiro: i };
        porChave.set(chave, linha);
      }
      linha.achados++;
      if (d.inteiros[i * CamposInteiros + Aviso]) linha.avisos++;
    }
    return Array.from(porChave.values()).sort(function (a, b) { return b.achados - a.achados || a.primeiro - b.primeiro; });
  }
  return {
    mensagens: Soma(ChaveMensagem, function (i) {
      var a = LeAchado(d, i);
      return a.catalogo + ' ' + a.codigo + ': ' + a.mensagem;
    }),
    retornos: Soma(ChaveRetorno, function (i) {
      var a = LeAchado(d, i);
      return (a.inscricao || '(sem inscrição)') + (a.periodo ? ' - ' + a.periodo : '');
    }),
  };
}

// "1.234.567" from 1234567; a whole number as Brazilian Portuguese writes it.
function Agrupa(inteiro) {
  return inteiro.replace(/\B(?=(\d{3})+(?!\d))/g, '.');
}

// A declared or computed value as the grid shows it; of an amount field (`tipo` 'valor') with its
// two decimal places, as the field's own reading shows it.
function TextoValor(v, tipo) {
  if (v === null || v === undefined) return '';
  if (tipo === 'valor' && Number.isInteger(v))
    return (v < 0 ? '-' : '') + DecodificaCampo('valor', String(Math.abs(v)));
  if (!Number.isInteger(v)) return String(v).replace('.', ',');
  return (v < 0 ? '-' : '') + Agrupa(String(Math.abs(v)));
}

// What the bytes of a field of kind `tipo` mean, or '' when they say nothing more than themselves
// (or cannot be read as that kind): dates as dd/mm/aaaa, periods as mm/aaaa, amounts with their
// two decimal places.
function DecodificaCampo(tipo, texto) {
  var m;
  function Data(dia, mes, ano) {
    var d = new Date(Date.UTC(Number(ano), Number(mes) - 1, Number(dia)));
    if (d.getUTCFullYear() !== Number(ano) || d.getUTCMonth() !== Number(mes) - 1 || d.getUTCDate() !== Number(dia))
      return 'data inválida';
    return dia + '/' + mes + '/' + ano;
  }
  switch (tipo) {
    case 'data-ddmmaaaa':
      return (m = /^(\d\d)(\d\d)(\d{4})$/.exec(texto)) ? Data(m[1], m[2], m[3]) : '';
    case 'data-aaaammdd':
      return (m = /^(\d{4})(\d\d)(\d\d)$/.exec(texto)) ? Data(m[3], m[2], m[1]) : '';
    case 'periodo-mmaaaa':
      return (m = /^(\d\d)(\d{4})$/.exec(texto)) ? m[1] + '/' + m[2] : '';
    case 'valor':
      if (!/^\d+$/.test(texto)) return '';
      var numero = texto.replace(/^0+(?=\d{3})/, '').padStart(3, '0');
      return Agrupa(numero.slice(0, -2)) + ',' + numero.slice(-2);
    default:
      return '';
  }
}

if (typeof module !== 'undefined' && module.exports) {
  module.exports = { CamposInteiros: CamposInteiros, PrimeiraLinhaVisao: PrimeiraLinhaVisao,
                     CamposDasTabelas: CamposDasTabelas, LeAchado: LeAchado, ObjetoJson: ObjetoJson,
                     FiltraAchados: FiltraAchados, OrdenaAchados: OrdenaAchados,
                     Resumos: Resumos, DecodificaCampo: DecodificaCampo, TextoValor: TextoValor,
                     ChaveMensagem: ChaveMensagem, ChaveRetorno: ChaveRetorno };
}
