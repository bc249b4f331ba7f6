#!/usr/bin/env bash
exec /usr/lib/wine/wine64 "$@"
