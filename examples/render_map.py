#!/usr/bin/env python3
"""Draws a map file of station-dedup as a picture: the kept records as dots,
the removed ones as crosses, and the links of the screening coloured by
event (pair, purge, review), a review link dashed when both amounts differ.
Most links join two records at one place, so each link's ends are ringed in
its colour as well. Needs matplotlib (Debian's python3-matplotlib); from the
repository root:

    /usr/bin/python3 examples/render_map.py examples/expected/map.geojson doc/example-map.png
"""

import json
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402 (the backend comes first)

EVENT_COLOURS = {"pair": "tab:orange", "purge": "tab:purple", "review": "tab:green"}


def refuse(constant):
    raise ValueError(f"not a map of station-dedup: {constant} in the file")


def main(map_name, picture_name):
    with open(map_name, encoding="utf-8") as stream:
        features = json.load(stream, parse_constant=refuse)["features"]
    points = [f for f in features if "record" in f["properties"] and f["geometry"]]
    links = [f for f in features if "event" in f["properties"] and f["geometry"]]

    figure, axes = plt.subplots(figsize=(8, 8.5), dpi=100)
    for status, marker, colour, size in (("kept", "o", "tab:blue", 9), ("removed", "x", "tab:red", 36)):
        chosen = [p["geometry"]["coordinates"] for p in points if p["properties"]["status"] == status]
        axes.scatter([c[0] for c in chosen], [c[1] for c in chosen], s=size, marker=marker, c=colour,
                     linewidths=1.2, label=f"{status} ({len(chosen)})", zorder=3)
    for event, colour in EVENT_COLOURS.items():
        chosen = [link for link in links if link["properties"]["event"] == event]
        for link in chosen:
            (x1, y1), (x2, y2) = link["geometry"]["coordinates"]
            dashed = event == "review" and not link["properties"]["same_precipitation"]
            axes.plot([x1, x2], [y1, y2], color=colour, linewidth=2, linestyle="--" if dashed else "-", zorder=2)
            axes.scatter([x1, x2], [y1, y2], s=160, facecolors="none", edgecolors=colour, linewidths=1.5, zorder=4)
        note = "; dashed: amounts differ" if event == "review" else ""
        axes.scatter([], [], s=160, facecolors="none", edgecolors=colour, linewidths=1.5,
                     label=f"{event} link ({len(chosen)}{note})")
    axes.set_aspect("equal")
    axes.set_xlabel("longitude")
    axes.set_ylabel("latitude")
    axes.set_title(f"{map_name}: the screening on a map")
    axes.grid(True, linewidth=0.3)
    axes.legend(loc="lower left", fontsize="small")
    figure.tight_layout()
    figure.savefig(picture_name, metadata={"Software": None})


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: render_map.py MAP_FILE PICTURE.png")
    main(sys.argv[1], sys.argv[2])
