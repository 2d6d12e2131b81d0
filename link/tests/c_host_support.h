/* What the C hosts share: binding an export by name, and a pause. */
#ifndef QUORLINK_C_HOST_SUPPORT_H
#define QUORLINK_C_HOST_SUPPORT_H

#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

/* The export's address; a host without it cannot go on. */
static void* bind(void* library, const char* name) {
  void* address = dlsym(library, name);
  if (address == NULL) {
    fprintf(stderr, "export %s not found\n", name);
    exit(1);
  }
  return address;
}

static void sleepMs(long ms) {
  struct timespec pause = {ms / 1000, (ms % 1000) * 1000000L};
  nanosleep(&pause, NULL);
}

#endif
