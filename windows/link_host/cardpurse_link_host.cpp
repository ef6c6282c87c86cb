// A host bound to cardpurse.dll at link time through its import library:
// built and inspected, never run. Its import table must name every export
// exactly as the DLL exports it.
#include "cardpurse.h"

int main() {
    char text[33] = "";
    char a[9], b[9], c[19], d[19], e[8], f[4], g[9], h[7], i[3], j[6];
    return CloseCOMM() + ReadCardBlank(1, "01", "05", text) +
           WriteCardBlank(1, "01", "05", "00000000000000000000000000000000") +
           ReadCardInformation(1, a, b, c, d, e, f, g, h, i, j) +
           OpenAccount(1, 1, 1, "0000000000000000", "0000000000000000", 0, 0, 0, "000000", "00", 0) +
           OFFCard(1) + AddMoney(1, 1) + AddLimitMoney(1, 1) + WriteLimitCount(1, 1) + WriteLssjCount(1, 1) +
           WriteLimitTime(1, "000000") + WriteGB(1, "00") + WriteName(1, "0000000000000000") + WriteNumber(1, 1) +
           WriteDepartment(1, "0000000000000000") + SetMacPassword(1, "000000000000") +
           SetCardPassAll(1, "000000000000") + SetCardPassOne(1, "000000000000") + SetMacSound(1, 1);
}
