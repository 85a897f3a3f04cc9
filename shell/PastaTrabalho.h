#pragma once
// Where the desktop program keeps param.txt, saida.txt and the work files of a run: its
// executable's folder only when it runs from a build or an unpacked copy the user owns, otherwise
// the user's data folder. An installed program never writes beside itself or in a system folder.
#include <filesystem>
#include <optional>

namespace rolval {

// True when a file can be created (and removed) in `pasta`: tried for real, so that read-only
// mounts and access rules count as they will for the run.
bool PastaGravavel(const std::filesystem::path& pasta);

// True when the executable's folder belongs to an installed program rather than to a copy the
// user runs in place: a system folder (/usr, /bin, /opt, ...), a folder the user does not own,
// or the bin folder of an install prefix (the program's menu entry installed beside it, in
// ../share/applications/rolval.desktop). Root owns /usr/bin; that is still an installation.
bool ProgramaInstalado(const std::filesystem::path& pastaExecutavel);

// The user's data folder of the program: $XDG_DATA_HOME/rolval when that variable holds an
// absolute path, otherwise $HOME/.local/share/rolval. Empty when neither can be formed.
std::filesystem::path PastaDadosUsuario(const char* xdgDataHome, const char* home);

// The work folder: `pastaExecutavel` when the program is not installed there and it is writable;
// otherwise the user's data folder, created when missing. Nothing when no writable folder could
// be had.
std::optional<std::filesystem::path> EscolhePastaTrabalho(
    const std::filesystem::path& pastaExecutavel, const char* xdgDataHome, const char* home);

}  // namespace rolval
