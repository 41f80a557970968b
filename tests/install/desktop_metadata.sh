#!/usr/bin/env bash
# Checks the staged desktop entry and AppStream metainfo: both validators stay silent,
# and what they name (the program, the icon, the desktop id, the binaries, the version,
# the homepage) is really there and agrees with the build.
# Usage: desktop_metadata.sh PREFIX VERSION HOMEPAGE
set -euo pipefail
. "$(dirname "$0")/common.sh"
prefix=$1 version=$2 homepage=$3
need_tool desktop-file-validate desktop-file-utils
need_tool appstreamcli appstream

desktop_entries=("$prefix"/share/applications/*.desktop)
metainfos=("$prefix"/share/metainfo/*.metainfo.xml)
[ ${#desktop_entries[@]} -eq 1 ] && [ -f "${desktop_entries[0]}" ] || fail "expected one desktop entry"
[ ${#metainfos[@]} -eq 1 ] && [ -f "${metainfos[0]}" ] || fail "expected one metainfo file"
desktop=${desktop_entries[0]} metainfo=${metainfos[0]}
desktop_id=$(basename "$desktop")

report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate failed: $report"
[ -z "$report" ] || fail "desktop-file-validate says: $report"

# Information lines are allowed (it cannot know the .example top-level domain); errors,
# warnings and pedantic remarks about anything else are not.
report=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) || fail "appstreamcli failed: $report"
complaints=$(grep -E '^ *[EWP]: ' <<<"$report" | grep -v 'cid-contains-uppercase-letter' || true)
[ -z "$complaints" ] || fail "appstreamcli says: $complaints"
report=$(appstreamcli validate-tree --no-net "$prefix" 2>&1) || fail "appstreamcli validate-tree failed: $report"
complaints=$(grep -E '^ *[EW]: ' <<<"$report" || true)
[ -z "$complaints" ] || fail "appstreamcli validate-tree says: $complaints"

entry() { sed -n "s/^$1=//p" "$desktop"; }
exec_line=$(entry Exec)
[ -x "$prefix/bin/${exec_line%% *}" ] || fail "Exec=$exec_line names no installed program"
icon=$(entry Icon)
for size in 32 64 128 256; do
  [ -f "$prefix/share/icons/hicolor/${size}x$size/apps/$icon.png" ] || fail "no ${size}px icon '$icon'"
done

# One fact per line: a tag's text, or an attribute.
xml_text() { sed -n "s|.*<$1>\(.*\)</${1%% *}>.*|\1|p" "$metainfo"; }
id=$(xml_text id)
[ "$id.desktop" = "$desktop_id" ] || fail "component id '$id' does not name the desktop entry $desktop_id"
[ "$icon" = "$id" ] || fail "icon '$icon' is not named after the component id '$id'"
[ "$(xml_text 'launchable type="desktop-id"')" = "$desktop_id" ] || fail "the launchable is not $desktop_id"
for binary in $(xml_text binary); do
  [ -x "$prefix/bin/$binary" ] || fail "the metainfo provides '$binary', which is not installed"
done
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo" || fail "no release $version"
[ "$(xml_text 'url type="homepage"' | sed 's/&amp;/\&/g')" = "$homepage" ] || fail "the homepage is not $homepage"
grep -q '<content_rating type="oars-1.1"' "$metainfo" || fail "no oars-1.1 content rating"
grep -q '<caption>.\+</caption>' "$metainfo" || fail "the screenshot has no caption"
echo "$desktop_id and $(basename "$metainfo") are valid and agree with the install"
