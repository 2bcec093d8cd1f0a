/* The binary interface between the program and its data-source plug-ins.
 *
 * A plug-in is a shared object "*.dio" that exports the C function CreateIO;
 * each call returns a new data-source object holding one reference, which
 * the caller owns. Only C types cross the boundary, so a plug-in needs no
 * particular C++ compiler or runtime; no exception may cross it.
 *
 * Objects are counted, COM fashion: every table begins with QueryInterface,
 * AddRef and Release, and the operations follow in their fixed slot order.
 * Texts are UTF-8, terminated by a zero byte. A text returned by an object
 * stays valid until the next call on that object or its last release.
 * Booleans are 0 (false) or 1 (true). */
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct QIOGuid {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
} QIOGuid;

#define QIO_S_OK 0
#define QIO_E_NOINTERFACE ((int32_t)0x80004002)

/* {00000000-0000-0000-C000-000000000046}: every object answers it. */
static const QIOGuid QIO_IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
/* {E5C1E5B9-D366-4ABC-AB0D-461E2EDE7906} */
static const QIOGuid QIO_IID_IInOut = {0xE5C1E5B9, 0xD366, 0x4ABC, {0xAB, 0x0D, 0x46, 0x1E, 0x2E, 0xDE, 0x79, 0x06}};
/* {077D66CA-7CA4-4301-9DF4-89D1F1D83A69} */
static const QIOGuid QIO_IID_IIOParams = {0x077D66CA, 0x7CA4, 0x4301, {0x9D, 0xF4, 0x89, 0xD1, 0xF1, 0xD8, 0x3A, 0x69}};
/* {E15D5242-BBEA-4F55-A9EA-088B7B983068} */
static const QIOGuid QIO_IID_IIOParamSys = {0xE15D5242, 0xBBEA, 0x4F55, {0xA9, 0xEA, 0x08, 0x8B, 0x7B, 0x98, 0x30, 0x68}};

/* The parameters of one open request (IIOParamSys, which extends IIOParams),
 * implemented by the program. */
typedef struct QIOParams QIOParams;

typedef struct QIOParamsTable {
  int32_t (*QueryInterface)(QIOParams* self, const QIOGuid* iid, void** object);
  uint32_t (*AddRef)(QIOParams* self);
  uint32_t (*Release)(QIOParams* self);
  /* Value of the first parameter name=value whose name equals Name ignoring
   * case; empty when there is none. */
  const char* (*GetValue)(QIOParams* self, const char* name);
  /* The default folder for data files, with a trailing "/". */
  const char* (*GetFilesFolder)(QIOParams* self);
  /* Appends one parameter text; returns its 0-based index. */
  int32_t (*AddParam)(QIOParams* self, const char* text);
} QIOParamsTable;

struct QIOParams {
  const QIOParamsTable* Table;
};

/* A data source (IInOut), implemented by the plug-in. */
typedef struct QIOInOut QIOInOut;

typedef struct QIOInOutTable {
  int32_t (*QueryInterface)(QIOInOut* self, const QIOGuid* iid, void** object);
  uint32_t (*AddRef)(QIOInOut* self);
  uint32_t (*Release)(QIOInOut* self);
  /* The type named before "://" in open strings. */
  const char* (*GetTypeName)(QIOInOut* self);
  /* Text of the last failure; empty when there is none. */
  const char* (*GetLastError)(QIOInOut* self);
  /* A QIO_MODE_. The source may keep Params with AddRef. */
  uint8_t (*Open)(QIOInOut* self, QIOParams* params, uint8_t mode);
  /* Never called by the program. */
  void (*Reserved)(QIOInOut* self);
  /* False at the end of the data or on failure. */
  uint8_t (*ReadByte)(QIOInOut* self, uint8_t* byte);
  uint8_t (*WriteByte)(QIOInOut* self, uint8_t byte);
  /* Called only when every open source is closed at once (an abort); an
   * ordinary close only releases the object, which then completes its work. */
  void (*Close)(QIOInOut* self);
  /* A QIO_FLAG_ combination. */
  uint8_t (*GetFlags)(QIOInOut* self);
} QIOInOutTable;

struct QIOInOut {
  const QIOInOutTable* Table;
};

/* Open modes. */
#define QIO_MODE_READ 0
#define QIO_MODE_WRITE 1

/* Capabilities offered by the import/export dialog. */
#define QIO_FLAG_FILE_NAME 1 /* takes a file name: a browse button */
#define QIO_FLAG_SPECIFIER 2
#define QIO_FLAG_OPTIONS 4

/* The one export of a plug-in, under the name "CreateIO". */
typedef QIOInOut* (*QIOCreateFunction)(void);

#ifdef __cplusplus
}
#endif
