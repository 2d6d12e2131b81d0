/* A host written in plain C, as a foreign program uses the library: it loads the library
 * (libquorlink.so, quorlink.dll) by its path, binds the exports it needs by their plain names, and
 * captures a printout that quorclock prints on COM7; then it unloads the library and goes on.
 * Arguments: the library, the quorclock program, the printout file. */
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "c_host_support.h"
#include "quorlink.h"

typedef int32_t(QUORLINK_CALL* OpenConnection)(const char*);
typedef int32_t(QUORLINK_CALL* NoArguments)(void);
typedef int32_t(QUORLINK_CALL* OpenCapture)(uint32_t);
typedef int32_t(QUORLINK_CALL* RegisterProc)(QuorUpdateProc);
typedef int32_t(QUORLINK_CALL* CopyLine)(char*);
typedef int32_t(QUORLINK_CALL* OptionBase)(int32_t);

static CopyLine getUpdateDataProc;
static char received[256][132];
static atomic_int receivedCount; /* the update procedure runs on the reader thread */

static void QUORLINK_CALL onLine(const char* line) {
  (void)line;
  const int count = atomic_load(&receivedCount);
  if (count < 256 && getUpdateDataProc(received[count]) == 1)
    atomic_store(&receivedCount, count + 1);
}

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: c_host LIBRARY QUORCLOCK PRINTOUT\n");
    return 2;
  }
  void* library = loadLibrary(argv[1]);
  if (library == NULL) return 1;
  OpenConnection openQuorConnection = (OpenConnection)bindExport(library, "openQuorConnection");
  NoArguments closeQuorConnection = (NoArguments)bindExport(library, "closeQuorConnection");
  OpenCapture openQuorKVT = (OpenCapture)bindExport(library, "openQuorKVT");
  NoArguments closeQuorKVT = (NoArguments)bindExport(library, "closeQuorKVT");
  RegisterProc regUpdateProc = (RegisterProc)bindExport(library, "regUpdateProc");
  OptionBase regOptionBase = (OptionBase)bindExport(library, "regOptionBase");
  getUpdateDataProc = (CopyLine)bindExport(library, "getUpdateData");
  NoArguments quorlinkVersion = (NoArguments)bindExport(library, "quorlinkVersion");
  if (quorlinkVersion() != QUORLINK_VERSION_NUMBER) {
    fprintf(stderr, "the library is version %d, the header %d\n", quorlinkVersion(),
            QUORLINK_VERSION_NUMBER);
    return 1;
  }
  if (exports(library, "capture") || exports(library, "linkFlags")) {
    fprintf(stderr, "internal names are visible\n");
    return 1;
  }
  if (regOptionBase(2) != 0 || regOptionBase(1) != 1 || openQuorKVT(0) != 0) {
    fprintf(stderr, "wrong results before the connection\n");
    return 1;
  }

  char* clockArgs[] = {argv[2], "--com", "7", "--once", "--byte-us", "200", argv[3], NULL};
  Clock* clock = startClock(clockArgs, 7);
  if (clock == NULL) return 1;

  const char* config = getenv("XDG_CONFIG_HOME");
  const uint32_t ask = preparePrinter(library, config != NULL ? config : ".");
  if (openQuorConnection("7") != 1 || openQuorKVT(ask) != 1 || regUpdateProc(onLine) != 1) {
    fprintf(stderr, "capture did not start\n");
    endClock(clock, 1);
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
  const int clockEnded = endClock(clock, 0);
  /* The library goes at once: none of its threads may be left to run in it. */
  if (!unloadLibrary(library)) {
    fprintf(stderr, "the library could not be unloaded\n");
    return 1;
  }
  sleepMs(300);

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
  if (!printoutPrinted()) failures = 1;
  if (!clockEnded) {
    fprintf(stderr, "quorclock did not end cleanly\n");
    failures = 1;
  }
  printf("%d lines captured\n", count);
  return failures;
}
