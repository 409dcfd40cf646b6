#pragma once
// The program builds its texts as Windows-1252 bytes (column widths count
// bytes: "Pa\xB2s" is four characters). Everything that leaves the program
// is UTF-8; text read back is UTF-8, or Windows-1252 when it is not valid UTF-8.

#include <string>
#include <string_view>

namespace orlu {

/// Windows-1252 bytes to UTF-8. The five bytes the code page leaves
/// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD.
std::string Cp1252ToUtf8(std::string_view text);

/// UTF-8 to Windows-1252; characters the code page cannot hold become '?'.
std::string Utf8ToCp1252(std::string_view text);

/// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

/// Windows-1252 bytes to UTF-16 (for metafile text); undefined bytes become U+FFFD.
std::u16string Cp1252ToUtf16(std::string_view text);

/// UTF-16 to Windows-1252; characters the code page cannot hold become '?'.
std::string Utf16ToCp1252(std::u16string_view text);

/// A text file's contents as the program's Windows-1252 text.
std::string TextFileToCp1252(std::string_view bytes);

} // namespace orlu
