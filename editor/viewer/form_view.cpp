#include "editor/viewer/form_view.h"

#include "editor/viewer/viewer_picture.h"
#include "editor/shell/core/editor_settings.h"
#include "ui/messages.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

namespace editor {

namespace {

// The pictures are fitted to the main screen.
QSize mainScreenSize()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

} // namespace

QtShowTimer::QtShowTimer()
{
    m_timer.setInterval(5000);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (timeout)
            timeout();
    });
}

void QtShowTimer::start(int intervalMs)
{
    if (intervalMs <= 0)
        return; // an interval of 0 stays silent
    m_timer.start(intervalMs);
}

TFormView::TFormView(const GridList &list, ViewerMode mode, const EditorSettings &settings, QWidget *parent)
    : QDialog(parent, Qt::FramelessWindowHint), m_settings(settings), ImageScreen(new QLabel(this)),
      m_pictures(mainScreenSize(), settings.FilterOk), m_session(list, mode, m_pictures, *this, TimerLumivelle)
{
    setObjectName(QStringLiteral("TFormView"));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    ImageScreen->setObjectName(QStringLiteral("ImageScreen"));
    ImageScreen->installEventFilter(this);
    ImageScreen->hide();
}

TFormView::~TFormView()
{
    TimerLumivelle.stop();
}

bool TFormView::prepare()
{
    auto first = m_session.loadFirst();
    if (!first) {
        messages::error(first.error().message);
        return false;
    }
    showPicture(*first);
    return true;
}

void TFormView::run()
{
    setWindowState(Qt::WindowFullScreen);
    setGeometry(QGuiApplication::primaryScreen()->geometry());
    exec();
    setCursorHidden(false);
}

void TFormView::showOnScreen()
{
    setGeometry(QGuiApplication::primaryScreen()->geometry());
    showFullScreen();
}

void TFormView::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    placePicture();
    m_session.started(m_settings.UnitLumivelle);
}

void TFormView::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placePicture();
}

void TFormView::keyPressEvent(QKeyEvent *event)
{
    if (!m_session.keyPressed(event->key()))
        event->ignore();
}

void TFormView::mousePressEvent(QMouseEvent *)
{
    m_session.clicked();
}

bool TFormView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ImageScreen && event->type() == QEvent::MouseButtonPress) {
        m_session.clicked();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFormView::showPicture(const QImage &picture)
{
    ImageScreen->hide();
    ImageScreen->setPixmap(QPixmap::fromImage(picture));
    ImageScreen->resize(picture.size());
    placePicture();
    ImageScreen->show();
}

void TFormView::clearPicture()
{
    ImageScreen->clear();
    ImageScreen->hide();
}

void TFormView::closeViewer()
{
    TimerLumivelle.stop();
    done(QDialog::Accepted);
}

void TFormView::setCursorHidden(bool hidden)
{
    if (hidden)
        setCursor(Qt::BlankCursor);
    else
        unsetCursor();
}

void TFormView::placePicture()
{
    ImageScreen->move(screenPosition(size(), ImageScreen->size()));
}

} // namespace editor
