#!/usr/bin/env bash
# Runs the cross-built suite under Wine through CTest (GUI tests on Qt's
# offscreen platform, the program itself once on the Windows platform), then
# reads the PDFs that the Windows build wrote with the poppler tools here.
# Usage: scripts/windows-test.sh BUILD_DIR
set -euo pipefail
build=$1
pdf_out=$(realpath -m "$build")/pdf-under-wine
rm -rf "$pdf_out"
mkdir -p "$pdf_out"
# The Windows tests see the folder through Wine's Z: drive.
export TARVOLIN_PDF_OUT="Z:${pdf_out//\//\\}"
# Wine's own services start with the first program and live as long as its
# server, holding that program's output open: started here, once, with none
# of CTest's pipes.
"$(dirname "${BASH_SOURCE[0]}")/../cmake/wine-run.sh" cmd /c exit </dev/null >/dev/null 2>&1 || true
status=0
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 900 | tee "$build/ctest-wine.log" ||
    status=1

echo
echo "== The datasheets written under Wine, read with the poppler tools"
pdfs=("$pdf_out"/*.pdf)
if [ ! -e "${pdfs[0]}" ]; then
    echo "FAIL: the Windows tests kept no PDF in $pdf_out"
    status=1
fi
for pdf in "${pdfs[@]}"; do
    [ -e "$pdf" ] || continue
    name=$(basename "$pdf")
    pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
    size=$(pdfinfo "$pdf" | sed -n 's/^Page size: *//p')
    not_embedded=$(pdffonts "$pdf" | awk 'NR > 2 && $(NF-4) != "yes" {print $1}')
    fonts=$(pdffonts "$pdf" | awk 'NR > 2 {print $1}' | sed 's/^[A-Z]*+//' | sort -u | tr '\n' ' ')
    japanese=$(pdftotext -enc UTF-8 "$pdf" - | LC_ALL=C.UTF-8 grep -cP '[\x{3040}-\x{30FF}\x{4E00}-\x{9FFF}]' || true)
    japanese=${japanese:-0}
    if [ "$pages" != 1 ] || [ -n "$not_embedded" ] || [ "$japanese" -eq 0 ] ||
        [[ $size != *"(A4)"* ]]; then
        echo "FAIL $name: $pages page(s) of $size, fonts not embedded: ${not_embedded:-none}," \
             "$japanese lines of Japanese"
        status=1
    else
        echo "ok   $name: one A4 page, every font embedded ($fonts), $japanese lines of Japanese"
    fi
done
exit $status
