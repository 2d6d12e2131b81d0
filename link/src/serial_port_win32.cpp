// The serial port on Windows: a COM device opened for overlapped I/O. The reader thread waits for
// EV_RXCHAR with an overlapped WaitCommEvent together with a wake-up event: wake() sets that
// event, so a wake-up given before the wait has begun still ends it.
#include <windows.h>

#include <algorithm>
#include <string>

#include "port_names.h"
#include "serial_port.h"

namespace quorlink {

namespace {

constexpr DWORD kBaudRate = 9600;
// After a wait for a port event that failed, the reader pauses this long before it looks again:
// some drivers (and Wine on a pseudo-terminal) fail the wait at once while the line is idle.
constexpr DWORD kRetryMilliseconds = 50;

bool applyLineSettings(HANDLE handle) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(handle, &dcb)) return false;
  // Only these settings change; everything else stays as the driver reports it.
  dcb.BaudRate = kBaudRate;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = ONESTOPBIT;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fOutxCtsFlow = FALSE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.XonChar = 0x11;
  dcb.XoffChar = 0x13;
  dcb.XonLim = 100;
  dcb.XoffLim = 100;
  dcb.fBinary = TRUE;
  dcb.fParity = TRUE;
  return SetCommState(handle, &dcb) != 0;
}

class Win32SerialPort final : public SerialPort {
 public:
  Win32SerialPort(HANDLE handle, HANDLE readEvent, HANDLE writeEvent, HANDLE waitEvent,
                  HANDLE wakeEvent)
      : handle_(handle), wakeEvent_(wakeEvent) {
    read_.hEvent = readEvent;
    write_.hEvent = writeEvent;
    wait_.hEvent = waitEvent;
  }

  ~Win32SerialPort() override {
    EscapeCommFunction(handle_, CLRDTR);
    PurgeComm(handle_, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    CloseHandle(handle_);
    CloseHandle(read_.hEvent);
    CloseHandle(write_.hEvent);
    CloseHandle(wait_.hEvent);
    CloseHandle(wakeEvent_);
  }

  Wait waitForData() override {
    // A lost device is no longer watched, so that the wait blocks until the close instead of
    // spinning, as on POSIX systems.
    if (lost_) {
      WaitForSingleObject(wakeEvent_, INFINITE);
      return Wait::Woken;
    }
    for (;;) {
      const Event event = waitForEvent();
      if (event == Event::Received) return Wait::Data;
      if (event == Event::Woken) return Wait::Woken;
      // The wait failed, or ended without a character. A device that still answers is asked for
      // queued bytes, then looked at again after a pause; one that no longer answers (an adapter
      // pulled out) is lost.
      DWORD errors = 0;
      COMSTAT status{};
      if (!ClearCommError(handle_, &errors, &status)) {
        lost_ = true;
        return Wait::Lost;
      }
      if (status.cbInQue > 0) return Wait::Data;
      if (WaitForSingleObject(wakeEvent_, kRetryMilliseconds) == WAIT_OBJECT_0) return Wait::Woken;
    }
  }

  void wake() override { SetEvent(wakeEvent_); }

  std::size_t readQueued(std::uint8_t* buffer, std::size_t maxBytes) override {
    DWORD errors = 0;
    COMSTAT status{};
    ClearCommError(handle_, &errors, &status);
    const DWORD count = static_cast<DWORD>(std::min<std::size_t>(maxBytes, status.cbInQue));
    if (count == 0) return 0;
    DWORD done = 0;
    if (ReadFile(handle_, buffer, count, &done, &read_)) return done;
    if (GetLastError() != ERROR_IO_PENDING) {
      ClearCommError(handle_, &errors, &status);
      return 0;
    }
    while (!GetOverlappedResult(handle_, &read_, &done, TRUE)) {
      if (GetLastError() != ERROR_IO_INCOMPLETE) {
        ClearCommError(handle_, &errors, &status);
        break;
      }
    }
    return done;
  }

  bool write(const std::uint8_t* data, std::size_t length) override {
    DWORD done = 0;
    DWORD errors = 0;
    COMSTAT status{};
    if (WriteFile(handle_, data, static_cast<DWORD>(length), &done, &write_)) {
      return done == length;
    }
    if (GetLastError() != ERROR_IO_PENDING) {
      ClearCommError(handle_, &errors, &status);
      return false;
    }
    while (!GetOverlappedResult(handle_, &write_, &done, TRUE)) {
      if (GetLastError() != ERROR_IO_INCOMPLETE) {
        ClearCommError(handle_, &errors, &status);
        return false;
      }
    }
    // The write time-out ends a write that the line did not take in time with fewer bytes done.
    return done == length;
  }

 private:
  enum class Event { Received, Woken, Failed };

  // One overlapped WaitCommEvent, ended by a received character, by the wake-up event, or by a
  // failure. It is never left pending: the wait that wake() ends is cancelled and completed
  // before this returns, since it writes into events_.
  Event waitForEvent() {
    if (!SetCommMask(handle_, EV_RXCHAR)) return Event::Failed;
    events_ = 0;
    DWORD ignored = 0;
    if (!WaitCommEvent(handle_, &events_, &wait_)) {
      if (GetLastError() != ERROR_IO_PENDING) return Event::Failed;
      const HANDLE ends[2] = {wakeEvent_, wait_.hEvent};
      if (WaitForMultipleObjects(2, ends, FALSE, INFINITE) == WAIT_OBJECT_0) {
        SetCommMask(handle_, 0);  // ends the pending wait
        GetOverlappedResult(handle_, &wait_, &ignored, TRUE);
        return Event::Woken;
      }
      if (!GetOverlappedResult(handle_, &wait_, &ignored, TRUE)) return Event::Failed;
    }
    if ((events_ & EV_RXCHAR) != 0) return Event::Received;
    // A wake-up given while no wait was pending.
    if (WaitForSingleObject(wakeEvent_, 0) == WAIT_OBJECT_0) return Event::Woken;
    return Event::Failed;
  }

  HANDLE handle_;
  HANDLE wakeEvent_;
  DWORD events_ = 0;
  bool lost_ = false;
  OVERLAPPED read_{};
  OVERLAPPED write_{};
  OVERLAPPED wait_{};
};

}  // namespace

std::unique_ptr<SerialPort> openSerialPort(unsigned portNumber) {
  const std::string device = portDevicePath(portNumber);
  HANDLE handle = CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  SetCommMask(handle, EV_RXCHAR);
  SetupComm(handle, 16384, 16384);
  PurgeComm(handle, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  timeouts.ReadTotalTimeoutMultiplier = 0;
  timeouts.ReadTotalTimeoutConstant = 1000;
  timeouts.WriteTotalTimeoutMultiplier = 19200 / kBaudRate;
  timeouts.WriteTotalTimeoutConstant = 0;
  SetCommTimeouts(handle, &timeouts);
  HANDLE readEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE writeEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE waitEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  // Auto-reset: a wake-up ends one wait, the one in progress or the next.
  HANDLE wakeEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (!applyLineSettings(handle) || readEvent == nullptr || writeEvent == nullptr ||
      waitEvent == nullptr || wakeEvent == nullptr) {
    for (HANDLE h : {readEvent, writeEvent, waitEvent, wakeEvent}) {
      if (h != nullptr) CloseHandle(h);
    }
    CloseHandle(handle);
    return nullptr;
  }
  EscapeCommFunction(handle, SETDTR);
  return std::make_unique<Win32SerialPort>(handle, readEvent, writeEvent, waitEvent, wakeEvent);
}

}  // namespace quorlink
