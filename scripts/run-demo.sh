#!/usr/bin/env bash
# Generates the demo base folder in the build folder and opens its model.
# The demo keeps its settings in the build folder, never in the user's own.
set -eu
build="${1:-build}"
demo="$build/demo"
"$build/src/cli/varp-tool" make-sample "$demo"
if [ -x "$build/src/desktop/varp" ]; then
    # Varp keeps its settings in $XDG_CONFIG_HOME/Ombrick/Zozuz05.conf (QSettings, INI form).
    export XDG_CONFIG_HOME="$(cd "$build" && pwd)/demo-config"
    base="$(cd "$demo" && pwd)"
    mkdir -p "$XDG_CONFIG_HOME/Ombrick"
    # A quoted INI value, so that commas, semicolons and leading blanks in the path survive.
    quoted=$(printf '%s' "$base" | sed -e 's/\\/\\\\/g' -e 's/"/\\"/g')
    printf '[Project]\nBaseDir="%s"\n' "$quoted" > "$XDG_CONFIG_HOME/Ombrick/Zozuz05.conf"
    exec "$build/src/desktop/varp" -md2 "$base/models/demo/tris.md2"
fi
"$build/src/cli/varp-tool" info --base "$demo" "$demo/models/demo/tris.md2"
