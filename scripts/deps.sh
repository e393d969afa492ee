# Sourced by run.sh and test.sh: installs the Debian packages the build needs
# when any is missing (through sudo when not run as root).
ZAVO_PACKAGES=(cmake g++ ninja-build libgtest-dev libgmock-dev libbenchmark-dev
               clang libclang-rt-14-dev)

zavo_install_deps() {
  local missing=()
  local p
  for p in "${ZAVO_PACKAGES[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
}

zavo_jobs() {
  nproc 2>/dev/null || echo 2
}
