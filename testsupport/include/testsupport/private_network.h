#pragma once
// Puts the calling process into a network namespace of its own with only a
// loopback interface, brought up. Network tests call this first (before any
// socket or thread exists), so that their simulated device servers, fixed
// local ports and broadcasts to 127.255.255.255 never meet those of another
// test running at the same time, and no datagram can leave the machine.
//
// Needs root or unprivileged user namespaces. Returns false, with the reason
// in `error`, when the namespace could not be made.

#include <string>

namespace testsupport {

bool enterPrivateLoopbackNetwork(std::string& error);

// The same for a program's main, before anything else: says on standard
// error why the namespace could not be made, and returns false then.
bool enterPrivateLoopbackNetworkOrReport();

}  // namespace testsupport
