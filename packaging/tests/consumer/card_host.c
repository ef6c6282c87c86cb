/* Calls one export of each card library on the reader at port argv[1] and
 * prints what they read; exit status 0 only when both calls succeed. */
#include <cardpurse.h>
#include <rfwallet.h>

#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fputs("usage: card_host PORT\n", stderr);
        return 2;
    }
    const int port = atoi(argv[1]);
    char block[33];
    char numberA[7];
    char numberB[12];
    const int blockRead = ReadCardBlank(port, "00", "03", block);
    const int infoRead = RFSAMReadCardInfo(port, "0123456789ABCDEF0123456789AB", "0123456789ABCDEF0123456789",
                                           numberA, numberB);
    if (blockRead) printf("block 03: %s\n", block);
    if (infoRead) printf("rf numbers: %s %s\n", numberA, numberB);
    return blockRead == 1 && infoRead == 1 ? 0 : 1;
}
