// The one place that maps a COM port number to its device. The desktop program compiles this file
// too, so that its port probe opens exactly the devices that the link would open.
#pragma once

#include <string>

namespace quorlink {

// On Windows "COM<n>". Elsewhere the device named by the entry COM<n> (a symbolic link or a device
// node) in the folder $XDG_CONFIG_HOME/quorlink/ports (default ~/.config/quorlink/ports), or
// /dev/ttyS<n-1> when there is no such entry.
std::string portDevicePath(unsigned portNumber);

// Off Windows: the folder $XDG_CONFIG_HOME/quorlink/ports (default ~/.config/quorlink/ports) where
// the entries COM<n> are looked up.
std::string portsFolder();

// Off Windows: the same rule over other folders, the entry COM<n> of portsFolder or else
// deviceFolder/ttyS<n-1> (portDevicePath is this over portsFolder() and /dev).
std::string portDevicePathIn(unsigned portNumber, const std::string& portsFolder,
                             const std::string& deviceFolder);

}  // namespace quorlink
