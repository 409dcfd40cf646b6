#include "app/canvas/GraphPagePrinter.h"

#include "app/canvas/QtPainterCanvas.h"
#include "presentation/view/PrintPages.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace orlu {

bool PrintGraphPage(QPagedPaintDevice& device, const std::string& fileName,
                    const std::function<void(Canvas&)>& paint)
{
    QtPainterCanvas canvas(device);
    if (!canvas.Painter().isActive())
        return false;
    paint(canvas);
    if (fileName.empty())
        return true;
    // The drawing rectangle grown by one unit on every side; the footer stands its font's height above its bottom.
    const int bottom = device.height() + 1;
    canvas.SelectFont({std::string(kFixedFace), kPrintTopMargin, 400});
    canvas.SetTextColour({0, 0, 0});
    canvas.SetBackgroundMode(BackgroundMode::Transparent);
    canvas.TextOut(0, bottom - kPrintTopMargin, GraphPageFooter(fileName));
    return true;
}

} // namespace orlu
