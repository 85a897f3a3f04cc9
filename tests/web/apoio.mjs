// Helpers shared by the web tests: command-line options, the source tree, a seeded draw.
import path from 'node:path';
import { fileURLToPath } from 'node:url';

export const raizFontes = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..');

// --name value pairs, with defaults; an option without its value is an error.
export function argumentos(padroes = {}) {
  const valores = { ...padroes };
  const lista = process.argv.slice(2);
  for (let i = 0; i < lista.length; i += 2) {
    if (!lista[i].startsWith('--') || i + 1 >= lista.length) throw new Error(`bad option: ${lista[i]}`);
    valores[lista[i].slice(2)] = lista[i + 1];
  }
  return valores;
}

// A small seeded generator (xorshift32): the same seed always gives the same files.
export class Sorteio {
  constructor(semente) {
    this.estado = semente >>> 0 || 1;
  }
  proximo() {
    let x = this.estado;
    x ^= x << 13;
    x >>>= 0;
    x ^= x >>> 17;
    x ^= x << 5;
    this.estado = x >>> 0;
    return this.estado;
  }
  inteiro(n) {  // 0 to n - 1
    return this.proximo() % n;
  }
  escolhe(lista) {
    return lista[this.inteiro(lista.length)];
  }
}
