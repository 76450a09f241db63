#!/usr/bin/env bash
# The CI fuzz step: the seed corpus, then 60 seconds of fuzzing.
set -euo pipefail
exec "$(dirname "$0")/fuzz.sh" 60
