#!/usr/bin/env bash
# The Ansible provisioning play, verify on, with printers that join their network 5 s after each
# save: 20 hosts of 4 printers each (forks 20) against one host with one printer.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset native >/dev/null
cmake --build --preset native --target zephra-cli printer-sim >/dev/null
python3 scripts/bench.d/ansible_hosts_figures.py build/native
