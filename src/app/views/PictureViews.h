#pragma once
// The views of the picture documents: CTmView2 shows a metafile stretched
// into most of its window, CTmView4 a bitmap at its own size with scroll
// bars, grey beside and below it. File New of either makes a new document
// of the same picture.

#include "presentation/CommandTarget.h"
#include "presentation/pictures/BitmapDocument.h"
#include "presentation/pictures/MetafileDocument.h"
#include "presentation/pictures/PictureViewGeometry.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QWidget>

namespace orlu {

class PictureCommands;

class CTmView2 : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    CTmView2(MetafileDocument& document, PictureCommands& pictures, QWidget* parent = nullptr);
    /// The window as painted: white, the picture in MetafileScreenRect.
    QImage Picture() const;
    /// The zoom the picture is printed with, 1..16.
    std::uint8_t PrintZoom() const { return m_PrintZoom; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MetafileDocument& m_Document;
    PictureCommands& m_Pictures;
    std::uint8_t m_PrintZoom;
};

class CTmView4 : public QAbstractScrollArea, public CommandTarget {
    Q_OBJECT
public:
    CTmView4(BitmapDocument& document, PictureCommands& pictures, QWidget* parent = nullptr);
    const BitmapScroller& Scroller() const { return m_Scroller; }
    /// The zoom the picture is printed with, 1..16.
    std::uint8_t PrintZoom() const { return m_PrintZoom; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void UpdateBars();

    BitmapDocument& m_Document;
    PictureCommands& m_Pictures;
    BitmapScroller m_Scroller;
    QImage m_Image;
    bool m_Syncing = false;
    std::uint8_t m_PrintZoom;
};

} // namespace orlu
