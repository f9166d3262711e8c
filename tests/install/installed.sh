#!/usr/bin/env bash
# The package installed as its release's user would: apt takes it with what
# it depends on, and the installed program computes, is read as a screen
# reader does and ends (the end-to-end test on X11).
# Usage: installed.sh PACKAGE.deb   (as root, on the release it was built on)
set -euo pipefail
apt-get install -y -qq --no-install-recommends "$(realpath "$1")" >/dev/null
bash "$(dirname "$0")/../e2e/run.sh" x11 compute /usr/bin/tarvelo
