/* A stand-in for the link library that has only one of its functions, for the binding's tests. */
#include <stdint.h>

int32_t openQuorConnection(const char* port) {
  (void)port;
  return 7;
}
