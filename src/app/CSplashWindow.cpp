#include "app/CSplashWindow.h"

#include <QApplication>
#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace orlu {

CSplashWindow::CSplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_Bitmap(SplashBitmap())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    setFixedSize(m_Bitmap.size());
    QRect area = parent && parent->isVisible() ? parent->frameGeometry()
                                               : QApplication::primaryScreen()->availableGeometry();
    move(area.center() - rect().center());
    m_Timer.setSingleShot(true);
    m_Timer.setInterval(kShowMilliseconds);
    connect(&m_Timer, &QTimer::timeout, this, [] { HideSplashScreen(); });
    qApp->installEventFilter(this);
}

CSplashWindow::~CSplashWindow()
{
    if (s_Window == this)
        s_Window = nullptr;
}

void CSplashWindow::ShowSplashScreen(QWidget* parent)
{
    if (!s_Enabled || s_Window)
        return;
    s_Window = new CSplashWindow(parent);
    s_Window->show();
    s_Window->m_Timer.start();
    s_Window->update();
}

void CSplashWindow::HideSplashScreen()
{
    CSplashWindow* window = s_Window;
    if (!window)
        return;
    s_Window = nullptr; // a new splash may be shown at once
    qApp->removeEventFilter(window);
    window->m_Timer.stop();
    QWidget* owner = window->parentWidget();
    window->close(); // deletes it once control returns to the event loop
    if (owner)
        owner->update();
}

bool CSplashWindow::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        HideSplashScreen();
        break;
    default:
        break;
    }
    return false; // the press still reaches its window
}

void CSplashWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_Bitmap);
}

QPixmap CSplashWindow::SplashBitmap()
{
    QPixmap bitmap(420, 240);
    QPainter p(&bitmap);
    QLinearGradient sky(0, 0, 0, bitmap.height());
    sky.setColorAt(0, QColor(16, 40, 96));
    sky.setColorAt(1, QColor(40, 110, 170));
    p.fillRect(bitmap.rect(), sky);
    // A level trace across the picture.
    p.setPen(QPen(QColor(250, 210, 60), 2));
    QPointF last(0, 190);
    for (int x = 6; x <= bitmap.width(); x += 6) {
        QPointF next(x, 190 - 30 * std::abs(std::sin(x / 23.0)) - (x % 36 == 0 ? 18 : 0));
        p.drawLine(last, next);
        last = next;
    }
    p.setPen(Qt::white);
    QFont title("Liberation Sans", 40, QFont::Bold);
    p.setFont(title);
    p.drawText(QRect(0, 30, bitmap.width(), 80), Qt::AlignCenter, "OrluPC");
    p.setFont(QFont("Liberation Sans", 11));
    p.drawText(QRect(0, 105, bitmap.width(), 30), Qt::AlignCenter, "ORLU and QERA sound and vibration meters");
    p.setPen(QColor(200, 220, 240));
    p.drawRect(bitmap.rect().adjusted(0, 0, -1, -1));
    return bitmap;
}

} // namespace orlu
