/*
 * quorlink — the clock link library of QuorKVT.
 *
 * A host program loads this library to talk to a pigeon-race clock of the Quor family on a serial
 * (COM) port. Two uses:
 *
 *  - Print capture. The clock lists its data by printing plain printer text. The library takes that
 *    text as it arrives, cuts it into lines, prints every line on a printer, and tells the host
 *    about each finished line through an update procedure:
 *        openQuorConnection -> openQuorKVT -> regUpdateProc -> (update procedure per line, which
 *        calls getUpdateData) -> closeQuorKVT -> closeQuorConnection
 *
 *  - The clocks' command protocol (Quor and Tolvex dialects): reading a race or the stock list,
 *    writing stock, recovery data and liberation points.
 *        openQuorConnection -> [regOptionBase] -> readQuor / readQuorTolvex -> get exports,
 *        or set exports -> writeQuor / buildQuor / setLiberationPoints -> closeQuorConnection
 *
 * Conventions. Every export returns a 32-bit integer: 1 for success, 0 for failure (the close
 * exports always 1); there are no error codes. Every argument occupies one 32-bit slot; 8- and
 * 16-bit arguments are taken from the low bits of their slot. All state is library-global: one
 * link per process. The library never keeps an address the host passes, except the update
 * procedure's, and never allocates memory for the host; buffers are the host's, of the sizes given
 * below. Exports are meant to be called from one host thread, one at a time.
 *
 * Threads. openQuorConnection starts a reader thread that collects what the clock sends into
 * bursts (a burst ends at the first 30 ms pause); while capture is on, an idle monitor thread
 * finishes a printout after about 5 s of silence. The host's update procedure runs on the reader
 * thread, or on the idle monitor's for lines that were held (see "Held lines" below); never on the
 * host's thread, and never on two threads at once.
 *
 * Unloading. No thread of the library outlives the close that stops it: when closeQuorKVT (with
 * Tolvex capture off too) and closeQuorConnection have returned, the host may unload the library
 * at once. A close called from the update procedure, on a library thread, cannot wait for that
 * thread; it lets it end by itself, and the library is not unmapped before it has (on Windows it
 * stays loaded until the process ends). No C++ exception leaves an export: a call that fails that
 * way returns its failure value.
 *
 * Porting from the Windows serial API. On Windows the port is opened for overlapped I/O and the
 * reader thread waits for an overlapped WaitCommEvent(EV_RXCHAR) together with a wake-up event
 * that closing sets (so that a close never waits for the clock's next byte). A wait that fails is
 * tried again after 50 ms while the device still answers ClearCommError; a device that no longer
 * does is lost and no longer watched until the close. On POSIX systems the port is a termios device
 * in raw mode (9600 baud, 8N1, no flow control, DTR and RTS raised), the reader polls the device
 * together with a wake-up pipe that closing writes to, and COM<n> names the device of the entry
 * COM<n> in $XDG_CONFIG_HOME/quorlink/ports (default ~/.config/quorlink/ports; a symbolic link or a
 * device node), else /dev/ttyS<n-1>.
 */
#ifndef QUORLINK_H
#define QUORLINK_H

#include <stdint.h>

/* The Windows standard calling convention on 32-bit Windows, where the callee removes the
 * arguments; the platform's own elsewhere. */
#if defined(_WIN32) && !defined(_WIN64)
#define QUORLINK_CALL __stdcall
#else
#define QUORLINK_CALL
#endif

#if defined(QUORLINK_BUILDING)
#if defined(_WIN32)
#define QUORLINK_API /* the DLL's exports are those of its .def file */
#else
#define QUORLINK_API __attribute__((visibility("default")))
#endif
#else
#if defined(_WIN32)
#define QUORLINK_API __declspec(dllimport)
#else
#define QUORLINK_API
#endif
#endif

/* ---- Sizes and offsets ---------------------------------------------------------------------
 * Every buffer a host hands over, and every field of a record that a host reads or fills, by
 * name. */

/* getUpdateData writes at most this many bytes, the terminating zero included. */
#define QUORLINK_LINE_BUFFER_SIZE 132
/* The longest line the update procedure is handed (and getUpdateData copies while it runs). */
#define QUORLINK_HANDED_LINE_LENGTH 75

/* The clock's fixed-width records, in bytes. */
#define QUORLINK_RACE_HEADER_SIZE 166
#define QUORLINK_PIGEON_RECORD_SIZE 60
#define QUORLINK_POULE_RECORD_SIZE 110
#define QUORLINK_OWNER_RECORD_SIZE 113
#define QUORLINK_STOCK_RECORD_SIZE 22
#define QUORLINK_RECOVERY_RECORD_SIZE 48
/* Pigeon, stock and recovery records are numbered 0..QUORLINK_MAX_RECORDS - 1 (from 0), poule
 * records 0..QUORLINK_POULE_RECORDS - 1. */
#define QUORLINK_MAX_RECORDS 1001
#define QUORLINK_POULE_RECORDS 19

/* The record counts, QUORLINK_COUNT_WIDTH decimal digits: pigeons at this offset of the race
 * header, stock (or recovery) records at this offset of the owner record. */
#define QUORLINK_RACE_COUNT_OFFSET 145
#define QUORLINK_OWNER_COUNT_OFFSET 108
#define QUORLINK_COUNT_WIDTH 4

/* Liberation points: 1..QUORLINK_LIBERATION_POINTS_MAX are named; a point above it sends the
 * table. A Quor clock keeps 15 characters of a name, a Tolvex clock 16. */
#define QUORLINK_LIBERATION_POINTS_MAX 99
#define QUORLINK_QUOR_POINT_NAME_LENGTH 15
#define QUORLINK_TOLVEX_POINT_NAME_LENGTH 16

/* ---- Version ---------------------------------------------------------------------------------
 * The version of this header, major * 1000000 + minor * 1000 + patch; quorlinkVersion gives the
 * version of the library the host has loaded, so that a host can tell the two apart. */
#define QUORLINK_VERSION "10.2.1"
#define QUORLINK_VERSION_NUMBER 10002001

#ifdef __cplusplus
extern "C" {
#endif

/* The loaded library's version number (as QUORLINK_VERSION_NUMBER). Any thread, at any time. */
QUORLINK_API int32_t QUORLINK_CALL quorlinkVersion(void);

/* ---- Connection ------------------------------------------------------------------------------
 * The one serial port of the library. */

/* Opens COM<n> at 9600 baud, 8 data bits, no parity, one stop bit, DTR raised, and starts the
 * reader thread. portText: a zero-terminated string holding the port number in decimal (leading
 * blanks and a sign allowed; text without digits names COM0, which never opens). A link that is
 * open is closed first. Returns 1 when the port is open, 0 otherwise. Host thread only. */
QUORLINK_API int32_t QUORLINK_CALL openQuorConnection(const char* portText);

/* Stops the reader thread and closes the port (only when openQuorConnection succeeded), and
 * switches Quor print capture off. Returns 1. It waits for the reader thread to end, so it must
 * not be called while the update procedure waits for the calling thread. */
QUORLINK_API int32_t QUORLINK_CALL closeQuorConnection(void);

/* ---- Print capture ---------------------------------------------------------------------------
 * Capture is switched on for a Quor clock's plain printer text or a Tolvex clock's framed text.
 * While it is on, every line the clock prints is printed (a document per printout, 66 lines a
 * page, the logo at its end) and handed to the update procedure. */

/* Held lines. The clock does not wait: it may print while the user is still choosing the printer
 * in the dialog of openQuorKVT, and before the host has registered its update procedure. Every
 * line that finishes after openQuorKVT has switched capture on is kept, in the order the clock
 * printed it: it is printed as soon as the printer is chosen (or known to be missing), and handed
 * to the update procedure as soon as one is registered, whichever comes first. The reader thread
 * never waits for the dialog, so the port is read all the while. At most QUORLINK_HELD_LINES lines
 * are held: past that, the oldest line that is printed and only waits for the update procedure is
 * dropped to make room (its hand-over is lost); when every held line still waits for the printer
 * (a dialog left open for many minutes while the clock prints), a new line is dropped, neither
 * printed nor handed over. closeQuorKVT (and closeQuorKVTtolvex) drop every line still held: a
 * host that never registers an update procedure has its lines printed, and the hand-overs it never
 * asked for are dropped at the close. */
#define QUORLINK_HELD_LINES 8192

/* The host's update procedure. It is called on a library thread (the reader thread, or the idle
 * monitor's for held lines) with the address of the library's buffer of the line being handed
 * over: the finished line, zero-terminated, at most QUORLINK_HANDED_LINE_LENGTH (75) characters.
 * The library clears that buffer as soon as the procedure returns, so the host copies the line
 * (getUpdateData) before it returns. The procedure must not wait for a thread that may be calling
 * closeQuorKVT or closeQuorConnection: those wait for the reader thread, which waits for the
 * procedure. */
typedef void(QUORLINK_CALL* QuorUpdateProc)(const char* line);

/* Switches Quor print capture on and chooses the printer: ask = 0 (low 8 bits) takes the default
 * printer without a dialog, any other value lets the user choose it (regPrinterChooser); it returns
 * once the choice is made, however long the user takes, and the lines that the clock prints
 * meanwhile are held (see "Held lines"). Returns 1, or 0 when the link is not open (nothing
 * done). A printer that cannot be chosen (no default
 * printer, the user cancelled) does not stop capture: lines are still handed to the host and
 * nothing is printed. Every printed document is one print job, submitted when it ends (a form
 * feed, about 5 s of silence, or closeQuorKVT), titled "quorKVT" ("quorKVTtolvex" for Tolvex
 * capture), in portrait orientation where the printer can take it. */
QUORLINK_API int32_t QUORLINK_CALL openQuorKVT(uint32_t ask);

/* Switches Quor print capture off, forgets the update procedure, drops the lines still held, ends
 * an open page and document and releases the printer. A line that another library thread is
 * printing or handing over at that moment goes out first: closeQuorKVT waits for it (unless it is
 * called from the update procedure itself). Returns 1. */
QUORLINK_API int32_t QUORLINK_CALL closeQuorKVT(void);

/* The host's printer dialog, asked when capture starts with ask non-zero (off Windows; on Windows
 * the library shows the system's print set-up dialog, and a chooser that a Windows host registers
 * is never called: regPrinterChooser is exported there only so that one host binds alike on every
 * platform). It writes the chosen
 * destination, zero-terminated, into buffer (size bytes, the zero included) and returns 1, or
 * returns 0 when the user cancels. A destination is a printer queue's name (CUPS off Windows), or
 * "file:" followed by a path to print to a PDF file; further documents of the same capture go to
 * the same path with -2, -3, ... before its extension. An empty name takes the default printer.
 * Called on the thread that calls openQuorKVT. */
typedef int32_t(QUORLINK_CALL* QuorPrinterChooser)(char* buffer, uint32_t size);

/* Registers the printer dialog (null: none, and ask then takes the default printer). Returns 1. */
QUORLINK_API int32_t QUORLINK_CALL regPrinterChooser(QuorPrinterChooser chooser);

/* As openQuorKVT, for a Tolvex clock, whose printer text comes in frames. */
QUORLINK_API int32_t QUORLINK_CALL openQuorKVTtolvex(uint32_t ask);

/* As closeQuorKVT for Tolvex capture (the held lines are dropped too); the update procedure stays
 * registered. Returns 1. */
QUORLINK_API int32_t QUORLINK_CALL closeQuorKVTtolvex(void);

/* Registers the update procedure, called once per finished line: first for the lines held since
 * capture was switched on (soon after this call returns, on the idle monitor's thread), then for
 * every line as it finishes. Returns 1, or 0 for a null procedure (nothing changed). closeQuorKVT
 * forgets it: register it again for every capture, before or after openQuorKVT. */
QUORLINK_API int32_t QUORLINK_CALL regUpdateProc(QuorUpdateProc proc);

/* Copies a line of the library, up to and including its terminating zero, into buffer (at least
 * QUORLINK_LINE_BUFFER_SIZE, 132 bytes, of which it never writes more). While the update
 * procedure runs (called from it directly or through a synchronous chain of calls) it gives the
 * line being handed over, at most 75 characters; at any other time the partial line the clock is
 * printing, at most 131 characters. Returns 1. Any thread. */
QUORLINK_API int32_t QUORLINK_CALL getUpdateData(char* buffer);

/* ---- Command protocol: options ------------------------------------------------------------ */

/* 1: record indexes given to getPigeonData, getQuorStockData and setQuorStockData count from 1;
 * 0: from 0 (the initial base). Returns 1, or 0 for any other value (the base stays). */
QUORLINK_API int32_t QUORLINK_CALL regOptionBase(int32_t base);

/* ---- Command protocol: reading and writing a clock -------------------------------------------
 * Each call runs one whole exchange with the clock on the calling thread and returns when it is
 * over: the Quor dialect (ASCII commands, one answer block; refused while the clock prints a
 * document) or the Tolvex dialect (a framed request per record). An exchange that gets no answer
 * gives up after about 1.5 s of silence, counted from when the command has crossed the line (an
 * upload of 2000 bytes takes about 2 s at 9600 baud). What a read stores stays readable through
 * the get calls below until the next read of the same kind; a failed read leaves nothing readable.
 *
 * The end of an answer. An answer that tells its own length ends as soon as it is whole and the
 * line has then been quiet for 5 ms: a Quor stock list (113 + 22 x its count bytes), a Quor race
 * (166 + 60 x its count + 18 x 110 bytes) and every Tolvex reply frame (5 bytes and the length in
 * its fourth byte, with a matching checksum); the counts are the four digits at offset 108 of the
 * owner record and at offset 145 of the race header. Such an answer is taken whole across a pause
 * of the clock inside it that is shorter than the quiet wait below. Any other answer, one with
 * bytes after its end, one cut short or a frame whose checksum does not match, ends once the line
 * has been quiet for about 0.7 s (eleven checks of about 60 ms), and is then handled as it stands:
 * a Quor answer counts as read when it begins with "1", and only its whole records that begin
 * with "1" are stored. With the environment variable QUORLINK_REPLY_WAIT=quiet (lower case) every
 * answer waits for that quiet line, for a clock that needs it. */

/* Reads out of a Quor clock: selector 999 the stock list, 1..100 race n, above 100 the race data
 * set selector - 100 (the clock's packed form, turned into the same records). Returns 1 when the
 * answer was read and stored, 0 otherwise. */
QUORLINK_API int32_t QUORLINK_CALL readQuor(uint32_t selector);

/* Reads out of a Tolvex clock: selector 999 the stock list, any other the race of its low 8 bits.
 * The stock list counts as read only when every record announced came. Returns 1 or 0. */
QUORLINK_API int32_t QUORLINK_CALL readQuorTolvex(uint32_t selector);

/* Writes the stock list (the owner record and as many stock records as its count says) into a
 * Quor clock. Returns 1 when the clock accepted it, 0 otherwise (also when the count is not
 * 0..1001). */
QUORLINK_API int32_t QUORLINK_CALL writeQuor(void);

/* As writeQuor, for a Tolvex clock: 1 when every frame was sent and the clock answered each. An
 * owner record that counts 0 records sends no stock record. */
QUORLINK_API int32_t QUORLINK_CALL writeQuorTolvex(void);

/* Sends the owner record and the recovery records (as many as its count says) to a Quor clock
 * for building its recovery list. Returns 1 when the clock accepted them. */
QUORLINK_API int32_t QUORLINK_CALL buildQuor(void);

/* Liberation points. point 1..99 stores the name (zero-terminated; 15 characters kept for Quor,
 * 16 for Tolvex) and returns 1; point 0 returns 0 and stores nothing; point 100 or more sends the
 * whole table (points never named go as a blank) and empties it, and returns 1, or 0 when it could
 * not be sent (the table is then kept). */
QUORLINK_API int32_t QUORLINK_CALL setLiberationPoints(const char* name, uint32_t point);
QUORLINK_API int32_t QUORLINK_CALL setLiberationPointsTolvex(const char* name, uint32_t point);

/* ---- Command protocol: the records -----------------------------------------------------------
 * Fixed-width text records copied between the host's memory and the library's store. Indexes are
 * the low 16 bits (8 for poules) of their argument; getPigeonData, getQuorStockData and
 * setQuorStockData count from 1 after regOptionBase(1). Each returns 1 when it copied, 0 when
 * there is nothing to copy, the index is out of range or the address is null. */

/* The recovery record index (0..1000) of QUORLINK_RECOVERY_RECORD_SIZE bytes; the owner record's
 * count becomes index + 1. */
QUORLINK_API int32_t QUORLINK_CALL setQuorRecoveryData(const void* record, uint32_t index);
/* The stock record index (0..1000) of QUORLINK_STOCK_RECORD_SIZE bytes; the owner record's count
 * becomes index + 1. */
QUORLINK_API int32_t QUORLINK_CALL setQuorStockData(const void* record, uint32_t index);
/* The owner record of QUORLINK_OWNER_RECORD_SIZE bytes; its number fields at 88 and 98 are written
 * back as nine digits. */
QUORLINK_API int32_t QUORLINK_CALL setQuorStockOwnerData(const void* record);

/* The header of the race read last, QUORLINK_RACE_HEADER_SIZE bytes. */
QUORLINK_API int32_t QUORLINK_CALL getQuorData(void* buffer);
/* The pigeon record index of the race read last, QUORLINK_PIGEON_RECORD_SIZE bytes. */
QUORLINK_API int32_t QUORLINK_CALL getPigeonData(void* buffer, uint32_t index);
/* The poule record index (0..18) of the race read last, QUORLINK_POULE_RECORD_SIZE bytes. */
QUORLINK_API int32_t QUORLINK_CALL getQuorPoulData(void* buffer, uint32_t index);
/* The stock record index of the stock list read last, QUORLINK_STOCK_RECORD_SIZE bytes. */
QUORLINK_API int32_t QUORLINK_CALL getQuorStockData(void* buffer, uint32_t index);
/* The owner record of the stock list read last, QUORLINK_OWNER_RECORD_SIZE bytes. */
QUORLINK_API int32_t QUORLINK_CALL getQuorStockOwnerData(void* buffer);

#ifdef __cplusplus
}
#endif

#endif /* QUORLINK_H */
