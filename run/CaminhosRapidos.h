#pragma once
// The one switch between the engine's fast paths and the plain code beside each of them.
//
// Every fast path (digits read eight at a time or sixteen at once, texts compared a word at a time,
// dates checked from their digits, a converted message kept for its next finding, the position
// tables of the CFOP lists, the inlining hints) has a plain twin that says the rule in the
// simplest terms; both are always compiled, so that tests can hold them to the same
// results. The build chooses with ROLVAL_FAST_PATHS (CMake option of the same name, on by
// default): 0 gives the plain twins everywhere, which is also what a machine without the needed
// byte order or instructions gets.
#include <bit>

#ifndef ROLVAL_FAST_PATHS
#define ROLVAL_FAST_PATHS 1
#endif

// The sixteen-byte instructions, where the processor has them and the fast paths are on.
#if ROLVAL_FAST_PATHS && defined(__SSE2__)
#define ROLVAL_RAPIDO_SSE2 1
#else
#define ROLVAL_RAPIDO_SSE2 0
#endif

// The sixteen-byte instructions of WebAssembly, where the engine is built for them: a line's CR
// looked for sixteen bytes at once (WebAssembly's C library looks four at a time; native C
// libraries already use the widest instructions).
#if ROLVAL_FAST_PATHS && defined(__wasm_simd128__)
#define ROLVAL_RAPIDO_SIMD128 1
#else
#define ROLVAL_RAPIDO_SIMD128 0
#endif

// Inlining hints of the hot helpers: kept inline at every call, or kept out of the way.
#if ROLVAL_FAST_PATHS
#define ROLVAL_EM_LINHA [[gnu::always_inline]]
#define ROLVAL_RARO [[gnu::noinline, gnu::cold]]
#else
#define ROLVAL_EM_LINHA
#define ROLVAL_RARO
#endif

namespace rolval::caminhos {

// Whether the fast paths are chosen.
inline constexpr bool Rapidos = ROLVAL_FAST_PATHS != 0;

// Each fast path on its own, so that one can be turned off to measure what it gains.
//
// Digits tested and read eight at a time (sixteen at once with the 16-byte instructions), and
// the registration's check digit summed as one word: on a machine that puts the first character
// in the low byte.
inline constexpr bool DigitosEmPalavras = Rapidos && std::endian::native == std::endian::little;
// Texts compared, trimmed and scanned for non-ASCII characters a word at a time.
inline constexpr bool TextosEmPalavras = Rapidos && std::endian::native == std::endian::little;
// A date of digits only checked from its digits, without reading it part by part.
inline constexpr bool DatasPorDigitos = Rapidos;
// A fixed finding text converted to Latin-1 once while the same text repeats.
inline constexpr bool MensagemGuardada = Rapidos;
// Where each CFOP 1-999 stands in the CFOP lists, kept in a table beside each list.
inline constexpr bool PosicoesDosCfops = Rapidos;

}  // namespace rolval::caminhos
