/* What the C hosts share, the platform's part of a host: loading the library and binding its
 * exports by name, starting the clock simulator, pausing, and the printer a capture asks for
 * (c_host_support_posix.c, c_host_support_win32.c). The hosts themselves are the same on every
 * platform. */
#ifndef QUORLINK_C_HOST_SUPPORT_H
#define QUORLINK_C_HOST_SUPPORT_H

#include <stdint.h>
#include <stdio.h>

/* A check of a host: reports what failed, and gives 1 for the host to count. */
static inline int check(int ok, const char* what) {
  if (!ok) fprintf(stderr, "failed: %s\n", what);
  return !ok;
}

/* The library at path; NULL, with a message, when it cannot be loaded. */
void* loadLibrary(const char* path);
/* The export's address; a host without it cannot go on, so a missing one ends the host. */
void* bindExport(void* library, const char* name);
/* Whether the library exports name at all. */
int exports(void* library, const char* name);
/* Unloads the library; 1 when it was. */
int unloadLibrary(void* library);

void sleepMs(long ms);
/* The processor time the host has used so far, in seconds. */
double processorSeconds(void);
/* The size of a file, -1 when there is none. */
long fileSize(const char* path);

/* quorclock, run with args (args[0] is the program, NULL ends them), published as COM<port> in the
 * ports folder of $XDG_CONFIG_HOME. startClock returns once the port is there (NULL when the
 * clock could not be started); endClock stops the clock (terminate) or waits until it ends by
 * itself, and tells whether it ended cleanly. */
typedef struct Clock Clock;
Clock* startClock(char* const args[], int port);
int endClock(Clock* clock, int terminate);

/* The printer of a capture: registers what the platform needs with the library and gives the
 * ask argument of openQuorKVT. printoutPrinted tells whether the capture's printout came out, as
 * far as the platform can see it; folder is the host's scratch folder. */
uint32_t preparePrinter(void* library, const char* folder);
int printoutPrinted(void);

#endif
