# Checks of a text read back (by OCR, from a clipboard) for the test scripts.
# Source it; failed is 1 once a check failed.
failed=0
expect() { # expect <name> <text> <extended regex>
  if grep -Eq -- "$3" <<<"$2"; then
    echo "ok:   $1"
  else
    echo "FAIL: $1: no match for /$3/"
    failed=1
  fi
}
