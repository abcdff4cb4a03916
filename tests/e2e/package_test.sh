#!/usr/bin/env bash
# The package as Debian and software centres see it: the AppStream metadata
# and the manual page valid, the command line in the manual the game's own,
# and the .deb that cpack makes without a lintian error.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
# shellcheck source=tests/e2e/xvfb.sh
source "$(dirname "$0")/xvfb.sh"  # the scratch directory and need/fail; no X server here
need appstreamcli lintian man cpack dpkg-deb

echo "--- the package made by cpack"
(cd "$work" && cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1) ||
  fail "cpack failed: $(cat "$work/cpack.log")"
deb=$(ls "$work"/zanderfell_*.deb)
dpkg-deb -x "$deb" "$work/root"
usr=$work/root/usr
for f in share/man/man6/zanderfell.6.gz share/metainfo/local.zanderfell.Zanderfell.metainfo.xml \
  share/doc/zanderfell/copyright share/doc/zanderfell/changelog.gz share/applications/zanderfell.desktop; do
  [[ -f "$usr/$f" ]] || fail "the package lacks /usr/$f"
done

echo "--- AppStream metadata"
appstreamcli validate --no-net "$usr/share/metainfo/local.zanderfell.Zanderfell.metainfo.xml" >"$work/as.log" 2>&1 ||
  fail "appstreamcli: $(cat "$work/as.log")"
version=$("$build/run/zanderfell" --version)
grep -q "<release version=\"${version#zanderfell }\"" "$usr/share/metainfo/local.zanderfell.Zanderfell.metainfo.xml" ||
  fail "the metadata's release is not $version"

echo "--- the manual page: no warnings, and every option of --help in it"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$usr/share/man/man6/zanderfell.6.gz" 2>&1 >"$work/man.txt") ||
  fail "man failed: $warnings"
[[ -z "$warnings" ]] || fail "the manual page has warnings: $warnings"
for option in $("$build/run/zanderfell" --help | awk '/^  --/ {print $1}'); do
  grep -q -- "$option" "$work/man.txt" || fail "the manual page does not tell of $option"
done

echo "--- lintian"
lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
! grep -q "^E:" "$work/lintian.log" || fail "lintian found errors"
echo "PASS"
