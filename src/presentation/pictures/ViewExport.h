#pragma once
// File New and Save current view of the measurement view: the form shown
// becomes a document of its own. The lines of a text, table, hex or ASCII
// form go to a text document; a graph becomes a bitmap (its screen pixels)
// or an enhanced metafile (the graph painted again onto a metafile canvas,
// which the graph engine draws at five times the screen scale, its cursor
// once), as the user chooses. File New opens the document in a window; Save
// current view makes it hidden and saves it at once through Save As.

#include "document/AppContext.h"
#include "document/LineSource.h"
#include "platform/canvas/Canvas.h"
#include "platform/canvas/RgbImage.h"
#include "presentation/DocumentManager.h"
#include "presentation/pictures/PictureHandOver.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orlu {

/// The choice of "Created format choice".
enum class PictureFormat { None = 0, Bitmap = 1, Metafile = 2 };

/// A picture document from the hand-over: visible (counted as not saved,
/// asking when closed) or hidden (saved through Save As and closed at once).
/// A picture no document took is dropped. The visible document, else null.
ManagedDocument* NewPictureDocument(DocumentManager& documents, AppContext& context, PictureHandOver& handOver,
                                    int templateId, bool hidden);

/// What a view gives to be turned into a picture.
struct GraphPictureSource {
    /// Paints the graph form onto a canvas (the metafile recording).
    std::function<void(Canvas&)> paint;
    /// The graph's pixels as the screen shows them; nothing when it cannot be had.
    std::function<std::optional<RgbImage>()> capture;
    /// Measures text as the screen does, for the metafile; null: fixed measures.
    const FontMeasure* measure = nullptr;
};

/// The picture of the chosen format for the hand-over; false when nothing was made.
bool MakeGraphPicture(PictureFormat format, const GraphPictureSource& source, PictureHandOver& handOver);

/// The graph of a view as a picture document: nothing for PictureFormat::None.
ManagedDocument* ExportGraphPicture(PictureFormat format, bool hidden, const GraphPictureSource& source,
                                    DocumentManager& documents, AppContext& context, PictureHandOver& handOver);

/// A form's lines as a written text file: UTF-8, every line ending in CR LF.
std::vector<std::uint8_t> EncodeFormLines(const LineSource& lines);

} // namespace orlu
