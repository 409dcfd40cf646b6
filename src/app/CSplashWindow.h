#pragma once
// The splash window: the program's picture, centred, for at most five
// seconds; a key or mouse-button press anywhere in the program hides it and
// still takes its normal effect.

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace orlu {

class CSplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 5000;

    /// Allows (or forbids) the splash to be shown.
    static void EnableSplashScreen(bool enable) { s_Enabled = enable; }
    /// Shows the splash once, centred on the parent (on the screen when null);
    /// nothing when it is not enabled or already shown.
    static void ShowSplashScreen(QWidget* parent);
    /// The splash on screen, or null.
    static CSplashWindow* SplashWindow() { return s_Window; }
    /// Hides and destroys the splash on screen.
    static void HideSplashScreen();

    /// The picture shown.
    static QPixmap SplashBitmap();

    const QTimer& Timer() const { return m_Timer; }
    ~CSplashWindow() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CSplashWindow(QWidget* parent);

    static inline CSplashWindow* s_Window = nullptr;
    static inline bool s_Enabled = false;
    QPixmap m_Bitmap;
    QTimer m_Timer;
};

} // namespace orlu
