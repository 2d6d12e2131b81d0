// The serial port on Windows: a COM device opened for overlapped I/O. The reader thread waits for
// EV_RXCHAR with WaitCommEvent; wake() clears the event mask, which ends that wait.
#include <windows.h>

#include <algorithm>
#include <string>

#include "port_names.h"
#include "serial_port.h"

namespace quorlink {

namespace {

constexpr DWORD kBaudRate = 9600;

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
  Win32SerialPort(HANDLE handle, HANDLE readEvent, HANDLE writeEvent, HANDLE waitEvent)
      : handle_(handle) {
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
  }

  Wait waitForData() override {
    if (!SetCommMask(handle_, EV_RXCHAR)) return Wait::Lost;
    DWORD events = 0;
    DWORD ignored = 0;
    if (!WaitCommEvent(handle_, &events, &wait_)) {
      if (GetLastError() != ERROR_IO_PENDING) return Wait::Lost;
      if (!GetOverlappedResult(handle_, &wait_, &ignored, TRUE)) return Wait::Lost;
    }
    return (events & EV_RXCHAR) != 0 ? Wait::Data : Wait::Woken;
  }

  void wake() override { SetCommMask(handle_, 0); }

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
    if (WriteFile(handle_, data, static_cast<DWORD>(length), &done, &write_)) return true;
    if (GetLastError() != ERROR_IO_PENDING) {
      ClearCommError(handle_, &errors, &status);
      return false;
    }
    while (!GetOverlappedResult(handle_, &write_, &done, TRUE)) {
      if (GetLastError() != ERROR_IO_INCOMPLETE) {
        ClearCommError(handle_, &errors, &status);
        break;
      }
    }
    return true;
  }

 private:
  HANDLE handle_;
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
  if (!applyLineSettings(handle) || readEvent == nullptr || writeEvent == nullptr ||
      waitEvent == nullptr) {
    for (HANDLE h : {readEvent, writeEvent, waitEvent}) {
      if (h != nullptr) CloseHandle(h);
    }
    CloseHandle(handle);
    return nullptr;
  }
  EscapeCommFunction(handle, SETDTR);
  return std::make_unique<Win32SerialPort>(handle, readEvent, writeEvent, waitEvent);
}

}  // namespace quorlink
