# Installs the Debian packages the build and the tests need, when missing.
# Sourced by scripts/run and scripts/test.
ksf_packages=(g++ cmake ninja-build qt6-base-dev libgl-dev googletest libgtest-dev libgmock-dev
              libbenchmark-dev clang fonts-dejavu-core fonts-dejavu-extra fonts-liberation2
              poppler-utils python3)

ksf_updated=""
# Installs those of the named packages that are not installed yet.
ksf_install() {
  local missing=() p sudo=""
  for p in "$@"; do
    [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "Installing: ${missing[*]}"
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  if [ -z "$ksf_updated" ]; then
    $sudo apt-get update -qq
    ksf_updated=1
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

ksf_install "${ksf_packages[@]}"

# The fuzzers and the sanitizers link the runtime of the clang that builds them,
# whichever version that is.
ksf_clang_major=$(clang++ --version 2>/dev/null | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -n 1)
if [ -n "$ksf_clang_major" ]; then
  ksf_install "libclang-rt-${ksf_clang_major}-dev"
fi
