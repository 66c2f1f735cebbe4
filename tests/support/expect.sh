# Checks of a text read back (by OCR, from a clipboard) for the test scripts.
# Source it; failed is 1 once a check failed.
failed=0
# read_text <picture> [tesseract options...]: the text tesseract reads in a
# picture, on standard output. One thread: its threads spin waiting for each
# other and took three times the time and four times the CPU, for the same
# text.
read_text() {
  OMP_THREAD_LIMIT=1 tesseract "$1" - "${@:2}" 2>/dev/null
}
expect() { # expect <name> <text> <extended regex>
  if grep -Eq -- "$3" <<<"$2"; then
    echo "ok:   $1"
  else
    echo "FAIL: $1: no match for /$3/"
    failed=1
  fi
}
