#!/bin/sh
# Runs the batch recipe that a README gives, copied from it as it stands, on
# two IES files, and checks that each one's table was saved beside it.
#   batch_recipes.sh bash SOURCE_DIR WORK_DIR TOOL      (README.md's, bash)
#   batch_recipes.sh cmd SOURCE_DIR WORK_DIR WINE TOOL  (README.txt's, cmd)
set -eu
kind=$1 source_dir=$2 work=$3
shift 3
rm -rf "$work" && mkdir -p "$work/bin"
for name in north south; do
  cp "$source_dir/examples/lamp.ies" "$work/$name.ies"
done

# The recipe is the one indented line of its README that starts a for loop.
case $kind in
  bash)
    recipe=$(sed -n 's/^    \(for f in .*\)$/\1/p' "$source_dir/README.md")
    ln -s "$1" "$work/bin/lumtrel"
    line_end='\n'
    run() { (cd "$work" && PATH="$work/bin:$PATH" bash -c "$recipe"); }
    ;;
  cmd)
    recipe=$(sed -n 's/^    \(for %f in .*\)$/\1/p' \
      "$source_dir/cmake/README.txt.in")
    cp "$2" "$work/lumtrel.exe"
    line_end='\r\n'
    run() { (cd "$work" && "$1" cmd /c "$recipe"); }
    ;;
esac
[ -n "$recipe" ] || { echo "no $kind recipe found in its README"; exit 1; }
echo "recipe: $recipe"
run "$@" </dev/null >"$work/console" 2>&1 || {
  echo "the recipe failed:"
  cat "$work/console"
  exit 1
}

# examples/lamp.ies: vertical angles 0, 45, 90, one plane of 100, 80, 20.
expected=$(printf "A;0;45;90;${line_end}0;100;80;20;${line_end}180;100;80;20;${line_end}${line_end}" | od -c)
for name in north south; do
  if [ "$(od -c <"$work/$name.csv" 2>/dev/null)" != "$expected" ]; then
    echo "$name.csv is missing or wrong; the console showed:"
    cat "$work/console"
    exit 1
  fi
done
echo "both tables saved"
