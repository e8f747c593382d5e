#pragma once
// Names of the serial ports the technician chooses from: "Com 1" .. "Com 20"
// in the port menu and COM1 .. COM21 for the "Com Auto" scan. The unit's own
// name for a port is "\\.\COMn"; on systems without COM devices each COMn is
// mapped to a device file in a fixed order, so that a number always means the
// same device whatever else is plugged in:
//
//   COM1  .. COM8   /dev/ttyUSB0 .. /dev/ttyUSB7   (USB serial adapters)
//   COM9  .. COM12  /dev/ttyACM0 .. /dev/ttyACM3   (USB modem-class adapters)
//   COM13 .. COM21  /dev/ttyS0   .. /dev/ttyS8     (on-board ports)
//
// A device path given directly (e.g. a pseudo-terminal of the simulated unit)
// is used as it stands.

#include <optional>
#include <string>

namespace kestrin {

inline constexpr int kPortMenuEntries = 21;  // "Com 1" .. "Com 20", "Com Auto"
inline constexpr int kAutoPortIndex = 20;    // the "Com Auto" entry
inline constexpr int kScanPortCount = 21;    // "Com Auto" walks COM1 .. COM21

// "\\.\COM" followed by the number, the name the port label is built from.
std::string comPortName(int number);

// The port number for a menu index 0..20 (20 = "Com Auto", which uses the
// scan index 0..20). Out-of-range indices are clamped.
int portNumberFor(int selectedIndex, int scanIndex);

// Caption of port menu entry 0..20: "Com 1" .. "Com 20", "Com Auto".
std::string portMenuCaption(int index);

// Text of the port label: "COM= " and the port name from its 5th character
// on, at most 10 characters (COM= COM12).
std::string portLabelText(const std::string& portName);

// The device to open on this system for COM port `number` (1..21).
std::string comPortDevice(int number);

// "COM7", "com7" or "\\.\COM7" give 7; anything else is not a COM name.
std::optional<int> parseComName(const std::string& name);

// The device to open for what the user named: a COM name is mapped as above,
// anything else is taken as a device path.
std::string resolvePortDevice(const std::string& name);

}  // namespace kestrin
