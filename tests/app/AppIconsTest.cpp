// The toolbar's pictures: the desktop theme's standard icons where it has
// them, drawn pictures otherwise; the screenshots are written into the build
// folder to be looked at.

#include "AppFixture.h"

#include "app/AppIcons.h"
#include "presentation/CommandTable.h"

#include <QPainter>
#include <QToolBar>

namespace orlu::test {
namespace {

using AppIcons = AppFixture;

QImage Picture(const QIcon& icon, int size = 24) { return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32); }

std::vector<int> ToolbarButtons()
{
    std::vector<int> ids;
    for (int id : ToolbarCommands())
        if (id != 0)
            ids.push_back(id);
    return ids;
}

TEST_F(AppIcons, EveryToolbarButtonHasADrawnPictureOfItsOwn)
{
    const std::vector<int> ids = ToolbarButtons();
    std::vector<QImage> pictures;
    for (int id : ids) {
        SCOPED_TRACE(id);
        QImage picture = Picture(DrawnCommandIcon(id));
        ASSERT_FALSE(picture.isNull());
        // Enough ink to be seen, and not a filled square.
        int opaque = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                opaque += qAlpha(picture.pixel(x, y)) > 128;
        EXPECT_GT(opaque, 24 * 24 / 10);
        EXPECT_LT(opaque, 24 * 24);
        for (std::size_t i = 0; i < pictures.size(); ++i)
            EXPECT_NE(picture, pictures[i]) << "same picture as " << ids[i];
        pictures.push_back(picture);
        // Drawn at every toolbar size, not scaled from one pixmap.
        EXPECT_EQ(DrawnCommandIcon(id).availableSizes().size(), 6);
    }
    EXPECT_TRUE(DrawnCommandIcon(kIdAppExit).isNull()); // not on the toolbar

    // The screenshots: the toolbar as it shows, and the drawn pictures large.
    ASSERT_TRUE(Start());
    m_App->OpenDocumentFile(MakeFile("a.orl"));
    Frame().resize(1000, 400);
    QApplication::processEvents();
    EXPECT_TRUE(Frame().ToolBar()->grab().save(QString(ORLU_BINARY_DIR) + "/orlupc-toolbar.png"));
    QImage sheet(static_cast<int>(ids.size()) * 56, 56, QImage::Format_ARGB32);
    sheet.fill(QColor(236, 236, 236));
    QPainter p(&sheet);
    for (std::size_t i = 0; i < ids.size(); ++i)
        p.drawPixmap(static_cast<int>(i) * 56 + 4, 4, DrawnCommandIcon(ids[i]).pixmap(48, 48));
    p.end();
    EXPECT_TRUE(sheet.save(QString(ORLU_BINARY_DIR) + "/orlupc-toolbar-drawn.png"));
}

TEST_F(AppIcons, StandardCommandsTakeTheThemesIconAndFallBackToTheDrawnOne)
{
    // A theme with a printer only, a plain magenta square.
    const std::filesystem::path theme = m_Dir / "icons" / "orlutest";
    std::filesystem::create_directories(theme / "24x24" / "actions");
    std::ofstream(theme / "index.theme") << "[Icon Theme]\nName=orlutest\nDirectories=24x24/actions\n\n"
                                            "[24x24/actions]\nSize=24\nType=Fixed\n";
    QImage magenta(24, 24, QImage::Format_ARGB32);
    magenta.fill(Qt::magenta);
    ASSERT_TRUE(magenta.save(QString::fromStdString((theme / "24x24" / "actions" / "document-print.png").string())));

    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QString themeName = QIcon::themeName();
    QIcon::setThemeSearchPaths({QString::fromStdString((m_Dir / "icons").string())});
    QIcon::setThemeName("orlutest");
    struct Case {
        int id;
        bool fromTheme;
    };
    for (Case c : {Case{kIdFilePrint, true}, Case{kIdEditCut, false}, Case{32801, false}}) {
        SCOPED_TRACE(c.id);
        QImage picture = Picture(CommandIcon(c.id));
        EXPECT_EQ(picture.pixelColor(12, 12) == QColor(Qt::magenta), c.fromTheme);
        if (!c.fromTheme) {
            EXPECT_EQ(picture, Picture(DrawnCommandIcon(c.id)));
        }
    }
    QIcon::setThemeName(themeName);
    QIcon::setThemeSearchPaths(searchPaths);
}

} // namespace
} // namespace orlu::test
