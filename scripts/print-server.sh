#!/usr/bin/env bash
# Makes sure a CUPS print server runs here with a PDF queue as the default printer, for the tests
# that print a clock's printout on a real print queue. Idempotent; run as root.
set -euo pipefail

queue=QuorKVT-PDF
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  # Without a service manager the scheduler is started by hand; it detaches itself.
  /usr/sbin/cupsd
  for _ in $(seq 50); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.1
  done
fi
if ! lpstat -p "$queue" >/dev/null 2>&1; then
  ppd=$(ls /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/*.ppd 2>/dev/null | head -n1)
  # PDF 1.4 keeps the printout's fonts as text (1.2 would turn them into pictures).
  lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" -o PDFVer=1.4 2>/dev/null
fi
if [ "$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')" != "$queue" ]; then
  lpadmin -d "$queue"
fi
