// Print capture: a clock's printout, taken as it arrives, cut into lines, printed, and handed line
// by line to the host's update procedure.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "quorlink.h"

namespace quorlink::capture {

// openQuorKVT and openQuorKVTtolvex: false when the link is not open.
bool open(bool tolvex, bool ask);
// closeQuorKVT and closeQuorKVTtolvex; once neither capture is on, the idle monitor has ended when
// this returns.
void close(bool tolvex);
// The link is closing (linkOpen is clear): the reader no longer waits for the idle monitor's
// delivery of held lines.
void linkClosing();
// The link's close switched Quor capture off: the idle monitor ends as at close().
void endIdleMonitorIfOff();

// A printed document is open (the clock is printing); Quor command exchanges are refused then.
bool documentOpen();

bool registerUpdateProc(QuorUpdateProc proc);
// getUpdateData: the finished line while the update procedure runs, the partial next line
// otherwise; buffer holds at least 132 bytes.
void copyLine(char* buffer);

// Reader thread: printer text of one burst, in order (a live burst comes in several chunks).
void takePrinterText(const std::uint8_t* data, std::size_t length);
// Reader thread: the burst that the text came in has ended.
void burstEnded();

// The idle monitor's tick (100 ms); the printout is finished after more than 50 quiet ticks.
void setIdleTick(std::chrono::milliseconds tick);

}  // namespace quorlink::capture
