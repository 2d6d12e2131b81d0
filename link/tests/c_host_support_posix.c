/* The C hosts on POSIX systems: dlopen, posix_spawn, and a PDF file as the printer. */
#define _POSIX_C_SOURCE 200809L
#include <dlfcn.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "c_host_support.h"
#include "quorlink.h"

extern char** environ;

void* loadLibrary(const char* path) {
  void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (library == NULL) fprintf(stderr, "%s\n", dlerror());
  return library;
}

void* bindExport(void* library, const char* name) {
  void* address = dlsym(library, name);
  if (address == NULL) {
    fprintf(stderr, "export %s not found\n", name);
    exit(1);
  }
  return address;
}

int exports(void* library, const char* name) {
  return dlsym(library, name) != NULL;
}

int unloadLibrary(void* library) {
  return dlclose(library) == 0;
}

void sleepMs(long ms) {
  struct timespec pause = {ms / 1000, (ms % 1000) * 1000000L};
  nanosleep(&pause, NULL);
}

double processorSeconds(void) {
  struct timespec used;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
  return (double)used.tv_sec + (double)used.tv_nsec / 1e9;
}

long fileSize(const char* path) {
  struct stat status;
  return stat(path, &status) == 0 ? (long)status.st_size : -1;
}

struct Clock {
  pid_t pid;
};

Clock* startClock(char* const args[], int port) {
  Clock* clock = malloc(sizeof *clock);
  if (clock == NULL || posix_spawn(&clock->pid, args[0], NULL, NULL, args, environ) != 0) {
    free(clock);
    return NULL;
  }
  const char* config = getenv("XDG_CONFIG_HOME");
  char entry[4096];
  snprintf(entry, sizeof entry, "%s/quorlink/ports/COM%d", config != NULL ? config : ".", port);
  struct stat status;
  for (int i = 0; i < 300 && lstat(entry, &status) != 0; ++i) sleepMs(10);
  return clock;
}

int endClock(Clock* clock, int terminate) {
  if (terminate) kill(clock->pid, SIGTERM);
  int status = 0;
  waitpid(clock->pid, &status, 0);
  free(clock);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

static char printoutPdf[4096];

/* The host's printer dialog: the printout goes to a PDF file. */
static int32_t QUORLINK_CALL choosePrinter(char* buffer, uint32_t size) {
  snprintf(buffer, size, "file:%s", printoutPdf);
  return 1;
}

uint32_t preparePrinter(void* library, const char* folder) {
  typedef int32_t(QUORLINK_CALL * RegisterChooser)(QuorPrinterChooser);
  RegisterChooser regPrinterChooser = (RegisterChooser)bindExport(library, "regPrinterChooser");
  snprintf(printoutPdf, sizeof printoutPdf, "%s/printout.pdf", folder);
  unlink(printoutPdf);
  if (regPrinterChooser(choosePrinter) != 1) fprintf(stderr, "regPrinterChooser failed\n");
  return 1;
}

int printoutPrinted(void) {
  if (fileSize(printoutPdf) > 0) return 1;
  fprintf(stderr, "the printout was not printed to %s\n", printoutPdf);
  return 0;
}
