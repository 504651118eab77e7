#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what a packager expects there: the files,
# a working tolmena-cli, and the desktop entry, AppStream data and .deb passing their validators
# (each validator only when it is installed).
# Usage: scripts/check-package.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
id=org.tolmena.Tolmena
expected=(bin/tolmena-cli share/man/man1/tolmena-cli.1.gz share/doc/tolmena/copyright
          share/doc/tolmena/changelog.gz share/bash-completion/completions/tolmena-cli
          share/zsh/vendor-completions/_tolmena-cli)
if [ -e "$build/tolmena" ]; then
    expected+=(bin/tolmena share/man/man1/tolmena.1.gz "share/applications/$id.desktop"
               "share/metainfo/$id.metainfo.xml" "share/mime/packages/$id.xml"
               "share/icons/hicolor/scalable/apps/$id.svg" share/doc/tolmena/manual/ja/index.html
               share/doc/tolmena/manual/en/index.html)
    for size in 16 32 48 64 128 256; do
        expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
    done
fi
status=0
for file in "${expected[@]}"; do
    [ -s "$prefix/$file" ] || { echo "check-package: $file is not installed" >&2; status=1; }
done
"$prefix/bin/tolmena-cli" --version >/dev/null || { echo "check-package: tolmena-cli --version fails" >&2; status=1; }

desktop="$prefix/share/applications/$id.desktop"
if [ -e "$desktop" ] && command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || status=1
fi
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
if [ -e "$metainfo" ] && command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" ||
        { cat "$work/appstream.log" >&2; status=1; }
fi
if command -v lintian >/dev/null && command -v dpkg-shlibdeps >/dev/null; then
    (cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1) ||
        { cat "$work/cpack.log" >&2; exit 1; }
    # Errors fail the check; warnings are shown.
    lintian --tag-display-limit 0 --fail-on error "$work"/deb/*.deb || status=1
fi
exit $status
