/* A host written in plain C that loads the library by its path and runs the command protocol
 * against quorclock answering from a clock data file, once as a Quor clock and once as a Tolvex
 * clock: it reads the stock list and race 1, writes the stock list back, sends recovery data
 * (Quor) and liberation points, and checks every byte the library wrote to the clock.
 * Arguments: the library, the quorclock program, the clock data file, a scratch folder. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "c_host_support.h"
#include "quorlink.h"

typedef int32_t(QUORLINK_CALL* TextCall)(const char*);
typedef int32_t(QUORLINK_CALL* NoArguments)(void);
typedef int32_t(QUORLINK_CALL* NumberCall)(uint32_t);
typedef int32_t(QUORLINK_CALL* RecordOut)(void*);
typedef int32_t(QUORLINK_CALL* RecordOutAt)(void*, uint32_t);
typedef int32_t(QUORLINK_CALL* RecordIn)(const void*);
typedef int32_t(QUORLINK_CALL* RecordInAt)(const void*, uint32_t);
typedef int32_t(QUORLINK_CALL* NameAt)(const char*, uint32_t);

static struct {
  TextCall openQuorConnection;
  NoArguments closeQuorConnection, writeQuor, writeQuorTolvex, buildQuor;
  NumberCall readQuor, readQuorTolvex;
  RecordOut getQuorData, getQuorStockOwnerData;
  RecordOutAt getPigeonData, getQuorPoulData, getQuorStockData;
  RecordIn setQuorStockOwnerData;
  RecordInAt setQuorStockData, setQuorRecoveryData;
  NameAt setLiberationPoints, setLiberationPointsTolvex;
} q;

static int failures;

/* The bytes the library is expected to write, built up as the exchanges go. */
static unsigned char expected[16384];
static size_t expectedLength;

static void expect(const void* bytes, size_t length) {
  memcpy(expected + expectedLength, bytes, length);
  expectedLength += length;
}

static void expectFrame(unsigned char code, const void* data, size_t length) {
  unsigned char head[5] = {0x33, 0x21, 0xCE, (unsigned char)(length + 1), code};
  unsigned sum = 0;
  for (size_t i = 0; i < 5; ++i) sum += head[i];
  for (size_t i = 0; i < length; ++i) sum += ((const unsigned char*)data)[i];
  unsigned char checksum = (unsigned char)sum;
  expect(head, 5);
  expect(data, length);
  expect(&checksum, 1);
}

static Clock* startAnsweringClock(const char* quorclock, const char* data, const char* heard,
                                  int tolvex) {
  char* args[] = {(char*)quorclock,
                  "--com",
                  "9",
                  "--byte-us",
                  "100",
                  "--heard",
                  (char*)heard,
                  "--answer",
                  (char*)data,
                  tolvex ? "--tolvex" : NULL,
                  NULL};
  remove(heard);
  Clock* clock = startClock(args, 9);
  if (clock == NULL) exit(1);
  return clock;
}

static void stopClockAndCompare(Clock* clock, const char* heard, const char* dialect) {
  q.closeQuorConnection();
  sleepMs(300); /* the clock reads what is still on its line */
  endClock(clock, 1);
  static unsigned char got[16384];
  size_t length = 0;
  FILE* file = fopen(heard, "rb");
  if (file != NULL) {
    length = fread(got, 1, sizeof got, file);
    fclose(file);
  }
  if (length != expectedLength || memcmp(got, expected, length) != 0) {
    size_t at = 0;
    while (at < length && at < expectedLength && got[at] == expected[at]) ++at;
    fprintf(stderr, "%s: the clock heard %zu bytes, expected %zu; they differ from byte %zu\n",
            dialect, length, expectedLength, at);
    failures = 1;
  }
  expectedLength = 0;
}

/* What both dialects read: the records of the clock data file. */
static void checkRecordsRead(const char* dialect) {
  char owner[113], stock[22], header[166], pigeon[60], poule[110];
  fprintf(stderr, "%s: records read\n", dialect);
  failures |=
      check(q.getQuorStockOwnerData(owner) == 1 && memcmp(owner, "1PENA LOS AMIGOS", 16) == 0 &&
                memcmp(owner + 108, "0002", 4) == 0,
            "owner record");
  failures |= check(q.getQuorStockData(stock, 1) == 1 && memcmp(stock, "1ES22-0765432H", 14) == 0,
                    "stock record 1");
  failures |= check(q.getQuorStockData(stock, 2) == 0, "no stock record 2");
  failures |=
      check(q.getQuorData(header) == 1 && memcmp(header + 15, "SUELTA DE PRUEBA", 16) == 0 &&
                memcmp(header + 145, "0002TALAVERA", 12) == 0,
            "race header");
  failures |= check(q.getPigeonData(pigeon, 0) == 1 && memcmp(pigeon, "100E 0112345671", 15) == 0,
                    "pigeon record 0");
  failures |= check(q.getPigeonData(pigeon, 2) == 0, "no pigeon record 2");
  failures |= check(q.getQuorPoulData(poule, 2) == 1 && memcmp(poule, "10002001000010", 14) == 0,
                    "poule record 2");
}

/* The records written back: the owner record read, with the two stock records read. */
static void setStockRecords(unsigned char* owner) {
  char stock[22];
  q.getQuorStockOwnerData(owner);
  memcpy(owner + 108, "0000", 4);
  failures |= check(q.setQuorStockOwnerData(owner) == 1, "owner record set");
  for (uint32_t i = 0; i < 2; ++i) {
    q.getQuorStockData(stock, i);
    failures |= check(q.setQuorStockData(stock, i) == 1, "stock record set");
  }
  memcpy(owner + 108, "0002", 4);
}

static void expectStockRecords(const unsigned char* owner, int tolvex) {
  char stock[22];
  if (tolvex)
    expectFrame(0x01, owner, 113);
  else
    expect(owner, 113);
  for (uint32_t i = 0; i < 2; ++i) {
    q.getQuorStockData(stock, i);
    if (tolvex)
      expectFrame(0x03, stock, 22);
    else
      expect(stock, 22);
  }
}

static void runQuor(const char* quorclock, const char* data, const char* heard) {
  Clock* clock = startAnsweringClock(quorclock, data, heard, 0);
  failures |= check(q.openQuorConnection("9") == 1, "Quor connection");
  failures |= check(q.readQuor(999) == 1, "readQuor(999)");
  expect(">B", 2);
  failures |= check(q.readQuor(1) == 1, "readQuor(1)");
  expect(">K\x01", 3);
  checkRecordsRead("Quor");

  unsigned char owner[113];
  setStockRecords(owner);
  failures |= check(q.writeQuor() == 1, "writeQuor");
  expect(">A", 2);
  expectStockRecords(owner, 0);

  unsigned char recovery[48];
  memset(recovery, 0, sizeof recovery);
  memcpy(recovery, "1ES21-1234567M 14051200", 23);
  failures |= check(q.setQuorRecoveryData(recovery, 0) == 1, "recovery record set");
  failures |= check(q.buildQuor() == 1, "buildQuor");
  memcpy(owner + 108, "0001", 4);
  expect(">^", 2);
  expect(owner, 113);
  expect(recovery, 48);

  failures |= check(q.setLiberationPoints("TALAVERA DE LA REINA", 1) == 1, "liberation point 1");
  failures |= check(q.setLiberationPoints("", 100) == 1, "liberation points sent");
  expect(">L", 2);
  for (int n = 1; n <= 99; ++n) {
    unsigned char entry[17] = {0};
    entry[0] = (unsigned char)(0x80 + n);
    if (n == 1)
      memcpy(entry + 1, "TALAVERA DE LA ", 15);
    else
      entry[1] = ' ';
    expect(entry, 17);
  }
  expect(">", 1);
  stopClockAndCompare(clock, heard, "Quor");
}

static void runTolvex(const char* quorclock, const char* data, const char* heard) {
  Clock* clock = startAnsweringClock(quorclock, data, heard, 1);
  const unsigned char zero = 0;
  failures |= check(q.openQuorConnection("9") == 1, "Tolvex connection");
  failures |= check(q.readQuorTolvex(999) == 1, "readQuorTolvex(999)");
  expectFrame(0x02, &zero, 1);
  expectFrame(0x04, "0001", 4);
  expectFrame(0x04, "0002", 4);
  expectFrame(0x06, &zero, 1);
  failures |= check(q.readQuorTolvex(1) == 1, "readQuorTolvex(1)");
  expectFrame(0x07, "\x01", 1);
  for (unsigned char j = 1; j <= 18; ++j) expectFrame(0x0A, (unsigned char[]){1, j}, 2);
  expectFrame(0x08,
              "\x01"
              "0001",
              5);
  expectFrame(0x08,
              "\x01"
              "0002",
              5);
  expectFrame(0x06, &zero, 1);
  checkRecordsRead("Tolvex");

  unsigned char owner[113];
  setStockRecords(owner);
  failures |= check(q.writeQuorTolvex() == 1, "writeQuorTolvex");
  expectStockRecords(owner, 1);
  expectFrame(0x05, &zero, 1);

  failures |=
      check(q.setLiberationPointsTolvex("TALAVERA DE LA REINA", 1) == 1, "liberation point 1");
  failures |= check(q.setLiberationPointsTolvex("", 100) == 1, "liberation points sent");
  for (int n = 1; n <= 99; ++n) {
    unsigned char entry[19] = {0};
    snprintf((char*)entry, 4, "%03d", n);
    if (n == 1)
      memcpy(entry + 3, "TALAVERA DE LA R", 16);
    else
      entry[3] = ' ';
    expectFrame(0x09, entry, 19);
  }
  expectFrame(0x06, &zero, 1);
  stopClockAndCompare(clock, heard, "Tolvex");
}

int main(int argc, char** argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: c_protocol_host LIBRARY QUORCLOCK CLOCKDATA FOLDER\n");
    return 2;
  }
  void* library = loadLibrary(argv[1]);
  if (library == NULL) return 1;
#define BIND(name) q.name = (__typeof__(q.name))bindExport(library, #name)
  BIND(openQuorConnection);
  BIND(closeQuorConnection);
  BIND(writeQuor);
  BIND(writeQuorTolvex);
  BIND(buildQuor);
  BIND(readQuor);
  BIND(readQuorTolvex);
  BIND(getQuorData);
  BIND(getQuorStockOwnerData);
  BIND(getPigeonData);
  BIND(getQuorPoulData);
  BIND(getQuorStockData);
  BIND(setQuorStockOwnerData);
  BIND(setQuorStockData);
  BIND(setQuorRecoveryData);
  BIND(setLiberationPoints);
  BIND(setLiberationPointsTolvex);
  char heard[4096];
  snprintf(heard, sizeof heard, "%s/heard.bin", argv[4]);
  runQuor(argv[2], argv[3], heard);
  runTolvex(argv[2], argv[3], heard);
  unloadLibrary(library);
  if (failures == 0) printf("both dialects read and written as expected\n");
  return failures;
}
