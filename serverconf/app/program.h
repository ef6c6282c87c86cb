#pragma once
// Program start: the socket layer and code page 936 checks, then the device
// manager window, run modally; the program ends when it closes.

namespace serverconf {

// True when datagram sockets can be used on this computer.
bool socketLayerAvailable();

// Runs the program inside an existing QApplication; returns the exit code.
// Without a socket layer, or without the GBK codec (gbkAvailable), it only
// says so, and no window opens.
int runProgram(bool socketLayerReady, bool gbkReady);

}  // namespace serverconf
