// The serial devices present on this computer, for the options screen: named as the system names
// them (a USB adapter by its /dev/serial/by-id name, which holds its maker and serial number and
// stays the same when it is plugged in again), each beside the COM number that maps to it. The
// mapping is the link library's: the entry COM<n> of its ports folder, else ttyS<n-1>. Plain C++,
// with the folders given, so that a test tree stands in for /dev.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kvt {

struct DeviceFolders {
  std::filesystem::path byId;     // /dev/serial/by-id
  std::filesystem::path devices;  // /dev, with ttyUSB*, ttyACM* and ttyS*
  std::filesystem::path ports;    // the link library's ports folder
};

// The system's folders (none on Windows, where the COM ports are probed as they are).
DeviceFolders systemDeviceFolders();

struct SerialDevice {
  std::string name;          // the by-id link, or the device itself
  std::string device;        // the device the name stands for (/dev/ttyUSB0)
  bool refused = false;      // there, but this user may not open it
  std::optional<unsigned> com;  // the COM number (1..16) that maps to it
};

// The by-id links (each standing for its device), then the ttyUSB and ttyACM devices without one,
// then the ttyS devices that open (the others are serial ports the computer does not have). A
// USB device that this user may not open is listed, marked refused.
std::vector<SerialDevice> serialDevices(const DeviceFolders& folders);

struct PortChoice {
  unsigned com = 0;   // 0 when none could be given; error says why
  std::string error;
};

// The COM number for a listed device: the one that maps to it already, else the lowest free one
// (1..9 first, the numbers a setting of one character holds; then 10..16), whose ports entry is
// written as a link to the device's name. A number is free when it has no entry and its ttyS
// device does not open.
PortChoice choosePort(const SerialDevice& device, const DeviceFolders& folders);

// What the user is told when COM<number> did not open because this user may not open its device:
// the port and its device, that the user must belong to the device's group (dialout) and how to
// join it. Empty when the device opens, is missing or fails otherwise.
std::string permissionAdvice(unsigned number, const DeviceFolders& folders);

// The port and its device, as the capture window names what it listens on: "COM3" followed by
// the device (on Windows the port alone).
std::string portDescription(unsigned number, const DeviceFolders& folders);

}  // namespace kvt
