#!/bin/sh
# Runs a test program as the user nobody when ctest runs as root (as in a container), for the
# cases in which a file's mode must count, which it never does for root; as any other user it
# runs as that user.
set -e
if [ "$(id -u)" -eq 0 ]; then
  exec setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"
fi
exec "$@"
