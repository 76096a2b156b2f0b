/* Disk, drive, version and system queries. */
#ifndef ZQVANTOR_SYSTEM_H
#define ZQVANTOR_SYSTEM_H

#include "zqvantor/common.h"

/* Fills a 24-byte record with the bytes free to the caller, the total bytes and the total
   free bytes of the disk holding the path (unsigned 64-bit, little-endian). 1 when filled;
   0 when the size is not 24 or the record is null (nothing written), or the query fails. */
ZQV_API int32_t DSKGetDiskInfo(int32_t pathLen, const char* path, int32_t recordSize, void* record);
/* Fills a 16-byte record with sectors per cluster, bytes per sector, free clusters and total
   clusters (unsigned 32-bit). 1 when filled; 0 when the size is not 16, the record is null or
   the query fails. */
ZQV_API int32_t DSKGetSectorInfo(int32_t pathLen, const char* path, int32_t recordSize, void* record);
/* Every drive in letter order, items "C:\@3@Fixed Disk" joined by "|"; empty when none. */
ZQV_API BSTR DSKGetDrives(void);
/* The values of CompanyName, FileDescription, FileVersion, InternalName, LegalCopyright,
   OriginalFileName, ProductName, ProductVersion, Comments, LegalTrademarks, PrivateBuild and
   SpecialBuild from the file's version resource, each of the first eleven followed by the
   separator (low byte 0: ";", 255: CR LF, else that byte); empty without a version resource. */
ZQV_API BSTR DSKGetFileVersion(int32_t pathLen, const char* path, int32_t separator);
/* The computer's name; empty when it cannot be read. */
ZQV_API BSTR UTGetComputerName(void);
/* The user's name; empty when it cannot be read. */
ZQV_API BSTR UTGetUserName(void);
/* Mode 1 log off, 2 power off, 3 reboot, 4 shut down; insistence 1 ends applications that do
   not respond, 2 ends applications without asking. 0 when the request was accepted; -5 for
   another mode, -6 when it was refused. */
ZQV_API int32_t UTEndWindows(int32_t mode, int32_t insistence);
/* Runs a WMI query (WQL) against "root\cimv2" of the local computer, or of the computer named
   (unreachable: -5, after the credentials dialog when the user name or password is missing; a
   password starting with "NONE" counts as missing when a user name is given). Returns the
   objects as an array's text: one field per object (at most 1,024), one value per property of
   the "|"-separated list. With a key property, an object whose key text equals the one stored
   before it (case-blind) is dropped. Values: "NULL" for a property without value, empty for one
   the object lacks, list elements joined by 0xFC; date-times read "2026-12-10 15:55:12   000000060"
   (date and time, three blanks, the fractions and the offset in minutes without "+").
   Codes: 0; -999 no query; -1 COM (or memory) failed; -2 COM security; -3 the locator; -4 the
   credentials were refused (a user name over 513 or a password over 256 characters) or the
   dialog cancelled; -5 no connection; -6 the connection's security; -7 the query was refused.
   Runs on the caller's thread, taking no lock of the library. */
ZQV_API BSTR UTDoWMIQuery(int32_t queryLen, const char* query, int32_t propertiesLen, const char* properties,
                          int32_t* err, int32_t keyLen, const char* key, int32_t computerLen, const char* computer,
                          int32_t userLen, const char* user, int32_t passwordLen, const char* password);

#endif
