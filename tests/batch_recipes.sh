#!/bin/sh
# Runs the batch recipe that a README gives, copied from it as it stands, on
# IES and EULUMDAT files whose names hold spaces, non-ASCII letters and
# upper-case extensions, and checks that each one's table was saved beside
# it under its whole name (lamp.ies.csv beside lamp.ldt.csv); then in a
# folder that holds no such file, where it must do nothing.
#   batch_recipes.sh bash SOURCE_DIR WORK_DIR TOOL      (README.md's, bash)
#   batch_recipes.sh cmd SOURCE_DIR WORK_DIR WINE TOOL  (README.txt's, cmd)
# The cmd recipe runs as a user runs it, at a console (tmux), from a .cmd
# file: Wine re-escapes the quotes of a line given to cmd /c, and the
# recipe's chcp needs a console.
set -eu
kind=$1 source_dir=$2 work=$3
shift 3
files="$work/files" empty="$work/empty"
rm -rf "$work" && mkdir -p "$files" "$empty" "$work/bin"
cp "$source_dir/examples/lamp.ies" "$files/north lamp.ies"
cp "$source_dir/examples/lamp.ies" "$files/Ø süd 灯.IES"
cp "$source_dir/examples/downlight.ldt" "$files/north lamp.LDT"
cp "$source_dir/examples/downlight.ldt" "$files/Straße.ldt"

# The recipe is the one indented line of its README that holds a for loop.
case $kind in
  bash)
    recipe=$(sed -n 's/^    \(.*for f in .*\)$/\1/p' "$source_dir/README.md")
    ln -s "$1" "$work/bin/lumtrel"
    line_end='\n'
    run() { (cd "$1" && PATH="$work/bin:$PATH" bash -c "$recipe"); }
    ;;
  cmd)
    recipe=$(sed -n 's/^    \(.*for %f in .*\)$/\1/p' \
      "$source_dir/cmake/README.txt.in")
    wine=$1
    cp "$2" "$files/lumtrel.exe"
    cp "$2" "$empty/lumtrel.exe"
    line_end='\r\n'
    server="lumtrel-recipe-$$"
    trap 'tmux -L "$server" kill-server 2>/dev/null || true' EXIT
    run() {
      # In a .cmd file each % of the typed recipe is written %%.
      printf '%s\r\n' "$(printf '%s' "$recipe" | sed 's/%/%%/g')" \
        >"$1/recipe.cmd"
      rm -f "$work/status"
      tmux -L "$server" new-session -d -x 200 -y 50 -c "$1" \
        "$wine cmd /c recipe.cmd > '$work/console' 2>&1; echo \$? > '$work/status'"
      for _ in $(seq 600); do
        [ -f "$work/status" ] && break
        sleep 0.1
      done
      [ "$(cat "$work/status" 2>/dev/null)" = 0 ]
    }
    ;;
esac
[ -n "$recipe" ] || { echo "no $kind recipe found in its README"; exit 1; }
echo "recipe: $recipe"
run "$files" </dev/null >"$work/console" 2>&1 || {
  echo "the recipe failed:"
  cat "$work/console"
  exit 1
}

# examples/lamp.ies: vertical angles 0, 45, 90, one plane of 100, 80, 20.
# examples/downlight.ldt: gamma angles 0 to 90 by 15, one plane.
ies_table=$(printf "A;0;45;90;${line_end}0;100;80;20;${line_end}180;100;80;20;${line_end}${line_end}" | od -c)
ldt_row="296;288;259;207;133;44;0;${line_end}"
ldt_table=$(printf "A;0;15;30;45;60;75;90;${line_end}0;${ldt_row}180;${ldt_row}${line_end}" | od -c)
for name in "north lamp.ies" "Ø süd 灯.IES" "north lamp.LDT" "Straße.ldt"; do
  case $name in
    *.ies | *.IES) expected=$ies_table ;;
    *) expected=$ldt_table ;;
  esac
  if [ "$(od -c <"$files/$name.csv" 2>/dev/null)" != "$expected" ]; then
    echo "$name.csv is missing or wrong; the folder and the console:"
    ls "$files"
    cat "$work/console"
    exit 1
  fi
done

run "$empty" </dev/null >"$work/console" 2>&1 || true
if grep -q "File path" "$work/console" || ls "$empty" | grep -q csv; then
  echo "in a folder without IES or EULUMDAT files the recipe ran the tool:"
  cat "$work/console"
  exit 1
fi
echo "every table saved"
