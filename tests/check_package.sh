#!/usr/bin/env bash
# Installs the project into a scratch prefix and builds its Debian package, then checks what
# a desktop and a packager look at: the desktop entry, the AppStream metainfo, the manual
# pages (which must name every option the programs' --help prints) and the package's
# files and fields.
#   check_package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$scratch/usr" >/dev/null
triplet=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
reader=usr/lib/$triplet/qrta/qrta-photo-reader.so
[[ -f "$scratch/$reader" ]] || fail "the photo reader is not installed at /$reader"
# Neither program maps the image library (nor what it brings) until a photo is read.
for program in qrta qrta-cli; do
    ! ldd "$scratch/usr/bin/$program" | grep -qE 'libopencv|libgdal' \
        || fail "$program links the photo reader's libraries"
done
# The installed programs find the reader where it is installed; one that cannot says so.
photo_error=$("$scratch/usr/bin/qrta-cli" scan --database "$scratch/x.dat" "$scratch/none.jpg" 2>&1 \
    >/dev/null || true)
[[ "$photo_error" == *none.jpg*找不到文件* ]] || fail "installed qrta-cli scan: $photo_error"
if [[ ! -e /$reader ]]; then
    mkdir "$scratch/alone"
    cp "$scratch/usr/bin/qrta-cli" "$scratch/alone/"
    status=0
    photo_error=$("$scratch/alone/qrta-cli" scan --database "$scratch/x.dat" "$scratch/none.jpg" \
        2>&1 >/dev/null) || status=$?
    [[ $status == 1 && "$photo_error" == *找不到读照片的模块* ]] \
        || fail "qrta-cli without its reader: status $status, $photo_error"
fi
desktop-file-validate "$scratch/usr/share/applications/cn.chenxi.qrta.desktop"
appstreamcli validate --no-net "$scratch/usr/share/metainfo/cn.chenxi.qrta.metainfo.xml" >/dev/null

# Every option --help prints is in the manual page: qrta's, and each qrta-cli command's.
options_of() { grep -o -- '--[a-z][a-z-]*' | sort -u; }
page_has() { grep -qF -- "$2" <<<"$(sed 's/\\-/-/g' "$source/docs/man/$1")"; }
for option in $("$build/src/app/qrta" --help | options_of); do
    page_has qrta.1 "$option" || fail "qrta.1 does not name $option"
done
commands=$("$build/tools/qrta-cli" --help | sed -n 's/^  \([a-z]\+\) .*/\1/p')
[[ -n "$commands" ]] || fail "qrta-cli --help lists no commands"
for command in $commands; do
    page_has qrta-cli.1 "$command" || fail "qrta-cli.1 does not describe $command"
    for option in $("$build/tools/qrta-cli" "$command" --help | options_of); do
        page_has qrta-cli.1 "$option" || fail "qrta-cli.1 does not name $command $option"
    done
done
for status in 0 1 2 3 4; do
    grep -q "^\.B $status\$" "$source/docs/man/qrta-cli.1" || fail "qrta-cli.1 lacks status $status"
done

cpack -G DEB -B "$scratch/package" --config "$build/CPackConfig.cmake" >/dev/null
deb=$(ls "$scratch"/package/qrta_*.deb)
files=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for path in ./usr/bin/qrta ./usr/bin/qrta-cli ./usr/share/applications/cn.chenxi.qrta.desktop \
    ./usr/share/metainfo/cn.chenxi.qrta.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/cn.chenxi.qrta.svg \
    ./usr/share/icons/hicolor/48x48/apps/cn.chenxi.qrta.png \
    ./usr/share/man/man1/qrta.1.gz ./usr/share/man/man1/qrta-cli.1.gz ./$reader; do
    grep -qxF "$path" <<<"$files" || fail "the package lacks $path"
done
! grep -qE 'screenshots|render_icon|/tst_|/bench_' <<<"$files" || fail "the package holds a developer tool"
[[ $(dpkg-deb -f "$deb" Architecture) == $(dpkg --print-architecture) ]] || fail "architecture"
[[ $(dpkg-deb -f "$deb" Section) == education ]] || fail "section"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-noto-cjk libqt6widgets6 libsqlcipher0 libxlsxwriter libopencv-imgproc; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
! grep -qE 'gdal|imgcodecs' <<<"$depends" || fail "Depends brings GDAL: $depends"
echo "package: $(basename "$deb") checked"
