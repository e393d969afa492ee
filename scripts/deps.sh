# Sourced by run.sh and test.sh: installs the Debian packages the build needs
# when any is missing (through sudo when not run as root).
#
# What rendering needs (run.sh), and what the tests, benchmarks and fuzz
# targets need on top (test.sh): the window shell's wxWidgets and CUPS (the
# default printer), Xvfb for its tests, and the 3-D text tool's FreeType and
# fontconfig with a TrueType font for its tests (DejaVu).
ZAVO_RENDER_PACKAGES=(cmake g++ ninja-build)
# What the GUI program zavo needs (run.sh --gui).
ZAVO_GUI_PACKAGES=("${ZAVO_RENDER_PACKAGES[@]}" libwxgtk3.2-dev libfreetype-dev libfontconfig-dev)
ZAVO_PACKAGES=("${ZAVO_RENDER_PACKAGES[@]}" libgtest-dev libgmock-dev libbenchmark-dev
               clang libclang-rt-14-dev libwxgtk3.2-dev libcups2-dev libx11-dev xvfb xauth
               libfreetype-dev libfontconfig-dev fonts-dejavu-core)

# zavo_install_deps [PACKAGE...]: the packages given, by default ZAVO_PACKAGES.
zavo_install_deps() {
  local wanted=("$@")
  if [ ${#wanted[@]} -eq 0 ]; then wanted=("${ZAVO_PACKAGES[@]}"); fi
  local missing=()
  local p
  for p in "${wanted[@]}"; do
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
