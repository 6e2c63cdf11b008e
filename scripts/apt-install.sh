# Sourced by the scripts that install Debian packages. $sudo is "sudo" when not run as root;
# install_missing PACKAGE... installs those of the packages that are not installed yet, in
# one apt-get call, and says which; nothing when all are there.
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

install_missing() {
  local package
  local -a missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
