// A host bound to cardpurse.dll at link time through its import library, the
// way an integrator builds one: its import table must name every export
// exactly as the DLL exports it, or Windows refuses to start it. It calls
// every export once on COM<port> and prints each result.
// Usage: cardpurse_link_host <port>
#include <cstdio>
#include <cstdlib>

#include "cardpurse.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: cardpurse_link_host <port>\n");
        return 2;
    }
    const int port = std::atoi(argv[1]);
    char block[33] = "-";
    char a[9], b[9], c[19], d[19], e[8], f[4], g[9], h[7], i[3], j[6];
    const struct {
        const char* name;
        int result;
    } calls[] = {
        {"OpenAccount", OpenAccount(port, 7, 9, "0123456789ABCDEF", "0123456789ABCDEF", 100, 1, 1, "251231", "01", 0)},
        {"ReadCardInformation", ReadCardInformation(port, a, b, c, d, e, f, g, h, i, j)},
        {"AddMoney", AddMoney(port, 1)},
        {"AddLimitMoney", AddLimitMoney(port, 1)},
        {"WriteLimitCount", WriteLimitCount(port, 1)},
        {"WriteLssjCount", WriteLssjCount(port, 1)},
        {"WriteLimitTime", WriteLimitTime(port, "261231")},
        {"WriteGB", WriteGB(port, "02")},
        {"WriteName", WriteName(port, "00112233445566AA")},
        {"WriteNumber", WriteNumber(port, 1)},
        {"WriteDepartment", WriteDepartment(port, "ABCDEF0123456789")},
        {"WriteCardBlank", WriteCardBlank(port, "03", "12", "000102030405060708090A0B0C0D0E0F")},
        {"ReadCardBlank", ReadCardBlank(port, "03", "12", block)},
        {"SetMacSound", SetMacSound(port, 3)},
        {"OFFCard", OFFCard(port)},
        // The keys last: the card's, then the reader's, for the card's
        // sectors 1 and 2 to open with the reader's key.
        {"SetCardPassAll", SetCardPassAll(port, "A1B2C3D4E5F6")},
        {"SetMacPassword", SetMacPassword(port, "A1B2C3D4E5F6")},
        {"SetCardPassOne", SetCardPassOne(port, "0A0B0C0D0E0F")},
        {"CloseCOMM", CloseCOMM()},
    };
    for (const auto& call : calls) std::printf("%s = %d\n", call.name, call.result);
    std::printf("block 03/12: %s\n", block);
    return 0;
}
