// Where a clock's printed lists hold their values: the title that names the list, the end marker
// of the pigeons, the test that tells a pigeon line, and the fixed texts of empty fields.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "capture_text.h"

namespace kvt {

enum class ListKind { Basketing, Checking, Archive };

// The type letter of a list, which also starts the header line and the output file's name.
char typeLetter(ListKind kind);

// The list whose title stands on line 1, cols 21-50 (trimmed, compared exactly), if any.
bool titleNames(const CaptureText& capture, ListKind kind);

// cols 20-59, trimmed and upper-cased, read "LISTA HASTA QUE AFILACION".
bool isEndMarker(std::string_view line);

// Column 2, trimmed and upper-cased, is one of the digits 1 to 9.
bool hasPigeonDigit(std::string_view line);

// An identification field of the head: cols first..last, trimmed and zero-filled to 10.
std::string identField(std::string_view line, std::size_t first, std::size_t last);

// The first line that may hold a pigeon: the head of a basketing or checking list is 21 lines,
// that of an archive list 14.
std::size_t firstPigeonLine(ListKind kind);

inline constexpr std::string_view kEmptyDateTime = "00.00.00 00:00:00";
inline constexpr std::string_view kEmptyValor4 = " 000";
inline constexpr std::string_view kWrongListMessage = "El Tipo de Listado es Incorrecto";

}  // namespace kvt
