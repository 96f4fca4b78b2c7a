#!/usr/bin/env bash
# Checks the system viewer scan against GLib's own answers on this machine.
# For every extension key of the associations: GLib's type for a file
# of that name (`gio info` on a small binary file, so that the name
# decides) must be the key's type. For every type: when GLib names a
# default application (`gio mime`) that is installed and can be started (a
# terminal application needs x-terminal-emulator), the scan must have a
# record for each extension of that type.
#
#   bench/check_system_viewers.sh build/bench/bench_system_viewers
set -euo pipefail
scanner=${1:?path of bench_system_viewers}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$scanner" --extensions | sort > "$work/view"
"$scanner" --dump | cut -f1,2 | sort > "$work/records"

mkdir "$work/files"
while IFS=$'\t' read -r ext _; do printf '\000\001\002\377' > "$work/files/x$ext"; done < "$work/view"
(cd "$work/files" && ls -A | xargs -d '\n' gio info -a standard::name,standard::content-type) |
    awk '/^  standard::name:/ { name = substr($0, index($0, ": ") + 2) }
         /^  standard::content-type:/ { print substr(name, 2) "\t" $2 }' | sort > "$work/glib-types"

echo "extension keys: $(wc -l < "$work/view")"
if diff "$work/glib-types" "$work/view" > "$work/type-diff"; then
    echo "types: every extension has GLib's type"
else
    echo "types differ (< GLib, > view):"; cat "$work/type-diff"; status=1
fi

IFS=: read -ra data_dirs <<< "${XDG_DATA_HOME:-$HOME/.local/share}:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
has_terminal=no
command -v x-terminal-emulator > /dev/null && has_terminal=yes
terminal_types=0
: > "$work/startable"
cut -f2 "$work/view" | sort -u | while read -r type; do
    app=$(gio mime "$type" 2>/dev/null | sed -n 's/^Default application for .*: //p')
    [ -n "$app" ] || continue
    file=""
    for dir in "${data_dirs[@]}"; do
        [ -f "$dir/applications/$app" ] && { file="$dir/applications/$app"; break; }
        [ -f "$dir/applications/${app//-//}" ] && { file="$dir/applications/${app//-//}"; break; }
    done
    [ -n "$file" ] || continue
    if grep -q '^Terminal=true' "$file" && [ "$has_terminal" = no ]; then
        echo "$type" >> "$work/terminal"
        continue
    fi
    echo "$type" >> "$work/startable"
done
[ -f "$work/terminal" ] && terminal_types=$(wc -l < "$work/terminal")
awk -F'\t' 'NR == FNR { want[$1] = 1; next } ($2 in want)' "$work/startable" "$work/view" | sort > "$work/want"

echo "types whose GLib default is a terminal application (skipped, no x-terminal-emulator): $terminal_types"
echo "records expected from GLib's defaults: $(wc -l < "$work/want"), records: $(wc -l < "$work/records")"
missing=$(comm -23 "$work/want" "$work/records")
extra=$(comm -13 "$work/want" "$work/records")
if [ -n "$missing" ]; then
    echo "MISSING records:"; echo "$missing"; status=1
else
    echo "every extension whose default application is installed has its record"
fi
[ -z "$extra" ] || { echo "records beyond GLib's defaults:"; echo "$extra"; }
exit "${status:-0}"
