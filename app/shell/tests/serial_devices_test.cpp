// The serial devices over a test tree of /dev: by-id links and tty devices that stand for
// pseudo-terminals, the COM numbers that map to them, the ports entry a choice writes, and what a
// user who may not open a device is told.
#include "serial_devices.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "port_names.h"
#include "pseudo_terminal.h"
#include "temp_folder.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;

const std::string kAdapter = "usb-FTDI_FT232R_USB_UART_A1B2C3D4-if00-port0";

class SerialDevices : public ::testing::Test {
 protected:
  SerialDevices() {
    fs::create_directories(folders.byId);
    fs::create_directories(folders.ports);
  }

  // A device node of the tree, standing for a pseudo-terminal or for nothing.
  fs::path node(const std::string& name, const std::string& target) {
    fs::create_symlink(target, folders.devices / name);
    return folders.devices / name;
  }
  fs::path byId(const std::string& name, const std::string& node) {
    fs::create_symlink("../../" + node, folders.byId / name);
    return folders.byId / name;
  }

  testing::TempFolder root_;
  DeviceFolders folders{root_.path() / "dev/serial/by-id", root_.path() / "dev",
                        root_.path() / "ports"};
};

TEST_F(SerialDevices, ListsAdaptersByTheirByIdNameAndTheOtherDevicesThatOpen) {
  const testing::PseudoTerminal usb0, usb10, acm0, s0;
  node("ttyUSB0", usb0.device());
  node("ttyUSB10", usb10.device());
  node("ttyACM0", acm0.device());
  node("ttyS0", s0.device());
  node("ttyS1", "/nonexistent/ttyS1");  // a serial port the computer does not have
  node("ttyUSB2", "/nonexistent/ttyUSB2");
  node("tty0", s0.device());             // not a serial device
  byId(kAdapter, "ttyUSB0");
  fs::create_symlink(folders.devices / "ttyACM0", folders.ports / "COM2");

  const std::vector<SerialDevice> devices = serialDevices(folders);
  struct Expected {
    fs::path name;
    fs::path device;
    std::optional<unsigned> com;
  };
  const Expected expected[] = {
      {folders.byId / kAdapter, folders.devices / "ttyUSB0", std::nullopt},
      {folders.devices / "ttyUSB10", folders.devices / "ttyUSB10", std::nullopt},
      {folders.devices / "ttyACM0", folders.devices / "ttyACM0", 2},  // its entry
      {folders.devices / "ttyS0", folders.devices / "ttyS0", 1},      // the first serial port
  };
  ASSERT_EQ(devices.size(), std::size(expected));
  for (std::size_t i = 0; i < devices.size(); ++i) {
    SCOPED_TRACE(devices[i].name);
    EXPECT_EQ(devices[i].name, expected[i].name.string());
    EXPECT_EQ(devices[i].device, expected[i].device.string());
    EXPECT_EQ(devices[i].com, expected[i].com);
    EXPECT_FALSE(devices[i].refused);
  }
}

TEST_F(SerialDevices, ChoosingAnAdapterLinksTheLowestFreePortToItsByIdName) {
  const testing::PseudoTerminal usb0, s0;
  node("ttyUSB0", usb0.device());
  node("ttyS0", s0.device());      // COM1 is this serial port
  node("ttyS2", "/nonexistent");   // COM3 has none: free
  byId(kAdapter, "ttyUSB0");
  fs::create_symlink("/nonexistent/old-adapter", folders.ports / "COM2");  // taken, if dangling

  std::vector<SerialDevice> devices = serialDevices(folders);
  ASSERT_EQ(devices.size(), 2u);
  const PortChoice chosen = choosePort(devices[0], folders);
  EXPECT_EQ(chosen.error, "");
  EXPECT_EQ(chosen.com, 3u);
  EXPECT_EQ(fs::read_symlink(folders.ports / "COM3"), folders.byId / kAdapter);
  // The link's own mapping now opens the adapter as COM3.
  EXPECT_EQ(fs::canonical(quorlink::portDevicePathIn(3, folders.ports.string(),
                                                    folders.devices.string())),
            usb0.device());

  devices = serialDevices(folders);
  EXPECT_EQ(devices[0].com, 3u);
  // A device that has its number keeps it, and nothing more is written.
  EXPECT_EQ(choosePort(devices[0], folders).com, 3u);
  EXPECT_EQ(choosePort(devices[1], folders).com, 1u);
  EXPECT_FALSE(fs::exists(fs::symlink_status(folders.ports / "COM1")));
  EXPECT_FALSE(fs::exists(fs::symlink_status(folders.ports / "COM4")));
}

TEST_F(SerialDevices, NoFreePortIsToldAndWritesNothing) {
  const testing::PseudoTerminal usb0;
  node("ttyUSB0", usb0.device());
  for (int n = 1; n <= 16; ++n) {
    fs::create_symlink("/nonexistent", folders.ports / ("COM" + std::to_string(n)));
  }
  const std::vector<SerialDevice> devices = serialDevices(folders);
  ASSERT_EQ(devices.size(), 1u);
  const PortChoice chosen = choosePort(devices[0], folders);
  EXPECT_EQ(chosen.com, 0u);
  EXPECT_NE(chosen.error.find("COM16"), std::string::npos) << chosen.error;
}

TEST_F(SerialDevices, NoAdviceForADeviceThatOpensOrIsMissing) {
  const testing::PseudoTerminal usb0;
  fs::create_symlink(usb0.device(), folders.ports / "COM1");
  fs::create_symlink("/nonexistent/ttyUSB7", folders.ports / "COM2");
  EXPECT_EQ(permissionAdvice(1, folders), "");
  EXPECT_EQ(permissionAdvice(2, folders), "");
  EXPECT_EQ(permissionAdvice(0, folders), "");
  EXPECT_EQ(portDescription(2, folders), "COM2: /nonexistent/ttyUSB7");
}

// Root opens every device, whatever its mode: ctest runs these cases once more as an unprivileged
// user (cmake/unprivileged.sh), where the device's mode counts.
TEST_F(SerialDevices, ADeviceThisUserMayNotOpenIsListedAndExplained) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may open any device";
  const testing::PseudoTerminal usb0;
  ASSERT_EQ(::chmod(usb0.device().c_str(), 0), 0);
  node("ttyUSB0", usb0.device());
  const fs::path adapter = byId(kAdapter, "ttyUSB0");
  fs::create_symlink(adapter, folders.ports / "COM4");

  const std::vector<SerialDevice> devices = serialDevices(folders);
  ASSERT_EQ(devices.size(), 1u);
  EXPECT_TRUE(devices[0].refused);
  EXPECT_EQ(devices[0].com, 4u);

  const std::string advice = permissionAdvice(4, folders);
  const std::string user = ::getpwuid(::geteuid())->pw_name;
  EXPECT_EQ(advice, "El puerto COM4 es el dispositivo " + adapter.string() + " (" +
                        usb0.device() + "), y este usuario (" + user +
                        ") no tiene permiso para abrirlo.\n"
                        "Para leer el reloj, el usuario debe pertenecer al grupo dialout. Para "
                        "añadirlo, ejecute en una terminal:\n\n"
                        "    sudo adduser " + user + " dialout\n\n"
                        "y después cierre la sesión y vuelva a entrar.");
}

}  // namespace
}  // namespace kvt
