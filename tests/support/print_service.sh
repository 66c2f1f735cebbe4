# A print service of the tests' own: a CUPS scheduler with its configuration,
# spool, logs and socket in a folder of the caller's, no TCP port, and one
# PostScript printer "KLFILE" whose device is a file in that folder. Wine
# reaches it through CUPS_SERVER (exported here) and lists KLFILE as the
# default printer. Run as root the scheduler runs its filters as user lp;
# as another user it runs them as that user.
# Source it, then: kl_print_start <folder>; ... ; kl_print_stop
# KL_PRINT_SPOOLED is the file that jobs printed to KLFILE end up in.

kl_print_start() {
  local dir=$1 user group n
  mkdir -p "$dir"/{etc/ppd,spool/tmp,cache,state,log,out} || return 1
  dir=$(cd "$dir" && pwd)
  KL_PRINT_HOME=$dir
  export CUPS_SERVER=$dir/cups.sock
  export KL_PRINT_SPOOLED=$dir/out/spooled.ps
  # The filters run as lp must reach the spool through the folder.
  chmod 0755 "$dir"
  chmod 0777 "$dir/out"
  chmod 1777 "$dir/spool/tmp"
  if [ "$(id -u)" = 0 ]; then
    chgrp -R lp "$dir/spool" "$dir/cache" "$dir/state"
    chmod 0710 "$dir/spool"
    user=lp group=lp
  else
    user=$(id -un) group=$(id -gn)
  fi
  cat >"$dir/cupsd.conf" <<CONF
Listen $CUPS_SERVER
LogLevel warn
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
  cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User $user
Group $group
FileDevice Yes
CONF
  /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
  KL_PRINT_PID=$!
  for n in $(seq 100); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    kill -0 "$KL_PRINT_PID" 2>/dev/null || break
    sleep 0.1
  done
  if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    echo "the print service did not start:" >&2
    cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null
    kl_print_stop
    return 1
  fi
  lpadmin -p KLFILE -E -v "file://$KL_PRINT_SPOOLED" -m drv:///sample.drv/generic.ppd -o PageSize=A4 \
    2> >(grep -v 'deprecated' >&2) && lpadmin -d KLFILE || { kl_print_stop; return 1; }
}

# Stops the scheduler started by kl_print_start (by its process id).
kl_print_stop() {
  if [ -n "${KL_PRINT_PID:-}" ]; then
    kill "$KL_PRINT_PID" 2>/dev/null
    wait "$KL_PRINT_PID" 2>/dev/null
  fi
  KL_PRINT_PID=
}
