/* A host linked against the import library instead of binding by name at run time: its
 * references carry the stdcall decorations of 32-bit Windows (regOptionBase@4), which the import
 * library maps to the DLL's plain names. It runs only if that mapping holds. */
#include <stdio.h>

#include "quorlink.h"

int main(void) {
  if (quorlinkVersion() != QUORLINK_VERSION_NUMBER || regOptionBase(2) != 0 ||
      regOptionBase(1) != 1 || regOptionBase(0) != 1 || openQuorKVT(0) != 0 ||
      closeQuorKVT() != 1 || closeQuorConnection() != 1) {
    fprintf(stderr, "wrong results through the import library\n");
    return 1;
  }
  printf("quorlink %s through the import library\n", QUORLINK_VERSION);
  return 0;
}
