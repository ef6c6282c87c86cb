#ifndef CARDPURSE_H
#define CARDPURSE_H
/*
 * cardpurse: contactless memory purse cards through a card reader on a
 * serial port.
 *
 * Every function takes the reader's port number first (1 to 999; port n is
 * "COM<n>") and returns 1 for success and 0 for failure. Each one opens the
 * port, exchanges its frames and closes the port before it returns; an
 * operation that touches several card blocks opens and closes the port once
 * per block exchange. Nothing is allocated for the host: output texts go into
 * buffers the host provides, of at least the size given with each function,
 * and end with a terminating zero.
 *
 * Texts given to the library are checked before the port is touched: a null
 * pointer, a text shorter than its field, or a character other than a
 * hexadecimal digit in a text that goes onto the card makes the function
 * return 0. Longer name, department, limit time and GB code texts are cut to
 * their field. Numbers that do not fit their card field are refused with 0 as
 * well. Set CARDPAYMENT_DEBUG=1 to have the reason written to standard error.
 *
 * Operations of several steps stop at the first failed step and do not undo
 * the blocks already written. Calls from several threads are served one after
 * the other.
 */

/* Calling convention and export attribute, the only platform-dependent part
 * of this header. On 32-bit Windows the functions use __stdcall and the
 * library exports them under the decorated names listed in cardpurse.def
 * ("_AddMoney@8"); elsewhere they are exported undecorated. */
#if defined(_WIN32)
#define CARDPURSE_CALL __stdcall
#if defined(CARDPURSE_BUILDING) && !(defined(_M_IX86) || defined(__i386__))
#define CARDPURSE_API __declspec(dllexport)
#else
#define CARDPURSE_API
#endif
#else
#define CARDPURSE_CALL
#if defined(CARDPURSE_BUILDING)
#define CARDPURSE_API __attribute__((visibility("default")))
#else
#define CARDPURSE_API
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Closes the reader's port if the library left it open; 1 when nothing was
 * open. Every other function already closes the port before it returns. */
CARDPURSE_API int CARDPURSE_CALL CloseCOMM(void);

/* ---- Block access ------------------------------------------------------
 * sector: two decimal digits "00" to "15"; block: two decimal digits, the
 * absolute block number (sector s holds blocks 4s to 4s+3). A block text is
 * 32 hexadecimal digits, the 16 bytes of the block. */

/* Reads one block into `out` (at least 33 bytes): 32 characters as the reader
 * sends them and a terminating zero. */
CARDPURSE_API int CARDPURSE_CALL ReadCardBlank(int port, const char* sector, const char* block, char* out);

/* Writes one block; `text` must be exactly 32 hexadecimal digits. 1 only when
 * the reader confirms with "DONE!". */
CARDPURSE_API int CARDPURSE_CALL WriteCardBlank(int port, const char* sector, const char* block, const char* text);

/* ---- Accounts ------------------------------------------------------------ */

/* Reads the department, holder, limits and purse blocks and fills the ten
 * outputs, numbers in decimal (buffer sizes in brackets):
 * accountNo "%06d" [9], cardNo "%08d" [9] (the card number modulo 16777216),
 * name [19] and department [19] (18 characters each as the card holds them),
 * balance "%07d" [8], limitCount "%03d" [4], limitMoney "%08d" [9],
 * limitTime [7], gbCode [3], lssjCount "%05d" [6].
 * On failure the outputs of the blocks read before keep their new contents,
 * the others are left as they were. */
CARDPURSE_API int CARDPURSE_CALL ReadCardInformation(int port, char* accountNo, char* cardNo, char* name,
                                                     char* department, char* balance, char* limitCount,
                                                     char* limitMoney, char* limitTime, char* gbCode, char* lssjCount);

/* Writes a new account onto the card: department block, holder block, purse
 * backup and purse block, limits block, in this order. Ranges: accountNo and
 * limitMoney 0 to 16777215, balance 0 to 1048575, limitCount 0 to 255,
 * lssjCount 0 to 65535; cardNo any value. name and department: 16 hexadecimal
 * digits, limitTime 6, gbCode 2. */
CARDPURSE_API int CARDPURSE_CALL OpenAccount(int port, int accountNo, int cardNo, const char* name,
                                             const char* department, int balance, int limitCount, int limitMoney,
                                             const char* limitTime, const char* gbCode, int lssjCount);

/* Puts the card out of service: the department, holder, purse backup, purse
 * and limits blocks become 32 zeros. */
CARDPURSE_API int CARDPURSE_CALL OFFCard(int port);

/* ---- Field updates: each reads one block, changes one field, writes it back.
 * Balance and Lssj count go to the purse backup block first, then to the
 * purse block. */

/* Adds `amount` (may be negative) to the balance; the result must stay within
 * 0 to 1048575, otherwise nothing is written. */
CARDPURSE_API int CARDPURSE_CALL AddMoney(int port, int amount);

/* Sets the limit money (not added to the stored value), 0 to 16777215. */
CARDPURSE_API int CARDPURSE_CALL AddLimitMoney(int port, int limitMoney);

/* Sets the limit count, 0 to 255. */
CARDPURSE_API int CARDPURSE_CALL WriteLimitCount(int port, int limitCount);

/* Sets the Lssj count, 0 to 65535. */
CARDPURSE_API int CARDPURSE_CALL WriteLssjCount(int port, int lssjCount);

/* Sets the limit time, 6 hexadecimal digits. */
CARDPURSE_API int CARDPURSE_CALL WriteLimitTime(int port, const char* limitTime);

/* Sets the GB code, 2 hexadecimal digits. */
CARDPURSE_API int CARDPURSE_CALL WriteGB(int port, const char* gbCode);

/* Sets the holder name, 16 hexadecimal digits. */
CARDPURSE_API int CARDPURSE_CALL WriteName(int port, const char* name);

/* Sets the card number; every 32-bit value is kept (-1 is stored as FFFFFFFF). */
CARDPURSE_API int CARDPURSE_CALL WriteNumber(int port, int cardNo);

/* Sets the department, 16 hexadecimal digits. */
CARDPURSE_API int CARDPURSE_CALL WriteDepartment(int port, const char* department);

/* ---- Keys and reader settings --------------------------------------------
 * A key is 12 hexadecimal digits (6 bytes). The reader opens a card sector only
 * with the key last loaded into it. */

/* Loads `key` into the reader (no reply; the port stays open 300 ms). */
CARDPURSE_API int CARDPURSE_CALL SetMacPassword(int port, const char* key);

/* Gives all 16 sectors of the card the key `key`, proves it by reading the
 * purse block with it, then loads the library's default reader key. The card
 * must open with the key currently loaded in the reader. 0 when any sector
 * could not be changed. */
CARDPURSE_API int CARDPURSE_CALL SetCardPassAll(int port, const char* key);

/* Like SetCardPassAll for the two account sectors 1 and 2 only; both get the
 * rest of sector 2's trailer. */
CARDPURSE_API int CARDPURSE_CALL SetCardPassOne(int port, const char* key);

/* Sets the reader's sound level, 1 to 9. */
CARDPURSE_API int CARDPURSE_CALL SetMacSound(int port, int level);

#ifdef __cplusplus
}
#endif

#endif /* CARDPURSE_H */
