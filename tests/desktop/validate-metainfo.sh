#!/bin/sh
# Usage: validate-metainfo.sh FILE.metainfo.xml
# Offline validation: the screenshot URL is not fetched. Errors and warnings fail.
set -eu
. "$(dirname "$0")/common.sh"
require appstreamcli appstream

appstreamcli validate --no-net --no-color "$1" || fail "appstreamcli rejected $1"
