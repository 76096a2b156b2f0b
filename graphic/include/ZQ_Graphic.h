/* ZQ_Graphic: the image library's nine calls, for host programs, and beside them a conversion
 * in two steps.
 *
 * Pictures: JPEG, PNG, BMP (24 and 32 bits) and AAI are read; AAI, JPEG, PNG and BMP are
 * written, the format named by the target's extension. Names come as (length, pointer), in
 * the process's code page, as Windows-view or POSIX paths.
 *
 * Resize mode: 0 none, 1 only bigger, 2 only smaller, 3 both; plus 4 keeps the aspect ratio
 * (the picture is fitted inside width x height). Without 4 each side is set to the target
 * side as the mode allows. Every result is fitted inside 2047 x 2047, keeping its aspect ratio.
 * Filter: 0 bilinear, 1 fast (box), 2 bicubic.
 *
 * AAI: width and height as little-endian 32-bit integers, then the pixels top row first as
 * B, G, R, A; alpha 254 is opaque (255 is never written, and reads as opaque).
 */
#ifndef ZQ_GRAPHIC_H
#define ZQ_GRAPHIC_H

#include <stdint.h>

#ifdef __cplusplus
#define ZQG_API extern "C" __attribute__((visibility("default")))
#else
#define ZQG_API __attribute__((visibility("default")))
#endif

/* Failure codes of Gr_Convert (0 or less); Gr_Convert answers 1 on success. */
#define GR_ERROR_ARGUMENT 0   /* no name, a bad resize mode, size or filter */
#define GR_ERROR_OPEN (-2)    /* the source cannot be read (missing, no access, a folder) */
#define GR_ERROR_FORMAT (-3)  /* not a picture type the library reads or writes */
#define GR_ERROR_CORRUPT (-4) /* truncated or damaged picture data */
#define GR_ERROR_SIZE (-5)    /* dimensions beyond the library's limits */
#define GR_ERROR_MEMORY (-6)  /* not enough memory */
#define GR_ERROR_WRITE (-7)   /* the target cannot be written (folder, access, disk full) */
#define GR_ERROR_HANDLE (-8)  /* no image object of that handle */

/* A new image object: its handle (greater than 0), or 0 or less on failure. */
ZQG_API int32_t GR_Create(void);
/* Releases the object (and any picture it still holds): 1, or GR_ERROR_HANDLE. */
ZQG_API int32_t GR_Destroy(int32_t handle);
/* The size in pixels of the window or control of that handle (0 when there is none). */
ZQG_API int32_t GR_GetWinWidth(uint32_t hwnd);
ZQG_API int32_t GR_GetWinHeight(uint32_t hwnd);
/* Reads the picture, fits it as the resize mode says (filter bicubic), drops its alpha when
 * stripAlpha is not 0, and registers it with the window model as a picture an image control
 * shows: the picture's number (greater than 0), or -1 on any failure. extra is reserved. */
ZQG_API int32_t GR_Load(int32_t handle, int32_t nameLength, const char* name, uint8_t resizeMode,
                        int32_t width, int32_t height, uint8_t stripAlpha, uint8_t extra);
/* Releases the object's buffer of the last loaded picture (an image control that took the
 * picture keeps showing it): 1, or GR_ERROR_HANDLE. */
ZQG_API int32_t GR_FreeBuf(int32_t handle);
/* The address of four consecutive 32-bit integers describing the object's last loaded
 * picture (width, height, bits per pixel, alpha: 1 when it has an alpha channel), valid
 * until the next GR_Load or GR_Destroy of the object; -1 when there is none. */
ZQG_API intptr_t GR_GetInfo(int32_t handle);
/* Converts the source picture into the target file (written whole or not at all): 1, or a
 * GR_ERROR_* code. */
ZQG_API int32_t Gr_Convert(int32_t sourceLength, const char* source, int32_t targetLength,
                           const char* target, uint8_t resizeMode, int32_t width, int32_t height,
                           uint8_t filter);
/* Greater than 0 (1 JPEG, 2 PNG, 3 BMP, 4 AAI) when the name is an extension of a picture
 * type the library reads ("jpg", ".PNG", or the part after a file name's last dot); 0 else. */
ZQG_API int32_t Gr_FileType(int32_t nameLength, const char* name);

/* A conversion in two steps, for a host that converts on several threads and writes on one.
 * Gr_Encode does on any thread what Gr_Convert does before it writes and keeps the target
 * file's bytes in memory; Gr_WriteEncoded then writes them as Gr_Convert writes. The two leave
 * the same target and give the same result as one Gr_Convert, provided the source and the
 * names still stand as they did (Gr_EncodedCurrent). */
typedef struct GrEncoded GrEncoded;
/* A new encoding of the conversion, for Gr_FreeEncoded; NULL only when memory is short. */
ZQG_API GrEncoded* Gr_Encode(int32_t sourceLength, const char* source, int32_t targetLength, const char* target,
                             uint8_t resizeMode, int32_t width, int32_t height, uint8_t filter);
/* The most bytes of memory Gr_Encode of the same arguments takes while it works (the source
 * file, the picture as decoded, at the scale a JPEG is decoded at, the fitted picture and the
 * target's file), read from the source's header without decoding it; for a source that will
 * fail, its file's size at most, and 0 when the arguments are refused at once. */
ZQG_API int64_t Gr_WorkingBytes(int32_t sourceLength, const char* source, int32_t targetLength, const char* target,
                                uint8_t resizeMode, int32_t width, int32_t height, uint8_t filter);
/* 1 when the bytes are ready, else the failure code Gr_Convert gives before writing
 * (GR_ERROR_MEMORY for NULL). */
ZQG_API int32_t Gr_EncodedResult(const GrEncoded* encoding);
/* The bytes of memory its target's file takes. */
ZQG_API int64_t Gr_EncodedBytes(const GrEncoded* encoding);
/* 1 while both names resolve to the files they resolved to and the source is unchanged (a
 * regular file of the same size and last change, or still none); 0 else (and for NULL). */
ZQG_API int32_t Gr_EncodedCurrent(const GrEncoded* encoding);
/* Writes the bytes to the target as its name resolves now, whole or not at all: 1, or a
 * GR_ERROR_* code; a failed encoding writes nothing and answers its own code. */
ZQG_API int32_t Gr_WriteEncoded(const GrEncoded* encoding);
ZQG_API void Gr_FreeEncoded(GrEncoded* encoding);

#endif
