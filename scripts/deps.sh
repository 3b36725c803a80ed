# Installs the Debian packages the build and the tests need, when missing.
# Sourced by scripts/run and scripts/test.
ksf_packages=(g++ cmake ninja-build qt6-base-dev libgl-dev googletest libgtest-dev libgmock-dev
              libbenchmark-dev clang libclang-rt-14-dev fonts-dejavu-core fonts-dejavu-extra
              fonts-liberation2 poppler-utils python3)
ksf_missing=()
for p in "${ksf_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || ksf_missing+=("$p")
done
if [ ${#ksf_missing[@]} -gt 0 ]; then
  echo "Installing: ${ksf_missing[*]}"
  ksf_sudo=""
  [ "$(id -u)" -eq 0 ] || ksf_sudo="sudo"
  $ksf_sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $ksf_sudo apt-get install -y -qq "${ksf_missing[@]}"
fi
