/*
** qvutil: the environment's utility library.
**
** Bounded formatting (UTS_), file attributes and byte-order marks (UTF_),
** code pages and character sets (UTC_) and directory trees (LUTE_). Code
** pages are Windows code page numbers (1252, 932, 65001 for UTF-8, ...); 0
** means the default code page of the process (UTC_GetCurrentPageCode). File
** and directory names may be given in Windows form: they are mapped onto the
** host below the environment root as the OS layer does (DosMapPath).
** Every function has C linkage.
*/
#ifndef DQOV_PLATFORM_QVUTIL_H
#define DQOV_PLATFORM_QVUTIL_H

#include <stdarg.h>
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Bounded formatting ----------------------------------------------------
** Format into pszBuf, writing at most cbBuf bytes including the terminator;
** the text is always terminated when cbBuf > 0 (a longer text is cut at
** cbBuf - 1 bytes). The result is the length of the whole formatted text
** (not counting the terminator), so a result not smaller than cbBuf means the
** text was cut; a negative result means the format failed, and the buffer
** then holds "". Callers that see either case terminate at cbBuf - 1. */
int UTS_snprintf(char* pszBuf, size_t cbBuf, const char* pszFormat, ...) __attribute__((format(printf, 3, 4)));
int UTS_vsnprintf(char* pszBuf, size_t cbBuf, const char* pszFormat, va_list args)
    __attribute__((format(printf, 3, 0)));

/* ---- File attributes -------------------------------------------------------
** Attribute codes: UTF_ATTR_READONLY (1). A file is read-only when its owner
** may not write it. */
#define UTF_ATTR_READONLY 1UL

/* 1 when the file has the attribute, 0 when it has not or cannot be examined
** (UTF_GetLastError then tells why). Unknown attribute codes answer 0. */
int UTF_CheckFileAttribute(const char* pszName, unsigned long ulAttr);

/* Set / clear one attribute. 0 on success, otherwise the error number that
** UTF_GetLastError also returns afterwards (an unknown attribute is EINVAL). */
int UTF_SetSingleFileAttribute(const char* pszName, unsigned long ulAttr);
int UTF_ResetSingleFileAttribute(const char* pszName, unsigned long ulAttr);

/* The error number (errno value; its text is strerror's) of the last failing
** UTF_ or LUTE_ call on the calling thread, 0 when none failed. */
unsigned long UTF_GetLastError(void);

/* Length of the byte-order mark at the start of the cb bytes at pb: 3 for
** UTF-8 (EF BB BF), 4 for UTF-32LE (FF FE 00 00) and UTF-32BE (00 00 FE FF),
** 2 for UTF-16LE (FF FE) and UTF-16BE (FE FF), 0 when there is none or cb is
** too short to hold it. */
int UTF_GetByteOrderMarkOffset(const unsigned char* pb, int cb);

/* ---- Code pages ------------------------------------------------------------*/
#define UTC_CP_DEFAULT 0U
#define UTC_CP_UTF16LE 1200U
#define UTC_CP_UTF8 65001U

/* Writes the default code page of the process as its number in decimal text
** ("1252", "65001", ...), derived from the locale in LC_ALL, LC_CTYPE or LANG
** (a UTF-8 locale gives "65001"; no locale, "C" or "POSIX" gives "1252").
** 0 on success; -1 when the text does not fit (the buffer then holds the
** text cut at cbBuf - 1) or no buffer is given. */
int UTC_GetCurrentPageCode(char* pszBuf, int cbBuf);

/* The allocator pair for converted texts: UTC_Allocator gives cb bytes (NULL
** when out of memory), UTC_Deallocator frees what it gave (NULL is allowed). */
typedef void* (*UTC_ALLOCATOR)(size_t cb);
void* UTC_Allocator(size_t cb);
void UTC_Deallocator(void* p);

/* Converts cbText bytes at pszText (cbText < 0: up to the terminator) from
** code page ulCodePage to UTF-8. The result is allocated with pfnAlloc and
** terminated; *pcbOut (may be NULL) receives its length without the
** terminator. NULL when the code page is unknown, the text holds bytes that
** the code page does not define, or the allocator fails. */
char* UTC_NativeEncodingToUTF8(unsigned int ulCodePage, const char* pszText, long cbText, UTC_ALLOCATOR pfnAlloc,
                               size_t* pcbOut);

/* Receives one converted piece; returns 0 to go on, non-zero to stop. */
typedef int (*UTC_WRITER)(void* pContext, const char* pb, size_t cb);

/* Converts cch UTF-16 characters at pwch into code page ulCodePage through the
** caller's conversion buffer pbBuf of cbBuf bytes (the library uses 4,096),
** handing each filled piece, never more than cbBuf bytes and never a split
** character, to pfnWriter with pContext. A character that the code page cannot
** hold is written as '?' (in Unicode targets an unpaired surrogate becomes
** U+FFFD). Returns the number of bytes handed over, or -1 when the code page is
** unknown, cbBuf is smaller than 8 bytes, or the writer asked to stop. */
long UTC_WideCharToMultiByteStream(void* pContext, unsigned int ulCodePage, const char16_t* pwch, size_t cch,
                                   char* pbBuf, size_t cbBuf, UTC_WRITER pfnWriter);

/* Writes the IANA name of code page ulCodePage ("windows-1252", "Shift_JIS",
** "UTF-8", ...) into pszBuf (cbBuf bytes with the terminator). ulFlags is not
** used (callers pass 0). 0 on success; -1 when the code page is unknown or the
** name does not fit (the buffer then holds ""). */
int UTC_GetIANACharset(unsigned int ulCodePage, unsigned long ulFlags, char* pszBuf, int cbBuf);

/* ---- Directory trees -------------------------------------------------------
** Creates the directory and every missing directory above it (an existing
** one is no error). ulFlags is not used (callers pass 0). 1 on success, 0 on
** failure (UTF_GetLastError tells why). */
int LUTE_fCreateDirectoryTree(const char* pszDirectory, unsigned long ulFlags);

#ifdef __cplusplus
}
#endif

#endif
