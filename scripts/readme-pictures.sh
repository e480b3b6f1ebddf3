#!/usr/bin/env bash
# Renders the README's pictures from the default map with a built vantaro.
set -euo pipefail
cd "$(dirname "$0")/.."
vantaro=${1:-build/bin/vantaro}
"$vantaro" --render docs/start-view.png --map data/map.smp --labels names
"$vantaro" --render docs/orion.png --map data/map.smp --view 155,-14 --labels names
"$vantaro" --render docs/orion-colours.png --map data/map.smp --view 155,-14 --labels names --colours
"$vantaro" --render docs/sun-from-alpha-centauri.png --map data/map.smp --travel-to "Rigil Kentaurus" --look-at Sol \
  --labels names
"$vantaro" --render docs/orion-figure.png --map data/map.smp --view 155,-14 --labels names --constellations
"$vantaro" --render docs/orion-figure-100ly.png --map data/map.smp --position 94,0,34 --look-at Alnilam \
  --labels names --constellations
