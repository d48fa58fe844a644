#!/bin/sh
# Real clients read the map file: the example's map and the map of a list
# with Latin-1 and UTF-8 texts, quotes, a backslash and values that are not
# finite. Each map must hold one feature per record and one per audit row.
# Usage: check_map_clients.sh json|gdal EXAMPLE_LIST STATION_DEDUP_BINARY
#   json  Python's json module, with NaN and Infinity refused, reads it as
#         UTF-8 and finds every feature with the properties of its kind;
#   gdal  ogrinfo counts every feature, and ogr2ogr converts it to a
#         GeoPackage holding as many.
# Exits 77 (skipped) where the client is not installed.
set -u
client=$1
example=$2
binary=$3

case $client in
  json)
    python=""
    for candidate in /usr/bin/python3 python3; do
      if command -v "$candidate" >/dev/null 2>&1; then python=$candidate; break; fi
    done
    if [ -z "$python" ]; then echo "python3 is not installed: map not read with json"; exit 77; fi ;;
  gdal)
    if ! command -v ogrinfo >/dev/null 2>&1 || ! command -v ogr2ogr >/dev/null 2>&1; then
      echo "gdal-bin (ogrinfo, ogr2ogr) is not installed: map not opened with GDAL"
      exit 77
    fi ;;
  *) echo "unknown client $client"; exit 1 ;;
esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$example" "$work/example.txt"
# Latin-1 "São José" and UTF-8 "Juá" as identifiers, an agency with a
# quotation mark and a backslash; a conflict over a NaN amount, a record at
# an infinite longitude kept twice (a link without geometry), an infinite
# amount, and a pair near each other to review.
printf '%b' "'S\\0343o Jos\\0351' 'A\"B\\\\C' -38.5 -3.7 NaN\n" \
  "'S\\0343o Jos\\0351' 'A\"B\\\\C' -38.5 -3.7 NaN\n" \
  "Ju\\0303\\0241 ANA Inf -3.7 1.0\n" \
  "Ju\\0303\\0241 ANA -38.6 -3.7 1.0\n" \
  "B ANA -38.5 -3.705 -Infinity\n" \
  "C ANA -38.5 -3.71 3\n" | sed 's/^ //' > "$work/odd.txt"

failed=0
for list in example odd; do
  if ! (cd "$work" && "$binary" --audit "$list.csv" --map "$list.geojson" "$list.txt" kept.txt removed.txt >/dev/null); then
    echo "$list: the run failed"; failed=1; continue
  fi
  records=$(($(wc -l < "$work/kept.txt") + $(wc -l < "$work/removed.txt") - 1))
  events=$(($(wc -l < "$work/$list.csv") - 1))
  features=$((records + events))
  if [ "$client" = json ]; then
    if ! "$python" - "$work/$list.geojson" "$records" "$events" <<'PYTHON'
import json, sys

def refuse(constant):
    raise ValueError("not strict JSON: " + constant)

name, records, events = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
with open(name, encoding="utf-8") as stream:
    collection = json.load(stream, parse_constant=refuse)
features = collection["features"]
points = [f for f in features if "record" in f["properties"]]
links = [f for f in features if "event" in f["properties"]]
assert collection["type"] == "FeatureCollection"
assert len(points) == records and len(links) == events and len(features) == records + events, (len(points), len(links))
assert [p["properties"]["record"] for p in points] == list(range(1, records + 1))
for point in points:
    assert point["geometry"] is None or point["geometry"]["type"] == "Point"
for link in links:
    assert link["geometry"] is None or link["geometry"]["type"] == "LineString"
    assert isinstance(link["properties"]["same_precipitation"], bool)
if name.endswith("odd.geojson"):
    ids = [p["properties"]["id"] for p in points]
    assert ids[:4] == ["São José", "São José", "Juá", "Juá"], ids
    assert points[0]["properties"]["agency"] == 'A"B\\C', points[0]["properties"]["agency"]
    assert points[0]["properties"]["precipitation"] is None and points[2]["geometry"] is None
    assert any(l["geometry"] is None and l["properties"]["case"] == 7 for l in links)
print(name, "reads as strict JSON:", records, "points and", events, "links")
PYTHON
    then failed=1; fi
  else
    counted=$(ogrinfo -ro -al -so "$work/$list.geojson" | sed -n 's/^Feature Count: //p')
    if [ "$counted" != "$features" ]; then
      echo "$list: ogrinfo counts '$counted' features, expected $features"; failed=1
    fi
    if ! ogr2ogr -f GPKG "$work/$list.gpkg" "$work/$list.geojson"; then
      echo "$list: ogr2ogr cannot convert the map to a GeoPackage"; failed=1; continue
    fi
    converted=$(ogrinfo -ro -al -so "$work/$list.gpkg" | sed -n 's/^Feature Count: //p')
    if [ "$converted" != "$features" ]; then
      echo "$list: the GeoPackage holds '$converted' features, expected $features"; failed=1
    else
      echo "$list: GDAL opens the map and converts it, $features features"
    fi
  fi
done
exit $failed
