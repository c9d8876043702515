// The values of the text design: numbers, texts, byte strings, and the fields of the design records as text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "setup/designfield.h"

bool DESIGNVALUE_SameIgnoringCase(const std::string& a, const char* b);
std::string DESIGNVALUE_Lower(std::string text);
// Without the blanks and tabs at either end.
std::string DESIGNVALUE_Trim(const std::string& text);

// Decimal with an optional minus, or hexadecimal after 0x; false when it is not one or lies outside the range.
bool DESIGNVALUE_ParseNumber(const std::string& value, long long llMin, long long llMax, long long* pllValue);
// A text as it stands, or in double quotes with the escapes \\ \" \n \r \t \xHH.
bool DESIGNVALUE_ParseText(const std::string& value, std::string* pText, std::string* pError);
// The text as it stands, or quoted where blanks at its ends, a leading quote or control characters need it.
std::string DESIGNVALUE_QuoteText(const std::string& text);
// Hex digits, two a byte, blanks between them allowed; at most cbMax bytes.
bool DESIGNVALUE_ParseHex(const std::string& value, size_t cbMax, std::vector<uint8_t>* pBytes, std::string* pError);
// Two hex digits a byte; without the zero bytes at the end (which reading pads back) unless fKeepZeros.
std::string DESIGNVALUE_FormatHex(const uint8_t* p, size_t cb, bool fKeepZeros = false);

// Sets a record's field from its text; false with the reason. A short may be given by name where the field has
// names (a target's or a thing's type) and the drive letter as a letter.
bool DESIGNVALUE_ApplyField(const DESIGNFIELDS& fields,
                            const DESIGNFIELD& field,
                            void* pRecord,
                            const std::string& value,
                            std::string* pError);
std::string DESIGNVALUE_FormatField(const DESIGNFIELDS& fields, const DESIGNFIELD& field, const void* pRecord);
