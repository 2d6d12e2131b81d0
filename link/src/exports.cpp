// The exported C interface: thin wrappers that fix the argument widths and results of the contract
// and hand over to the link, print capture and the data store.
#include "quorlink.h"

#include "capture.h"
#include "clock_exchanges.h"
#include "data_store.h"
#include "link.h"
#include "printer_chooser.h"

using namespace quorlink;

namespace {

// The 16-bit and 8-bit arguments are the low bits of their 32-bit slot.
std::uint16_t low16(uint32_t value) {
  return static_cast<std::uint16_t>(value & 0xFFFF);
}

std::uint8_t* bytesAt(void* address) {
  return static_cast<std::uint8_t*>(address);
}

const std::uint8_t* bytesAt(const void* address) {
  return static_cast<const std::uint8_t*>(address);
}

// No C++ exception crosses into the host: a call that fails that way (no memory left, a thread
// that cannot be started) gives its failure value, and the close calls their 1.
template <typename Call>
int32_t guarded(int32_t failure, Call call) noexcept {
  try {
    return call();
  } catch (...) {
    return failure;
  }
}

}  // namespace

extern "C" {

int32_t QUORLINK_CALL quorlinkVersion(void) {
  return QUORLINK_VERSION_NUMBER;
}

int32_t QUORLINK_CALL openQuorConnection(const char* portText) {
  return guarded(0, [&] { return openConnection(portText) ? 1 : 0; });
}

int32_t QUORLINK_CALL closeQuorConnection(void) {
  return guarded(1, [&]() -> int32_t {
    closeConnection();
    return 1;
  });
}

int32_t QUORLINK_CALL openQuorKVT(uint32_t ask) {
  return guarded(0, [&] { return capture::open(false, (ask & 0xFF) != 0); });
}

int32_t QUORLINK_CALL closeQuorKVT(void) {
  return guarded(1, [&]() -> int32_t {
    capture::close(false);
    return 1;
  });
}

int32_t QUORLINK_CALL regPrinterChooser(QuorPrinterChooser chooser) {
  return guarded(1, [&]() -> int32_t {
    setPrinterChooser(chooser);
    return 1;
  });
}

int32_t QUORLINK_CALL openQuorKVTtolvex(uint32_t ask) {
  return guarded(0, [&] { return capture::open(true, (ask & 0xFF) != 0); });
}

int32_t QUORLINK_CALL closeQuorKVTtolvex(void) {
  return guarded(1, [&]() -> int32_t {
    capture::close(true);
    return 1;
  });
}

int32_t QUORLINK_CALL regUpdateProc(QuorUpdateProc proc) {
  return guarded(0, [&] { return capture::registerUpdateProc(proc) ? 1 : 0; });
}

int32_t QUORLINK_CALL getUpdateData(char* buffer) {
  return guarded(1, [&]() -> int32_t {
    capture::copyLine(buffer);
    return 1;
  });
}

int32_t QUORLINK_CALL regOptionBase(int32_t base) {
  return guarded(0, [&] { return setOptionBase(base) ? 1 : 0; });
}

int32_t QUORLINK_CALL readQuor(uint32_t selector) {
  return guarded(0, [&] { return quorlink::readQuor(selector) ? 1 : 0; });
}

int32_t QUORLINK_CALL readQuorTolvex(uint32_t selector) {
  return guarded(0, [&] { return readTolvex(selector) ? 1 : 0; });
}

int32_t QUORLINK_CALL writeQuor(void) {
  return guarded(0, [&] { return writeQuorStock() ? 1 : 0; });
}

int32_t QUORLINK_CALL writeQuorTolvex(void) {
  return guarded(0, [&] { return writeTolvexStock() ? 1 : 0; });
}

int32_t QUORLINK_CALL buildQuor(void) {
  return guarded(0, [&] { return buildQuorRecovery() ? 1 : 0; });
}

int32_t QUORLINK_CALL setLiberationPoints(const char* name, uint32_t point) {
  return guarded(0, [&] { return setQuorLiberationPoint(name, point) ? 1 : 0; });
}

int32_t QUORLINK_CALL setLiberationPointsTolvex(const char* name, uint32_t point) {
  return guarded(0, [&] { return setTolvexLiberationPoint(name, point) ? 1 : 0; });
}

int32_t QUORLINK_CALL setQuorRecoveryData(const void* record, uint32_t index) {
  return guarded(0, [&] {
    return record != nullptr && storeRecoveryRecord(bytesAt(record), low16(index)) ? 1 : 0;
  });
}

int32_t QUORLINK_CALL setQuorStockData(const void* record, uint32_t index) {
  return guarded(0, [&] {
    return record != nullptr && storeStockRecord(bytesAt(record), low16(index)) ? 1 : 0;
  });
}

int32_t QUORLINK_CALL setQuorStockOwnerData(const void* record) {
  return guarded(0, [&]() -> int32_t {
    if (record == nullptr) return 0;
    storeOwnerRecord(bytesAt(record));
    return 1;
  });
}

int32_t QUORLINK_CALL getQuorData(void* buffer) {
  return guarded(0, [&] { return buffer != nullptr && copyRaceHeader(bytesAt(buffer)) ? 1 : 0; });
}

int32_t QUORLINK_CALL getPigeonData(void* buffer, uint32_t index) {
  return guarded(0, [&] {
    return buffer != nullptr && copyPigeonRecord(bytesAt(buffer), low16(index)) ? 1 : 0;
  });
}

int32_t QUORLINK_CALL getQuorPoulData(void* buffer, uint32_t index) {
  return guarded(0, [&] {
    return buffer != nullptr && copyPouleRecord(bytesAt(buffer), index & 0xFF) ? 1 : 0;
  });
}

int32_t QUORLINK_CALL getQuorStockData(void* buffer, uint32_t index) {
  return guarded(0, [&] {
    return buffer != nullptr && copyStockRecord(bytesAt(buffer), low16(index)) ? 1 : 0;
  });
}

int32_t QUORLINK_CALL getQuorStockOwnerData(void* buffer) {
  return guarded(0, [&] { return buffer != nullptr && copyOwnerRecord(bytesAt(buffer)) ? 1 : 0; });
}

}  // extern "C"
