# Sourced by the bench scripts. escolhe_pasta PREFIX: the work folder in $pasta, the one already
# named there (created when missing, made absolute) or else a fresh temporary folder whose name
# starts with PREFIX, removed when the script ends.
escolhe_pasta() {
  if [ -z "$pasta" ]; then
    pasta="$(mktemp -d "${TMPDIR:-/tmp}/$1-XXXXXX")"
    trap 'rm -rf "$pasta"' EXIT
  else
    mkdir -p "$pasta"
    pasta="$(cd "$pasta" && pwd)"
  fi
}
