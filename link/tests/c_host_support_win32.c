/* The C hosts on Windows, as they run under Wine: LoadLibrary and GetProcAddress by plain name,
 * the clock simulator started as a Linux program through Wine (windows/unix_clock.sh), and the
 * default printer, of which a Wine prefix of its own has none, so that capture goes on without
 * one. Paths are the Linux ones: a host runs in a folder of the build tree, which Wine maps to
 * its drive Z:, on which a path from / names the same file. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "c_host_support.h"
#include "quorlink.h"

void* loadLibrary(const char* path) {
  HMODULE library = LoadLibraryA(path);
  if (library == NULL) fprintf(stderr, "%s cannot be loaded (error %lu)\n", path, GetLastError());
  return (void*)library;
}

void* bindExport(void* library, const char* name) {
  void* address = (void*)GetProcAddress((HMODULE)library, name);
  if (address == NULL) {
    fprintf(stderr, "export %s not found\n", name);
    exit(1);
  }
  return address;
}

int exports(void* library, const char* name) {
  return GetProcAddress((HMODULE)library, name) != NULL;
}

int unloadLibrary(void* library) {
  return FreeLibrary((HMODULE)library) != 0;
}

void sleepMs(long ms) {
  Sleep((DWORD)ms);
}

double processorSeconds(void) {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const double units = (double)kernel.dwLowDateTime + (double)kernel.dwHighDateTime * 4294967296.0 +
                       (double)user.dwLowDateTime + (double)user.dwHighDateTime * 4294967296.0;
  return units / 1e7;
}

long fileSize(const char* path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return -1;
  return (long)data.nFileSizeLow;
}

struct Clock {
  char state[4096];
};

/* Appends text to a command line in double quotes (no argument here holds a quote). */
static void appendQuoted(char* line, size_t size, const char* text) {
  const size_t used = strlen(line);
  snprintf(line + used, size - used, "%s\"%s\"", used > 0 ? " " : "", text);
}

Clock* startClock(char* const args[], int port) {
  Clock* clock = malloc(sizeof *clock);
  if (clock == NULL) return NULL;
  const char* config = getenv("XDG_CONFIG_HOME");
  char portText[16];
  snprintf(portText, sizeof portText, "%d", port);
  snprintf(clock->state, sizeof clock->state, "%s/clock-COM%d", config, port);
  char path[4200];
  snprintf(path, sizeof path, "%s.ready", clock->state);
  DeleteFileA(path);
  snprintf(path, sizeof path, "%s.status", clock->state);
  DeleteFileA(path);
  static char line[32768];
  line[0] = '\0';
  appendQuoted(line, sizeof line, "/bin/sh");
  appendQuoted(line, sizeof line, QUORLINK_UNIX_CLOCK);
  appendQuoted(line, sizeof line, portText);
  appendQuoted(line, sizeof line, clock->state);
  for (int i = 0; args[i] != NULL; ++i) appendQuoted(line, sizeof line, args[i]);
  STARTUPINFOA startup;
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  memset(&process, 0, sizeof process);
  if (!CreateProcessA(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
    fprintf(stderr, "the clock cannot be started (error %lu)\n", GetLastError());
    free(clock);
    return NULL;
  }
  snprintf(path, sizeof path, "%s.ready", clock->state);
  for (int i = 0; i < 500 && GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(10);
  return clock;
}

int endClock(Clock* clock, int terminate) {
  char path[4200];
  if (terminate) {
    snprintf(path, sizeof path, "%s.stop", clock->state);
    FILE* stop = fopen(path, "w");
    if (stop != NULL) fclose(stop);
  }
  snprintf(path, sizeof path, "%s.status", clock->state);
  int status = -1;
  for (int i = 0; i < 3000 && status < 0; ++i) {
    FILE* file = fopen(path, "r");
    if (file == NULL) {
      Sleep(10);
      continue;
    }
    if (fscanf(file, "%d", &status) != 1) status = -1;
    fclose(file);
  }
  free(clock);
  return status == 0;
}

uint32_t preparePrinter(void* library, const char* folder) {
  (void)library;
  (void)folder;
  char name[256];
  DWORD size = sizeof name;
  if (GetDefaultPrinterA(name, &size)) {
    printf("printing on the default printer %s\n", name);
  } else {
    printf("no default printer: the lines must come all the same\n");
  }
  return 0;
}

int printoutPrinted(void) {
  return 1;
}
