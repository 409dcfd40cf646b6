// Fuzz target of the metafile player: the bytes are checked as a metafile and,
// when accepted, played onto a recording canvas into the picture's own area
// and into a small fixed rectangle. Playing must leave the canvas's state as
// it found it, whatever the records select, save or restore.

#include "platform/canvas/EmfPlayer.h"
#include "platform/canvas/RecordingCanvas.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace orlu;
    EmfPlayer player;
    if (!player.Load(std::span<const std::uint8_t>(data, size)))
        return 0;
    for (const CanvasRect& dest : {player.PictureRect(), CanvasRect{10, 20, 110, 70}}) {
        RecordingCanvas canvas;
        const std::string changed = CheckStateBalance(canvas, [&](Canvas& c) { player.Play(c, dest); });
        if (!changed.empty())
            std::abort();
    }
    return 0;
}
