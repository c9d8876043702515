// The plain fields of the design records, in file order: one table per record, so the reader, the compiler's
// writer and its text form all follow the same layout. Portable code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "toolkit/hfile.h"

enum DESIGNFIELD_KIND {
    DESIGNFIELD_SHORT,    // int16_t
    DESIGNFIELD_LONG,     // int32_t
    DESIGNFIELD_DWORD,    // uint32_t
    DESIGNFIELD_STRING,   // counted string into char[cb]
    DESIGNFIELD_RAW,      // cb bytes as they are
    DESIGNFIELD_FONT,     // the font record (DESIGNFONT)
    DESIGNFIELD_MESSAGE,  // counted string of capacity cb into an allocated copy (char*)
};

struct DESIGNFIELD {
    DESIGNFIELD_KIND kind;
    size_t offset;
    uint32_t cb;           // string capacity or raw size
    const char* szMember;  // the member's name, quoted by the read's report
    const char* szKey;     // the key of the text form
};

struct DESIGNFIELDS {
    const DESIGNFIELD* pFields;
    size_t nFields;
};

extern const DESIGNFIELDS EXEOBJ_FIELDS;
extern const DESIGNFIELDS TARGET_FIELDS;
extern const DESIGNFIELDS COLLOBJ_FIELDS;  // after the record size
extern const DESIGNFIELDS DISKOBJ_FIELDS;  // after the record size
extern const DESIGNFIELDS THINGCOL_FIELDS;
extern const DESIGNFIELDS THING_FIELDS;
extern const DESIGNFIELDS FILETYPE_FIELDS;
extern const DESIGNFIELDS ICONSTRUCT_FIELDS;
extern const DESIGNFIELDS DIR_FIELDS;
extern const DESIGNFIELDS DLGBOXES_FIELDS;  // before the boxes
extern const DESIGNFIELDS DLGBOX_FIELDS;

// A field's value, through its offset in the record.
template <typename T>
T DESIGNFIELD_Get(const void* pRecord, const DESIGNFIELD& field) {
    T value;
    memcpy(&value, static_cast<const char*>(pRecord) + field.offset, sizeof(value));
    return value;
}
template <typename T>
void DESIGNFIELD_Set(void* pRecord, const DESIGNFIELD& field, T value) {
    memcpy(static_cast<char*>(pRecord) + field.offset, &value, sizeof(value));
}

// Reads the fields into the record in order; at the first failing read, reports it as the read of that member
// ("HFILE_ReadShort(hFile,&pSelf->bMouse)") and returns 0.
int DESIGNFIELD_Read(HFILE hFile, void* pRecord, const DESIGNFIELDS& fields);
