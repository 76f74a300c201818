#!/usr/bin/env bash
# Builds the Debian package from a built tree, unpacks it into a temporary
# root and checks what it installs: the files, their validators, and that the
# installed program starts and finds its database from another folder.
# Usage: package_test.sh <build dir> <package probe program>
set -euo pipefail
build=$1 probe=$2
work=$(mktemp -d /tmp/tarnwell-package-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) \
    || { cat "$work/cpack.log"; fail "cpack could not build the package"; }
deb=$(ls "$work"/out/tarnwell_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no .deb was made"
echo "package: $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Pages go to CUPS directly, so Qt's print support is not needed where CUPS is.
# The screens' faces come with the program.
for lib in libqt6widgets6 libcups2 libc6 fonts-liberation fonts-wine; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib"
done

root="$work/root"
dpkg -x "$deb" "$root"
for f in usr/bin/tarnwell "usr/share/tarnwell/tarnwell database 1.0.txt" \
         "usr/share/tarnwell/tarnwell solvent properties 1.0.txt" \
         usr/share/applications/org.tarnwell.Tarnwell.desktop \
         usr/share/metainfo/org.tarnwell.Tarnwell.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/org.tarnwell.Tarnwell.svg \
         usr/share/icons/hicolor/48x48/apps/org.tarnwell.Tarnwell.png \
         usr/share/icons/hicolor/256x256/apps/org.tarnwell.Tarnwell.png; do
    [ -e "$root/$f" ] || fail "the package lacks $f"
done
cmp -s "$root/usr/share/tarnwell/tarnwell database 1.0.txt" \
       "$(dirname "$0")/../../resources/tarnwell database 1.0.txt" || fail "the shipped database differs"
cmp -s "$root/usr/share/tarnwell/tarnwell solvent properties 1.0.txt" \
       "$(dirname "$0")/../../resources/tarnwell solvent properties 1.0.txt" || fail "the shipped properties differ"
file "$root/usr/share/icons/hicolor/48x48/apps/org.tarnwell.Tarnwell.png" | grep -q "48 x 48" \
    || fail "the 48 px icon is not 48 x 48"
desktop-file-validate "$root/usr/share/applications/org.tarnwell.Tarnwell.desktop" || fail "desktop file"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.tarnwell.Tarnwell.metainfo.xml" || fail "metainfo"
# No made-up address reaches the user.
! grep -q "example\.\(org\|com\|net\)" "$root/usr/share/metainfo/org.tarnwell.Tarnwell.metainfo.xml" \
    || fail "the metainfo names a placeholder address"
homepage=$(dpkg-deb -f "$deb" Homepage || true)
[[ $homepage != *example.* ]] || fail "the package names a placeholder home page: $homepage"

# From a folder with no database in it.
elsewhere="$work/elsewhere"
mkdir -p "$elsewhere"
cd "$elsewhere"

# The installed program itself starts and stays up (it waits on its startup screen).
set +e
timeout 5 "$root/usr/bin/tarnwell" >"$work/run.log" 2>&1
rc=$?
set -e
[ "$rc" -eq 124 ] || { cat "$work/run.log"; fail "the installed program ended by itself (status $rc)"; }
echo "installed program stayed up until stopped"

# The probe, beside the installed program, reaches the main screen with the installed database.
cp "$probe" "$root/usr/bin/tarnwell_package_probe"
out=$(timeout 60 "$root/usr/bin/tarnwell_package_probe" 2>&1) || { echo "$out"; fail "the probe failed"; }
echo "$out"
found=$(sed -n 's/^database: //p' <<<"$out")
[ "$(realpath "$found")" = "$(realpath "$root/usr/share/tarnwell/tarnwell database 1.0.txt")" ] \
    || fail "the database was not looked up beside the installed program"
# On a display scaled by 2 the screens keep their shape and get twice the pixels.
scaled=$(QT_SCALE_FACTOR=2 timeout 60 "$root/usr/bin/tarnwell_package_probe" 2>&1) || { echo "$scaled"; fail "the probe failed at 2x"; }
echo "$scaled" | grep "pixels"
while read -r name w x h _ _ pw _ ph _; do
    line1=$(grep "^$name:" <<<"$out" | tr -d ":,")
    [ "$(awk '{print $2, $4}' <<<"$line1")" = "$w $h" ] || fail "$name changed its shape at 2x"
    [ "$pw" -eq $((2 * w)) ] && [ "$ph" -eq $((2 * h)) ] || fail "$name is not drawn with twice the pixels at 2x"
done < <(grep "pixels" <<<"$scaled" | tr -d ':,')
echo "PASS"
