#ifndef RFWALLET_H
#define RFWALLET_H
/*
 * rfwallet: purse cards through the RF SAM card reader on a serial port.
 *
 * Every card operation takes the serial port number (1..999) first, opens the
 * port, sends one request, reads the reply and closes the port before it
 * returns. Texts are plain C strings; each must hold at least its field's
 * number of characters (longer texts give their first characters).
 * Operations of this library run one at a time.
 */

/* Calling convention and export marking of the four exports. On 32-bit
 * Windows they are __stdcall and rfwallet.def exports them under their
 * decorated names (_RFSAMADDMoney@32); on 64-bit Windows they are exported
 * undecorated; elsewhere they are the only symbols the library makes visible. */
#if defined(_WIN32)
#define RFWALLET_CALL __stdcall
#if defined(RFWALLET_BUILDING) && defined(_WIN64)
#define RFWALLET_EXPORT __declspec(dllexport)
#else
#define RFWALLET_EXPORT
#endif
#else
#define RFWALLET_CALL
#if defined(RFWALLET_BUILDING)
#define RFWALLET_EXPORT __attribute__((visibility("default")))
#else
#define RFWALLET_EXPORT
#endif
#endif
#define RFWALLET_API(result) RFWALLET_EXPORT result RFWALLET_CALL

#ifdef __cplusplus
extern "C" {
#endif

/* Reads the card's two numbers. hostFieldA: 28 hexadecimal digits;
 * hostFieldB: 26 hexadecimal digits. On success writes infoNumberA as six
 * decimal digits ("%06d", buffer of at least 7 bytes) and infoNumberB as a
 * signed decimal number (buffer of at least 12 bytes) and returns 1; on
 * failure returns 0 and leaves both buffers untouched. */
RFWALLET_API(int)
RFSAMReadCardInfo(int port, const char* hostFieldA, const char* hostFieldB, char* infoNumberA, char* infoNumberB);

/* Adds money. hostFieldA: 28, hostFieldB: 26, hostFieldC: 6 and hostFieldD:
 * 32 hexadecimal digits; digits12: 12 decimal digits; hostHex6: 0..16777215.
 * Returns the reader's reply value 0..65535, or -1 on failure. */
RFWALLET_API(int)
RFSAMADDMoney(int port, const char* hostFieldA, const char* hostFieldB, const char* hostFieldC, const char* hostFieldD,
              int hostHex8, const char* digits12, int hostHex6);

/* Deducts money; the arguments are those of RFSAMADDMoney without hostFieldC.
 * Returns the reader's reply value 0..65535, or -1 on failure. */
RFWALLET_API(int)
RFSAMDeductions(int port, const char* hostFieldA, const char* hostFieldB, const char* hostFieldD, int hostHex8,
                const char* digits12, int hostHex6);

/* Closes the reader's port if an operation left it open; 1 when nothing was
 * open, else nonzero on success and 0 on failure. */
RFWALLET_API(int) CloseCOMM(void);

#ifdef __cplusplus
}
#endif

#endif /* RFWALLET_H */
