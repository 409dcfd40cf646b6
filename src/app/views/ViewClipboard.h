#pragma once
// What Copy puts on the system clipboard. Text goes as text/plain in UTF-8,
// its lines ending in CR LF as the copy made them, with no NUL byte at its end.

#include <string_view>

class QImage;

namespace orlu {

/// The program's Windows-1252 text on the clipboard.
void PutTextOnClipboard(std::string_view text);
/// A picture on the clipboard (offered as PNG and BMP by Qt).
void PutImageOnClipboard(const QImage& image);

} // namespace orlu
