/* A host program of the installed link library, built against its installed header: it tells the
 * library file it runs with, checks that the library is the header's version, opens the port
 * COM<argv[1]> and reads a Quor clock's stock list through it. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>

#include <quorlink.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: quorlink_host PORT\n");
    return 2;
  }
  Dl_info library;
  if (dladdr((void*)&openQuorConnection, &library) == 0) {
    fprintf(stderr, "quorlink_host: openQuorConnection is in no library\n");
    return 1;
  }
  printf("%s\n", library.dli_fname);
  if (quorlinkVersion() != QUORLINK_VERSION_NUMBER) {
    fprintf(stderr, "quorlink_host: the library is %d, the header %d\n", (int)quorlinkVersion(),
            QUORLINK_VERSION_NUMBER);
    return 1;
  }
  if (openQuorConnection(argv[1]) != 1) {
    fprintf(stderr, "quorlink_host: COM%s not open\n", argv[1]);
    return 1;
  }
  const int32_t read = readQuor(999);
  closeQuorConnection();
  if (read != 1) {
    fprintf(stderr, "quorlink_host: no stock list from the clock on COM%s\n", argv[1]);
    return 1;
  }
  return 0;
}
