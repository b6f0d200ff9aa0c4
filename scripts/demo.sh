#!/usr/bin/env bash
# The main job: build the library and its tools, write the project's own
# sample archive, and run the command-line tool on it: list it, describe the
# model and the sprite, turn pictures, sprite frames and skins into PNG files
# and the model into binary glTF, all under out/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh
cmake -S . -B build-demo -DCMAKE_BUILD_TYPE=Release -DVEXL_BUILD_TESTS=OFF >/dev/null
cmake --build build-demo -j2 >/dev/null
tool=build-demo/tools/vexalkit
if [ ! -x "$tool" ]; then
    echo "demo: the tool was not built (see cmake's output about its packages)" >&2
    exit 1
fi

show() {
    echo
    echo "\$ vexalkit $*"
    "$tool" "$@"
}

mkdir -p out
rm -rf out/png out/creature.glb out/sample.pak out/export out/repacked.pak
build-demo/tools/sample/vexalkit-sample out/sample.pak
pak=out/sample.pak
show ls "$pak"
show ls gfx/sample.wad --pak "$pak"
show info progs/creature.mdl --pak "$pak"
show info progs/flame.spr --pak "$pak"
for picture in rings swatch badge; do
    show png "gfx/$picture.lmp" --pak "$pak" -o "out/png/$picture.png"
done
show png gfx/swatch.lmp --pak "$pak" --row 48 -o out/png/swatch_dark.png
show png progs/flame.spr --pak "$pak" --transparent 255 --scale 4 -o out/png/flame.png
show png progs/creature.mdl --pak "$pak" --scale 4 -o out/png/creature_skin.png
show gltf progs/creature.mdl --pak "$pak" -o out/creature.glb
show map maps/yard.map --pak "$pak"
show export "$pak" -o out/export
show pack out/export -o out/repacked.pak
show ls out/repacked.pak

echo
echo "files written under out/:"
find out/sample.pak out/png out/creature.glb out/export out/repacked.pak -type f | sort | while read -r file; do
    printf '  %-36s %8d bytes\n' "$file" "$(stat -c %s "$file")"
done
