#!/usr/bin/env bash
# The layers of src/: every folder is one library, and its files may include the headers of
# their own folder and of the folders its row names, and the Qt headers of the modules its row
# names. The pure parts (protocol, commands, connection, settings) use Qt Core alone, and
# nothing below ui knows a window.
#
# The one exception, the frmMain split: a window's handlers that live in the folder of their
# subsystem, files named frm<Window>_<part>.cpp (frmMain_receive.cpp in protocol/, say), are
# members of a window class. They are built into the windows' library and held to ui's row.
#
# folder            | may include                                  | Qt modules
LAYERS='
platform/registry   |                                              |
platform            |                                              | Core Gui Widgets Network DBus
settings            | platform/registry                            | Core
protocol            |                                              | Core
commands            | protocol settings                            | Core
connection          | protocol commands settings                   | Core
ui                  | platform settings protocol commands connection data | Core Gui Widgets Network DBus
.                   | ui                                           | Core Gui Widgets
'
# data/ holds the window icon's generated code (AppIcon.h), which the windows include.
#
# It also checks that a folder's CMakeLists.txt adds to the windows' library (vantric_client)
# only files of the frmMain split.
#
# Usage: scripts/check-layers.sh [SOURCE_DIR]   (the repository's top folder by default)
set -euo pipefail
top="${1:-$(dirname "$0")/..}"
cd "$top/src"

qt_headers=$(qtpaths6 --query QT_INSTALL_HEADERS 2>/dev/null || qmake6 -query QT_INSTALL_HEADERS)
if [ ! -d "$qt_headers/QtCore" ]; then
    echo "check-layers: the Qt headers are not found (qtpaths6 says '$qt_headers')" >&2
    exit 2
fi

declare -A may_include qt_modules
while IFS='|' read -r folder includes modules; do
    folder=$(echo "$folder" | xargs)
    [ -n "$folder" ] || continue
    may_include[$folder]=" $folder $(echo "$includes" | xargs) "
    qt_modules[$folder]=" $(echo "$modules" | xargs) "
done <<<"$LAYERS"

# The Qt module a header such as QWidget, QtWidgets/QWidget or QtGlobal belongs to, or nothing.
qt_module() {
    local header=$1
    if [[ $header == Qt*/* ]]; then
        echo "${header%%/*}" | sed 's/^Qt//'
        return
    fi
    for dir in "$qt_headers"/Qt*; do
        if [ -e "$dir/$header" ]; then
            basename "$dir" | sed 's/^Qt//'
            return
        fi
    done
}

failures=0
fail() {
    echo "check-layers: $*" >&2
    failures=$((failures + 1))
}

while IFS= read -r -d '' file; do
    file=${file#./}
    folder=$(dirname "$file")
    [[ $(basename "$file") == frm*_*.cpp ]] && folder=ui
    if [ -z "${may_include[$folder]+set}" ]; then
        fail "$file: its folder $folder has no row in the layer table"
        continue
    fi
    while IFS=: read -r line include; do
        if [[ $include == \"*\" ]]; then
            include=${include//\"/}
            if [[ $include == */* ]]; then
                target=$(dirname "$include")
            elif [ -e "../data/$include" ]; then
                target=data
            else
                target=$(dirname "$file") # a header beside the file
            fi
            [[ $(basename "$file") == frm*_*.cpp && $target == "$(dirname "$file")" ]] &&
                continue
            [[ ${may_include[$folder]} == *" $target "* ]] ||
                fail "$file:$line: includes \"$include\"; $folder may include only" ${may_include[$folder]}
        else
            include=${include#<}
            include=${include%>}
            module=$(qt_module "$include")
            [ -z "$module" ] && continue # the C++ library or the system
            [[ ${qt_modules[$folder]} == *" $module "* ]] ||
                fail "$file:$line: includes <$include> of Qt $module; $folder may use only Qt" ${qt_modules[$folder]:-(none)}
        fi
    done < <(grep -n -o -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][^">]+[">]' "$file" |
        sed -E 's/#[[:space:]]*include[[:space:]]*//; s/:[[:space:]]*/:/')
done < <(find . \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)

# What a folder other than ui adds to the windows' library must be of the frmMain split.
while IFS= read -r -d '' list; do
    list=${list#./}
    [ "$(dirname "$list")" = ui ] && continue
    for source in $(awk '/target_sources\(vantric_client/ { on = 1 }
                         on { gsub(/target_sources\(vantric_client|PRIVATE|PUBLIC|\)/, ""); print }
                         on && /\)/ { on = 0 }' "$list"); do
        [[ $(basename "$source") == frm*_*.cpp ]] ||
            fail "$list: adds $source to the windows' library; only frm<Window>_<part>.cpp files may"
    done
done < <(find . -name CMakeLists.txt -print0 | sort -z)

if [ "$failures" -gt 0 ]; then
    echo "check-layers: $failures include(s) or source(s) against the layers (see the table at" \
        "the top of scripts/check-layers.sh)" >&2
    exit 1
fi
echo "check-layers: every include of src/ keeps to the layers"
