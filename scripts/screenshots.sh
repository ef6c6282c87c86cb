#!/usr/bin/env bash
# Saves a PNG of each serverconf window and dialog, drawn under a virtual X
# server against simulated device servers, and prints their paths.
#   bash scripts/screenshots.sh [DIR]     (default: build/run/screenshots)
exec bash "$(dirname "$0")/run.sh" --screenshots "$@"
