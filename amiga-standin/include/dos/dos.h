#ifndef DOS_DOS_H
#define DOS_DOS_H

#include <exec/types.h>
#include <exec/nodes.h>

#define DOSNAME "dos.library"

/* Results of the dos calls that answer success or failure */
#define DOSTRUE (-1L)
#define DOSFALSE (0L)

/* Open() modes */
#define MODE_OLDFILE 1005L   /* existing file, positioned at its start */
#define MODE_NEWFILE 1006L   /* new file (an existing one is emptied), exclusive */
#define MODE_READWRITE 1004L /* existing file or a new one, shared */

/* Seek() modes */
#define OFFSET_BEGINNING (-1L)
#define OFFSET_CURRENT 0L
#define OFFSET_END 1L

/* Lock() modes */
#define SHARED_LOCK (-2L)
#define ACCESS_READ (-2L)
#define EXCLUSIVE_LOCK (-1L)
#define ACCESS_WRITE (-1L)

/* BCPL pointers */
#define BADDR(x) ((APTR)((ULONG)(x) << 2))
#define MKBADDR(x) ((BPTR)((ULONG)(x) >> 2))

#define ENDSTREAMCH (-1L)

/* A point in time: days since 1 January 1978, minutes past midnight, ticks (1/50 s) in that minute. */
struct DateStamp {
    LONG ds_Days;
    LONG ds_Minute;
    LONG ds_Tick;
};
#define TICKS_PER_SECOND 50

/* fib_DirEntryType / ExamineData Type: positive for drawers, negative for files */
#define ST_ROOT 1
#define ST_USERDIR 2
#define ST_SOFTLINK 3
#define ST_LINKDIR 4
#define ST_FILE (-3)
#define ST_LINKFILE (-4)
#define ST_PIPEFILE (-5)

struct FileInfoBlock {
    LONG fib_DiskKey;
    LONG fib_DirEntryType;
    char fib_FileName[108];
    LONG fib_Protection;
    LONG fib_EntryType;
    LONG fib_Size;
    LONG fib_NumBlocks;
    struct DateStamp fib_Date;
    char fib_Comment[80];
    UWORD fib_OwnerUID;
    UWORD fib_OwnerGID;
    char fib_Reserved[32];
};

/* Protection bits.  For R, W, E and D a set bit means the action is NOT allowed; the other bits have
 * the ordinary sense (set = the property holds). */
#define FIBB_OTR_READ 15
#define FIBB_OTR_WRITE 14
#define FIBB_OTR_EXECUTE 13
#define FIBB_OTR_DELETE 12
#define FIBB_GRP_READ 11
#define FIBB_GRP_WRITE 10
#define FIBB_GRP_EXECUTE 9
#define FIBB_GRP_DELETE 8
#define FIBB_HOLD 7
#define FIBB_SCRIPT 6
#define FIBB_PURE 5
#define FIBB_ARCHIVE 4
#define FIBB_READ 3
#define FIBB_WRITE 2
#define FIBB_EXECUTE 1
#define FIBB_DELETE 0
#define FIBF_OTR_READ (1L << FIBB_OTR_READ)
#define FIBF_OTR_WRITE (1L << FIBB_OTR_WRITE)
#define FIBF_OTR_EXECUTE (1L << FIBB_OTR_EXECUTE)
#define FIBF_OTR_DELETE (1L << FIBB_OTR_DELETE)
#define FIBF_GRP_READ (1L << FIBB_GRP_READ)
#define FIBF_GRP_WRITE (1L << FIBB_GRP_WRITE)
#define FIBF_GRP_EXECUTE (1L << FIBB_GRP_EXECUTE)
#define FIBF_GRP_DELETE (1L << FIBB_GRP_DELETE)
#define FIBF_HOLD (1L << FIBB_HOLD)
#define FIBF_SCRIPT (1L << FIBB_SCRIPT)
#define FIBF_PURE (1L << FIBB_PURE)
#define FIBF_ARCHIVE (1L << FIBB_ARCHIVE)
#define FIBF_READ (1L << FIBB_READ)
#define FIBF_WRITE (1L << FIBB_WRITE)
#define FIBF_EXECUTE (1L << FIBB_EXECUTE)
#define FIBF_DELETE (1L << FIBB_DELETE)

/* AmigaOS 4 ExamineObject() result, released with FreeDosObject(DOS_EXAMINEDATA, ...) */
struct ExamineData {
    struct MinNode EXDnode;
    uint32 EXDinfo;
    uint32 FSPrivate;
    uint32 Reserved0;
    APTR Reserved1;
    APTR Reserved2;
    uint32 StructSize;
    uint32 Type; /* ST_... value; test it with the EXD_IS_ macros */
    int64 FileSize; /* -1 for drawers */
    struct DateStamp Date;
    uint32 RefCount;
    uint64 ObjectID;
    STRPTR Name;
    uint32 NameSize;
    STRPTR Comment;
    uint32 CommentSize;
    STRPTR Link;
    uint32 LinkSize;
    uint32 Protection;
    uint32 OwnerUID;
    uint32 OwnerGID;
    uint32 Reserved3;
    uint32 Reserved4;
    uint32 Reserved5;
};

#define EXD_IS_FILE(exd) ((int32)(exd)->Type < 0 && (int32)(exd)->Type != ST_SOFTLINK)
#define EXD_IS_DIRECTORY(exd) ((int32)(exd)->Type > 0 && (int32)(exd)->Type != ST_SOFTLINK)
#define EXD_IS_LINK(exd) ((int32)(exd)->Type == ST_SOFTLINK || (int32)(exd)->Type == ST_LINKDIR || (int32)(exd)->Type == ST_LINKFILE)
#define EXD_IS_SOFTLINK(exd) ((int32)(exd)->Type == ST_SOFTLINK)

/* Error codes returned by IoErr() */
#define ERROR_NO_FREE_STORE 103
#define ERROR_TASK_TABLE_FULL 105
#define ERROR_BAD_TEMPLATE 114
#define ERROR_BAD_NUMBER 115
#define ERROR_REQUIRED_ARG_MISSING 116
#define ERROR_KEY_NEEDS_ARG 117
#define ERROR_TOO_MANY_ARGS 118
#define ERROR_LINE_TOO_LONG 120
#define ERROR_FILE_NOT_OBJECT 121
#define ERROR_INVALID_RESIDENT_LIBRARY 122
#define ERROR_NO_DEFAULT_DIR 201
#define ERROR_OBJECT_IN_USE 202
#define ERROR_OBJECT_EXISTS 203
#define ERROR_DIR_NOT_FOUND 204
#define ERROR_OBJECT_NOT_FOUND 205
#define ERROR_BAD_STREAM_NAME 206
#define ERROR_OBJECT_TOO_LARGE 207
#define ERROR_ACTION_NOT_KNOWN 209
#define ERROR_INVALID_COMPONENT_NAME 210
#define ERROR_INVALID_LOCK 211
#define ERROR_OBJECT_WRONG_TYPE 212
#define ERROR_DISK_NOT_VALIDATED 213
#define ERROR_DISK_WRITE_PROTECTED 214
#define ERROR_RENAME_ACROSS_DEVICES 215
#define ERROR_DIRECTORY_NOT_EMPTY 216
#define ERROR_TOO_MANY_LEVELS 217
#define ERROR_DEVICE_NOT_MOUNTED 218
#define ERROR_SEEK_ERROR 219
#define ERROR_COMMENT_TOO_BIG 220
#define ERROR_DISK_FULL 221
#define ERROR_DELETE_PROTECTED 222
#define ERROR_WRITE_PROTECTED 223
#define ERROR_READ_PROTECTED 224
#define ERROR_NOT_A_DOS_DISK 225
#define ERROR_NO_DISK 226
#define ERROR_NO_MORE_ENTRIES 232
#define ERROR_IS_SOFT_LINK 233
#define ERROR_OBJECT_LINKED 234
#define ERROR_BAD_HUNK 235
#define ERROR_NOT_IMPLEMENTED 236
#define ERROR_RECORD_NOT_LOCKED 240
#define ERROR_LOCK_COLLISION 241
#define ERROR_LOCK_TIMEOUT 242
#define ERROR_UNLOCK_ERROR 243

/* Return codes of a program */
#define RETURN_OK 0
#define RETURN_WARN 5
#define RETURN_ERROR 10
#define RETURN_FAIL 20

#define MAXFILENAME 107

#endif
