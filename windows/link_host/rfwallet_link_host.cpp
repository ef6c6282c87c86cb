// A host bound to rfwallet.dll at link time through its import library:
// built and inspected, never run. Its import table must name every export
// exactly as the DLL exports it.
#include "rfwallet.h"

int main() {
    char numberA[7], numberB[12];
    const char* field = "00000000000000000000000000000000";
    return CloseCOMM() + RFSAMReadCardInfo(1, field, field, numberA, numberB) +
           RFSAMADDMoney(1, field, field, field, field, 0, "000000000000", 0) +
           RFSAMDeductions(1, field, field, field, 0, "000000000000", 0);
}
