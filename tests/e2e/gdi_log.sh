#!/usr/bin/env bash
# Runs the e2e driver with Wine's standard error going to a log file, in
# which the program started with WINEDEBUG=trace+gdi reports its live GDI
# handle count. Usage: gdi_log.sh <driver.exe> <log file> [driver args...]
driver=$1
log=$2
shift 2
KL_GDI_LOG=$log exec "$(dirname "$0")/../../scripts/wine.sh" "$driver" "$@" 2>"$log"
