/* A host written in plain C, as a foreign program uses the library: it loads libquorlink.so by
 * name, binds the exports it needs with dlsym, and captures a printout that quorclock prints on
 * COM7. Arguments: the library, the quorclock program, the printout file. */
#include <dlfcn.h>
#include <signal.h>
#include <spawn.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "c_host_support.h"
#include "quorlink.h"

extern char** environ;

typedef int32_t(QUORLINK_CALL* OpenConnection)(const char*);
typedef int32_t(QUORLINK_CALL* NoArguments)(void);
typedef int32_t(QUORLINK_CALL* OpenCapture)(uint32_t);
typedef int32_t(QUORLINK_CALL* RegisterProc)(QuorUpdateProc);
typedef int32_t(QUORLINK_CALL* CopyLine)(char*);
typedef int32_t(QUORLINK_CALL* OptionBase)(int32_t);
typedef int32_t(QUORLINK_CALL* RegisterChooser)(QuorPrinterChooser);

static CopyLine getUpdateDataProc;
static char received[256][132];
static atomic_int receivedCount; /* the update procedure runs on the reader thread */

static void QUORLINK_CALL onLine(const char* line) {
  (void)line;
  const int count = atomic_load(&receivedCount);
  if (count < 256 && getUpdateDataProc(received[count]) == 1)
    atomic_store(&receivedCount, count + 1);
}

static char printoutPdf[4096];

/* The host's printer dialog: the printout goes to a PDF file. */
static int32_t QUORLINK_CALL choosePrinter(char* buffer, uint32_t size) {
  snprintf(buffer, size, "file:%s", printoutPdf);
  return 1;
}

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: c_host LIBRARY QUORCLOCK PRINTOUT\n");
    return 2;
  }
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == NULL) {
    fprintf(stderr, "%s\n", dlerror());
    return 1;
  }
  OpenConnection openQuorConnection = (OpenConnection)bind(library, "openQuorConnection");
  NoArguments closeQuorConnection = (NoArguments)bind(library, "closeQuorConnection");
  OpenCapture openQuorKVT = (OpenCapture)bind(library, "openQuorKVT");
  NoArguments closeQuorKVT = (NoArguments)bind(library, "closeQuorKVT");
  RegisterProc regUpdateProc = (RegisterProc)bind(library, "regUpdateProc");
  OptionBase regOptionBase = (OptionBase)bind(library, "regOptionBase");
  RegisterChooser regPrinterChooser = (RegisterChooser)bind(library, "regPrinterChooser");
  getUpdateDataProc = (CopyLine)bind(library, "getUpdateData");
  if (dlsym(library, "capture") != NULL || dlsym(library, "linkFlags") != NULL) {
    fprintf(stderr, "internal names are visible\n");
    return 1;
  }
  if (regOptionBase(2) != 0 || regOptionBase(1) != 1 || openQuorKVT(0) != 0) {
    fprintf(stderr, "wrong results before the connection\n");
    return 1;
  }

  char* clockArgs[] = {argv[2], "--com", "7", "--once", "--byte-us", "200", argv[3], NULL};
  pid_t clock;
  if (posix_spawn(&clock, argv[2], NULL, NULL, clockArgs, environ) != 0) return 1;
  const char* config = getenv("XDG_CONFIG_HOME");
  char entry[4096];
  snprintf(entry, sizeof entry, "%s/quorlink/ports/COM7", config != NULL ? config : ".");
  struct stat status;
  for (int i = 0; i < 200 && lstat(entry, &status) != 0; ++i) sleepMs(10);

  snprintf(printoutPdf, sizeof printoutPdf, "%s/printout.pdf", config != NULL ? config : ".");
  unlink(printoutPdf);
  if (regPrinterChooser(choosePrinter) != 1 || openQuorConnection("7") != 1 ||
      openQuorKVT(1) != 1 || regUpdateProc(onLine) != 1) {
    fprintf(stderr, "capture did not start\n");
    kill(clock, SIGTERM);
    return 1;
  }

  FILE* printout = fopen(argv[3], "r");
  char expected[256][132];
  int expectedCount = 0;
  while (expectedCount < 256 && fgets(expected[expectedCount], 132, printout) != NULL) {
    expected[expectedCount][strcspn(expected[expectedCount], "\r\n")] = '\0';
    ++expectedCount;
  }
  fclose(printout);
  for (int i = 0; i < 500 && atomic_load(&receivedCount) < expectedCount + 1; ++i) sleepMs(10);
  closeQuorKVT();
  closeQuorConnection();
  int clockStatus = 0;
  waitpid(clock, &clockStatus, 0);
  dlclose(library);

  /* Every printed line in order, then the empty line of the closing form feed. */
  const int count = atomic_load(&receivedCount);
  int failures = count != expectedCount + 1;
  for (int i = 0; i < expectedCount && i < count; ++i) {
    if (strcmp(received[i], expected[i]) != 0) {
      fprintf(stderr, "line %d: got \"%s\", expected \"%s\"\n", i, received[i], expected[i]);
      failures = 1;
    }
  }
  if (count != expectedCount + 1) {
    fprintf(stderr, "received %d lines, expected %d\n", count, expectedCount + 1);
  }
  if (stat(printoutPdf, &status) != 0 || status.st_size == 0) {
    fprintf(stderr, "the printout was not printed to %s\n", printoutPdf);
    failures = 1;
  }
  if (!WIFEXITED(clockStatus) || WEXITSTATUS(clockStatus) != 0) {
    fprintf(stderr, "quorclock did not end cleanly\n");
    failures = 1;
  }
  printf("%d lines captured\n", count);
  return failures;
}
