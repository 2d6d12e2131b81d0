/* A host in plain C that unloads the library the moment its closes return, as a host may: no
 * thread of the library may be left to run in unmapped code. Each round loads the library,
 * opens a link to quorclock and captures, then closes and unloads at once, and lives on:
 *  - closed from the host's thread while the reader waits on an idle line and the idle monitor
 *    sleeps (on an idle link the library must cost next to no processor time);
 *  - closed from the update procedure, on the library's own thread, as the first line arrives;
 *  - closed after the clock has gone away (the device is lost), which must not make the reader
 *    spin, nor keep the close waiting.
 * Arguments: the library, the quorclock program, the clock data file, a printout file. */
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "c_host_support.h"
#include "quorlink.h"

typedef int32_t(QUORLINK_CALL* TextCall)(const char*);
typedef int32_t(QUORLINK_CALL* NoArguments)(void);
typedef int32_t(QUORLINK_CALL* NumberCall)(uint32_t);
typedef int32_t(QUORLINK_CALL* RegisterProc)(QuorUpdateProc);
typedef int32_t(QUORLINK_CALL* CopyLine)(char*);

static struct {
  void* library;
  TextCall openQuorConnection;
  NoArguments closeQuorConnection, closeQuorKVT;
  NumberCall openQuorKVT;
  RegisterProc regUpdateProc;
  CopyLine getUpdateData;
} q;

static int failures;

static void load(const char* path) {
  q.library = loadLibrary(path);
  if (q.library == NULL) exit(1);
  q.openQuorConnection = (TextCall)bindExport(q.library, "openQuorConnection");
  q.closeQuorConnection = (NoArguments)bindExport(q.library, "closeQuorConnection");
  q.openQuorKVT = (NumberCall)bindExport(q.library, "openQuorKVT");
  q.closeQuorKVT = (NoArguments)bindExport(q.library, "closeQuorKVT");
  q.regUpdateProc = (RegisterProc)bindExport(q.library, "regUpdateProc");
  q.getUpdateData = (CopyLine)bindExport(q.library, "getUpdateData");
}

/* Unloads the library and gives a thread left behind the time to wake up in it. */
static void unloadAndLiveOn(const char* round) {
  failures |= check(unloadLibrary(q.library), round);
  sleepMs(400);
  printf("%s: unloaded, the host lives on\n", round);
}

static atomic_int linesSeen;
static atomic_int closedFromProcedure;

/* The first line closes capture and the link from within the update procedure. */
static void QUORLINK_CALL closeOnFirstLine(const char* line) {
  char copy[QUORLINK_LINE_BUFFER_SIZE];
  (void)line;
  q.getUpdateData(copy);
  if (atomic_fetch_add(&linesSeen, 1) > 0) return;
  q.closeQuorKVT();
  q.closeQuorConnection();
  atomic_store(&closedFromProcedure, 1);
}

static void QUORLINK_CALL ignoreLine(const char* line) {
  (void)line;
}

/* A second in which the line stays quiet costs the library next to no processor time: its
 * reader waits, it does not poll without pause. */
static void expectQuietSecond(const char* what) {
  const double before = processorSeconds();
  sleepMs(1000);
  const double used = processorSeconds() - before;
  if (used > 0.1) {
    fprintf(stderr, "%s used %.2f s of processor time in a second\n", what, used);
    failures = 1;
  }
}

int main(int argc, char** argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: c_unload_host LIBRARY QUORCLOCK CLOCKDATA PRINTOUT\n");
    return 2;
  }

  /* Closed from the host's thread while the library's threads wait. */
  char* silentClock[] = {argv[2], "--com", "5", "--silent", "--answer", argv[3], NULL};
  Clock* clock = startClock(silentClock, 5);
  failures |= check(clock != NULL, "silent clock started");
  load(argv[1]);
  failures |=
      check(q.openQuorConnection("5") == 1 && q.openQuorKVT(0) == 1 && q.regUpdateProc(ignoreLine),
            "capture on an idle line");
  expectQuietSecond("an idle link");
  q.closeQuorKVT();
  q.closeQuorConnection();
  unloadAndLiveOn("closed from the host");

  /* Closed from the update procedure, on the library's thread. */
  char* printingClock[] = {argv[2], "--com", "6", "--byte-us", "200", argv[4], NULL};
  Clock* printer = startClock(printingClock, 6);
  failures |= check(printer != NULL, "printing clock started");
  load(argv[1]);
  failures |= check(
      q.openQuorConnection("6") == 1 && q.openQuorKVT(0) == 1 && q.regUpdateProc(closeOnFirstLine),
      "capture of a printout");
  for (int i = 0; i < 500 && !atomic_load(&closedFromProcedure); ++i) sleepMs(10);
  failures |= check(atomic_load(&closedFromProcedure), "closed from the update procedure");
  unloadAndLiveOn("closed from the update procedure");
  failures |= check(atomic_load(&linesSeen) == 1, "no line after the close");
  endClock(printer, 1);

  /* Closed after the clock went away. */
  load(argv[1]);
  failures |=
      check(q.openQuorConnection("5") == 1 && q.openQuorKVT(0) == 1, "capture before the loss");
  endClock(clock, 1);
  expectQuietSecond("a lost device");
  q.closeQuorKVT();
  q.closeQuorConnection();
  unloadAndLiveOn("closed after the device was lost");

  if (failures == 0) printf("unloaded three times right after closing\n");
  return failures;
}
