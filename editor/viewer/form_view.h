#pragma once
// TFormView: the borderless black window over the whole screen that shows one image
// (ImageScreen) for the viewer and the instant show. It is created for one use, opened
// modally and destroyed after; what it does is in ViewerSession.
#include "editor/viewer/picture_read_ahead.h"
#include "editor/viewer/viewer_session.h"

#include <QDialog>
#include <QTimer>

class QLabel;

namespace editor {

class GridList;
struct EditorSettings;

// The instant show's timer TimerLumivelle on a QTimer.
class QtShowTimer final : public ShowTimer {
public:
    QtShowTimer();
    void start(int intervalMs) override;
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

class TFormView : public QDialog, private ViewerScreen {
    Q_OBJECT
public:
    TFormView(const GridList &list, ViewerMode mode, const EditorSettings &settings, QWidget *parent = nullptr);
    ~TFormView() override;

    // Reads the first picture; when it cannot be read, shows the reader's message in an
    // error box and returns false: the window must not open.
    bool prepare();
    // Covers the screen and waits until the window closes.
    void run();
    // Covers the screen without waiting (tests).
    void showOnScreen();

    ViewerSession &session() { return m_session; }
    QLabel *imageScreen() const { return ImageScreen; }
    ShowTimer &timer() { return TimerLumivelle; }

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPicture(const QImage &picture) override;
    void clearPicture() override;
    void closeViewer() override;
    void setCursorHidden(bool hidden) override;
    void placePicture();

    const EditorSettings &m_settings;
    QLabel *ImageScreen;
    QtShowTimer TimerLumivelle;
    PictureReadAhead m_pictures;
    ViewerSession m_session;
    bool m_started = false;
};

} // namespace editor
