#!/usr/bin/env bash
# Checks the Debian package as a user's machine would get it: unpacked into a scratch root,
# its files are exactly the installed list under /usr, it declares the libraries the programs
# need, and both programs run from there.
#   tools/check_package.sh PACKAGE.deb EXPECTED_LIST
set -euo pipefail
deb=$1
expected=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

dpkg-deb -x "$deb" "$tmp/root"
outside=$(cd "$tmp/root" && find . ! -type d ! -path './usr/*')
if [ -n "$outside" ]; then
    echo "check_package: files outside /usr:" "$outside" >&2
    exit 1
fi
(cd "$tmp/root/usr" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) >"$tmp/actual"
LC_ALL=C sort "$expected" >"$tmp/expected"
if ! diff -u "$tmp/expected" "$tmp/actual"; then
    echo "check_package: the package's files differ from $expected (- expected, + in the package)" >&2
    exit 1
fi

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libpng16 libzip libcurl libc6 libstdc++6; do
    if ! grep -q "\b$lib" <<<"$depends"; then
        echo "check_package: Depends does not name $lib: $depends" >&2
        exit 1
    fi
done

for p in tarvolin tarvolin-cli; do
    QT_QPA_PLATFORM=offscreen "$tmp/root/usr/bin/$p" --version | grep -Eq '[0-9]+\.[0-9]+\.[0-9]+' || {
        echo "check_package: $p from the package does not run" >&2
        exit 1
    }
done
echo "check_package: $(basename "$deb"): $(wc -l <"$tmp/actual") files as expected; Depends: $depends"
