#pragma once

namespace tessel {

// Settings made on an open port's file handle, below what QSerialPort offers.

// Asks the driver to pass each received byte on at once. A USB adapter otherwise holds bytes
// for its latency timer (16 ms on the common ones), so that each short reply of the module
// waits that long and a whole-memory read runs many times slower than the line. False where
// the driver refuses (a pseudo-terminal, a port without the setting): that is not an error.
bool requestLowLatency(int handle);

// Takes the advisory lock that serial programs such as terminal emulators take (flock), so
// that they see the port as busy; false when another program holds it already. Where the
// system has no such lock the port counts as ours.
bool holdExclusively(int handle);

} // namespace tessel
