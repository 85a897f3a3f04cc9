// Puts rolval.html together: the page's template with its style sheet, its scripts and the
// engine's module inlined, and a Content-Security-Policy that allows those inline parts (by their
// SHA-256), WebAssembly, and workers made from the page's own blobs, and no request of any kind.
//
//   node monta-pagina.mjs --pagina web/pagina --motor BUILD/web/rolval-engine.js --versao 1.0.0 \
//                         --amostras samples --saida BUILD/web/rolval.html
//
// The clean samples of --amostras go into the worker, which validates them while the page waits
// for a file, so that the engine is at full speed when the first file comes.
import crypto from 'node:crypto';
import fs from 'node:fs';
import path from 'node:path';

// The page must stay small enough to mail or to serve from anywhere.
const TamanhoMaximo = 1_500_000;

const opcoes = {};
const lista = process.argv.slice(2);
for (let i = 0; i < lista.length; i += 2) opcoes[lista[i].replace(/^--/, '')] = lista[i + 1];
for (const nome of ['pagina', 'motor', 'versao', 'amostras', 'saida'])
  if (!opcoes[nome]) throw new Error(`monta-pagina: --${nome} is missing`);

const le = (nome) => fs.readFileSync(path.join(opcoes.pagina, nome), 'utf8');
const estilo = le('estilo.css');
const pagina = ['registro.js', 'relatorio.js', 'lista.js', 'achados.js', 'pagina.js'].map(le).join('\n');
const amostras = ['rol03-limpo.txt', 'rol05-limpo.txt', 'rolst01-limpo.txt', 'rolst02-limpo.txt']
  .map((nome) => fs.readFileSync(path.join(opcoes.amostras, nome), 'latin1'));
const trabalhador = `var amostrasAquecimento = ${JSON.stringify(amostras)};\n${le('trabalhador.js')}`;
const motor = fs.readFileSync(opcoes.motor, 'utf8');

// Inline text that would end its element early, or change how the parser reads it, is refused.
for (const [nome, texto] of [['page script', pagina], ['worker script', trabalhador], ['engine', motor]])
  if (/<\/script|<!--/i.test(texto)) throw new Error(`monta-pagina: the ${nome} holds "</script" or "<!--"`);
if (/<\/style/i.test(estilo)) throw new Error('monta-pagina: the style sheet holds "</style"');

const hash = (texto) => `'sha256-${crypto.createHash('sha256').update(texto, 'utf8').digest('base64')}'`;
const politica = [
  "default-src 'none'",
  `script-src ${hash(pagina)} 'wasm-unsafe-eval'`,
  `style-src ${hash(estilo)}`,
  'worker-src blob:',
  "connect-src 'none'",
  'img-src data:',  // the page's empty icon, so that no icon is asked of a server
  "font-src 'none'",
  "media-src 'none'",
  "object-src 'none'",
  "frame-src 'none'",
  "manifest-src 'none'",
  "form-action 'none'",
  "base-uri 'none'",
].join('; ');

const partes = { CSP: politica, VERSAO: opcoes.versao, ESTILO: estilo, MOTOR: motor, TRABALHADOR: trabalhador, PAGINA: pagina };
const html = le('rolval.html').replace(/@(CSP|VERSAO|ESTILO|MOTOR|TRABALHADOR|PAGINA)@/g, (_, nome) => partes[nome]);
const tamanho = Buffer.byteLength(html, 'utf8');
if (tamanho > TamanhoMaximo) throw new Error(`monta-pagina: rolval.html has ${tamanho} bytes, more than ${TamanhoMaximo}`);
fs.mkdirSync(path.dirname(opcoes.saida), { recursive: true });
fs.writeFileSync(opcoes.saida, html);
console.log(`rolval.html: ${tamanho} bytes`);
