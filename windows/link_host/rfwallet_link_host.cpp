// A host bound to rfwallet.dll at link time through its import library, the
// way an integrator builds one: its import table must name every export
// exactly as the DLL exports it, or Windows refuses to start it. It calls
// every export once on COM<port> and prints each result.
// Usage: rfwallet_link_host <port>
#include <cstdio>
#include <cstdlib>

#include "rfwallet.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: rfwallet_link_host <port>\n");
        return 2;
    }
    const int port = std::atoi(argv[1]);
    const char* fieldA = "0123456789ABCDEF0123456789AB";
    const char* fieldB = "FEDCBA9876543210FEDCBA9876";
    const char* fieldD = "00112233445566778899AABBCCDDEEFF";
    char numberA[7] = "-", numberB[12] = "-";
    std::printf("RFSAMADDMoney = %d\n", RFSAMADDMoney(port, fieldA, fieldB, "C0FFEE", fieldD, 30, "100902034504", 1));
    std::printf("RFSAMDeductions = %d\n", RFSAMDeductions(port, fieldA, fieldB, fieldD, 10, "100902034504", 2));
    const int info = RFSAMReadCardInfo(port, fieldA, fieldB, numberA, numberB);
    std::printf("RFSAMReadCardInfo = %d: %s %s\n", info, numberA, numberB);
    std::printf("CloseCOMM = %d\n", CloseCOMM());
    return 0;
}
