// The exported C interface: thin wrappers that fix the argument widths and results of the contract
// and hand over to the link, print capture and the data store.
#include "quorlink.h"

#include "capture.h"
#include "data_store.h"
#include "link.h"
#include "printer_chooser.h"

using namespace quorlink;

extern "C" {

int32_t QUORLINK_CALL openQuorConnection(const char* portText) {
  return openConnection(portText) ? 1 : 0;
}

int32_t QUORLINK_CALL closeQuorConnection(void) {
  closeConnection();
  return 1;
}

int32_t QUORLINK_CALL openQuorKVT(uint32_t ask) {
  return capture::open(false, (ask & 0xFF) != 0);
}

int32_t QUORLINK_CALL closeQuorKVT(void) {
  capture::close(false);
  return 1;
}

int32_t QUORLINK_CALL regPrinterChooser(QuorPrinterChooser chooser) {
  setPrinterChooser(chooser);
  return 1;
}

int32_t QUORLINK_CALL openQuorKVTtolvex(uint32_t ask) {
  return capture::open(true, (ask & 0xFF) != 0);
}

int32_t QUORLINK_CALL closeQuorKVTtolvex(void) {
  capture::close(true);
  return 1;
}

int32_t QUORLINK_CALL regUpdateProc(QuorUpdateProc proc) {
  return capture::registerUpdateProc(proc) ? 1 : 0;
}

int32_t QUORLINK_CALL getUpdateData(char* buffer) {
  capture::copyLine(buffer);
  return 1;
}

int32_t QUORLINK_CALL regOptionBase(int32_t base) {
  return setOptionBase(base) ? 1 : 0;
}

}  // extern "C"
