#pragma once

// The small text routines with which the editor fills dialog fields and lists
// and reads them back. Reals are written as a stream of the classic locale
// writes them by default (six significant digits, no trailing zeros).

#include <filesystem>

#include "foundation/char_string.h"
#include "foundation/seq.h"

namespace zavo {

// Each stores a new copy of the text in member.
void RealToString(charString& member, double value);
void IntToStringMember(charString& member, int value);
void StringToStringMember(charString& member, const char* text);

// "0.1", "1e-07", "3"; "-12".
charString RealToText(double value);
charString IntToText(int value);
// A new copy of the text (delete[] frees it); null for null.
char* TextCopy(const char* text);

// Appends a copy of the text as the last entry.
void AppendText(Seq<charString>& names, const char* text);

// Empties names, then appends the name of every entry of the folder except
// "." and "..", sorted by byte order so that lists are the same on every
// machine. 0 when the folder cannot be opened, else 1.
int LoadDirectoryList(const std::filesystem::path& folder, Seq<charString>& names);

}  // namespace zavo
