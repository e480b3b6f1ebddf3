#!/usr/bin/env python3
"""Builds data/figures.txt, the constellation figures, from the npm package
d3-celestial (BSD-3-Clause, Olaf Frohn) and the shipped catalogue.

Each vertex of the package's figure lines (RA/Dec in degrees) is matched to
the nearest catalogue star brighter than magnitude 6.5 within 2 arc minutes;
a vertex without one is left out with its lines. Every figure star is written
with its catalogue (HIP) number and its position in the map's frame, so that
a map without those numbers can still find it by position.

Usage: scripts/build-figures.py [PACKAGE_DIR]
Without PACKAGE_DIR the package is fetched with `npm pack` into a temporary
directory. Prints the counts data/README.md gives.
"""

import csv
import gzip
import json
import math
import os
import subprocess
import sys
import tarfile
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PACKAGE = "d3-celestial@0.7.35"
MAX_MAGNITUDE = 6.5
MAX_SEPARATION_ARCMIN = 2.0
LIGHT_YEARS_PER_PARSEC = 3.26156

# The map's frame, as vantaro-mkmap builds it: the IAU equatorial-to-galactic
# rotation, then world = (-galactic y, galactic z, galactic x).
GALACTIC_X = (-0.0548755604, -0.8734370902, -0.4838350155)
GALACTIC_Y = (0.4941094279, -0.4448296300, 0.7469822445)
GALACTIC_Z = (-0.8676661490, -0.1980763734, 0.4559837762)


def dot(a, b):
    return a[0] * b[0] + (a[1] * b[1] + a[2] * b[2])


def to_map_frame(equatorial_parsecs):
    world = (-dot(GALACTIC_Y, equatorial_parsecs), dot(GALACTIC_Z, equatorial_parsecs),
             dot(GALACTIC_X, equatorial_parsecs))
    return tuple(round(c * LIGHT_YEARS_PER_PARSEC, 6) for c in world)


def unit_vector(ra_degrees, dec_degrees):
    ra, dec = math.radians(ra_degrees), math.radians(dec_degrees)
    return (math.cos(dec) * math.cos(ra), math.cos(dec) * math.sin(ra), math.sin(dec))


def fetch_package(workdir):
    subprocess.run(["npm", "pack", "--silent", PACKAGE], cwd=workdir, check=True, stdout=subprocess.DEVNULL)
    archive = next(name for name in os.listdir(workdir) if name.endswith(".tgz"))
    package = os.path.join(workdir, "package")
    with tarfile.open(os.path.join(workdir, archive)) as tar:
        # Only the three files read here, each checked to land inside the package folder.
        for name in ("package/package.json", "package/data/constellations.lines.json",
                     "package/data/constellations.json"):
            member = tar.getmember(name)
            if not member.isfile():
                sys.exit(f"{archive}: {name} is not a plain file")
            target = os.path.join(workdir, name)
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with tar.extractfile(member) as source, open(target, "wb") as copy:
                copy.write(source.read())
    return package


def bright_stars():
    """(hip, unit vector, map position, magnitude) of the shipped stars brighter than the limit."""
    stars = []
    with gzip.open(os.path.join(ROOT, "data", "stars.csv.gz"), "rt", encoding="utf-8", newline="") as f:
        for row in csv.DictReader(f):
            if not row["hip"] or not row["mag"] or float(row["mag"]) >= MAX_MAGNITUDE:
                continue
            xyz = (float(row["x"]), float(row["y"]), float(row["z"]))
            stars.append((int(row["hip"]), unit_vector(float(row["ra"]) * 15.0, float(row["dec"])),
                          to_map_frame(xyz), float(row["mag"])))
    return stars


def nearest_star(stars, direction):
    limit = math.cos(math.radians(MAX_SEPARATION_ARCMIN / 60.0))
    best, best_cos = None, limit
    for star in stars:
        c = dot(star[1], direction)
        if c >= best_cos:
            best, best_cos = star, c
    return best


def main():
    with tempfile.TemporaryDirectory() as workdir:
        package = sys.argv[1] if len(sys.argv) > 1 else fetch_package(workdir)
        with open(os.path.join(package, "data", "constellations.lines.json"), encoding="utf-8") as f:
            lines = json.load(f)["features"]
        with open(os.path.join(package, "data", "constellations.json"), encoding="utf-8") as f:
            # Serpens is two figures under one id (Caput, then Cauda), in both files' order.
            names = {}
            for c in json.load(f)["features"]:
                names.setdefault(c["id"], []).append(c["properties"]["name"])
        with open(os.path.join(package, "package.json"), encoding="utf-8") as f:
            version = json.load(f)["version"]

    stars = bright_stars()
    matches = {}  # vertex (ra, dec) -> star or None
    figures, kept_lines, dropped_lines, occurrences, matched_occurrences = [], 0, 0, 0, 0
    for feature in sorted(lines, key=lambda f: f["id"]):
        figure_stars, segments = [], []
        index_of = {}
        for polyline in feature["geometry"]["coordinates"]:
            previous = None
            for position, (ra, dec) in enumerate(polyline):
                vertex = (ra, dec)
                if vertex not in matches:
                    matches[vertex] = nearest_star(stars, unit_vector(ra, dec))
                star = matches[vertex]
                occurrences += 1
                matched_occurrences += star is not None
                current = None
                if star is not None:
                    if star[0] not in index_of:
                        index_of[star[0]] = len(figure_stars)
                        figure_stars.append(star)
                    current = index_of[star[0]]
                if position > 0:
                    if previous is None or current is None:
                        dropped_lines += 1
                    elif previous != current:
                        segment = (min(previous, current), max(previous, current))
                        if segment not in segments:
                            segments.append(segment)
                            kept_lines += 1
                previous = current
        figures.append((feature["id"], names[feature["id"]].pop(0), figure_stars, segments))

    matched = sum(1 for star in matches.values() if star is not None)
    out_path = os.path.join(ROOT, "data", "figures.txt")
    with open(out_path, "w", encoding="utf-8", newline="\n") as out:
        out.write("# Vantaro constellation figures, built by scripts/build-figures.py from the npm package\n")
        out.write(f"# d3-celestial {version} (BSD-3-Clause, Copyright (c) 2015, Olaf Frohn) and data/stars.csv.gz.\n")
        out.write("# figure ABBR NAME / star CATALOGUE-NUMBER X Y Z (light years, map frame) /\n")
        out.write("# line A B (the figure's stars, counted from 0). Fields are separated by tabs; UTF-8.\n")
        for abbr, name, figure_stars, segments in figures:
            out.write(f"figure\t{abbr}\t{name}\n")
            for hip, _, (x, y, z), _ in figure_stars:
                out.write(f"star\t{hip}\t{x:.6f}\t{y:.6f}\t{z:.6f}\n")
            for a, b in segments:
                out.write(f"line\t{a}\t{b}\n")
    print(f"{len(figures)} figures; {matched_occurrences} of {occurrences} vertices matched "
          f"({matched} of {len(matches)} distinct positions), "
          f"{len(matches) - matched} left out; {kept_lines} lines kept, {dropped_lines} left out "
          f"with their vertices; {sum(len(f[2]) for f in figures)} figure stars")


if __name__ == "__main__":
    main()
