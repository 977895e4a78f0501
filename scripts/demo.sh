#!/bin/sh
# The main job: the data folder with its embedded database, filled with the demo fleet; then
# the generator's sample charts, read back by the chart reader.
set -e
cd "$(dirname "$0")/.."
BIN=./build/runtime
DATA="${TACHO_DATA:-$PWD/demo-data}"
$BIN/tacho db init --data "$DATA" --demo
$BIN/tacho db info --data "$DATA"

# Sample scans: one 1-bit BMP per chart kind and situation, each with its ground truth
# (IMAGE.json: the periods and kilometres drawn, the angle of midnight, the chart kind).
SAMPLES="$DATA/samples"
$BIN/chartgen --out "$SAMPLES" --samples >/dev/null
echo
echo "Sample charts in $SAMPLES, read with tacho read:"
# The angle of midnight and the chart kind of a scan are what the user sets in the chart
# window; here they come from the ground truth.
value() { sed -n "s/^    \"$2\": \([-0-9.e+]*\).*/\1/p" "$1"; }
for image in "$SAMPLES"/*.bmp; do
    truth="${image%.*}.json"
    kat24=$(value "$truth" kat24)
    kind=$(value "$truth" typ)
    echo
    $BIN/tacho read --kat24 "${kat24:-180}" --kind "${kind:-0}" --date 2024-03-05 "$image"
    echo "  drawn: $(value "$truth" km) km"
done

# Grey scans drawn from whole discs: the standard day at 600 dpi, and an A4 sheet at 200 dpi
# with two discs sharing the angle of midnight and the chart kind (one result per disc, top to
# bottom). The sheet's ground truth lists the kilometres of each disc.
for image in "$SAMPLES"/*.png; do
    truth="${image%.*}.json"
    echo
    $BIN/tacho read --kat24 "$(value "$truth" kat24)" --kind "$(value "$truth" typ)" \
        --date 2024-03-05 "$image"
    drawn=$(value "$truth" km)
    [ -n "$drawn" ] || drawn=$(sed -n 's/^            "km": \([0-9]*\).*/\1/p' "$truth" | paste -sd/ -)
    echo "  drawn: $drawn km"
done

# Scan-like discs, as a flatbed shows used ones: paper barely darker than the lid, a broken
# outer line, dashed and labelled printed rings, a faint rest line, JPEG. The A4 sheet holds
# three discs turned differently; it reads with one angle of midnight, the sheet's.
SCANS="$DATA/scan-like"
$BIN/chartgen --scan-like --out "$SCANS" >/dev/null
sheet="$SCANS/skan_arkusz_a4_300dpi.jpg"
echo
echo "Scan-like A4 sheet of three turned discs, read with tacho read:"
$BIN/tacho read --kat24 "$(value "${sheet%.*}.json" kat24)" --date 2024-03-05 "$sheet"
echo "  drawn: $(sed -n 's/^            "km": \([0-9]*\).*/\1/p' "${sheet%.*}.json" | paste -sd/ -) km"

# The standard charts again as one batch, one JSON object per disc per line, both cores busy.
standard=""
for image in "$SAMPLES"/*.bmp; do
    [ "$(value "${image%.*}.json" typ)" = 0 ] && standard="$standard $image"
done
echo
echo "Batch of the standard charts as JSON (file: kilometres):"
# shellcheck disable=SC2086
$BIN/tacho read --format json --date 2024-03-05 $standard |
    sed 's/^{.*"file":"\([^"]*\)".*"summary":{[^}]*"km":\([0-9]*\).*/  \1: \2 km/'
