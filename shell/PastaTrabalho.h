#pragma once
// Where the desktop program keeps param.txt, saida.txt and the work files of a run: its
// executable's folder when it can write there, otherwise the user's data folder.
#include <filesystem>
#include <optional>

namespace rolval {

// True when a file can be created (and removed) in `pasta`: tried for real, so that read-only
// mounts and access rules count as they will for the run.
bool PastaGravavel(const std::filesystem::path& pasta);

// The user's data folder of the program: $XDG_DATA_HOME/rolval when that variable holds an
// absolute path, otherwise $HOME/.local/share/rolval. Empty when neither can be formed.
std::filesystem::path PastaDadosUsuario(const char* xdgDataHome, const char* home);

// The work folder: `pastaExecutavel` when it is writable; otherwise the user's data folder,
// created when missing. Nothing when no writable folder could be had.
std::optional<std::filesystem::path> EscolhePastaTrabalho(
    const std::filesystem::path& pastaExecutavel, const char* xdgDataHome, const char* home);

}  // namespace rolval
