#include "editor/viewer/viewer_session.h"

#include "editor/grid/grid_list.h"
#include "editor/viewer/picture_read_ahead.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"

#include <QFileInfo>
#include <limits>
#include <optional>

namespace editor {

namespace {

constexpr int kDefaultIntervalMs = 5000;

int wrapped(int index, int count)
{
    return index < 0 ? count - 1 : (index >= count ? 0 : index);
}

} // namespace

int instantShowInterval(int unitSeconds)
{
    if (unitSeconds <= 0 || unitSeconds > std::numeric_limits<int>::max() / 1000)
        return kDefaultIntervalMs;
    return unitSeconds * 1000;
}

ViewerSession::ViewerSession(const GridList &list, ViewerMode mode, PictureSource &pictures, ViewerScreen &screen,
                             ShowTimer &timer)
    : m_list(list), m_mode(mode), m_pictures(pictures), m_screen(screen), m_timer(timer)
{
    m_timer.timeout = [this] { tick(); };
}

Result<QImage> ViewerSession::loadFirst()
{
    const QString path = m_mode == ViewerMode::View ? m_list.state().currentPath
                                                    : (m_list.isEmpty() ? QString() : m_list.path(0));
    auto picture = m_pictures.take(path);
    if (picture)
        m_shownPath = path;
    return picture;
}

// The list's current index names the current file, except after a layout (no current
// index) or a drag (the index of the place the file left): the file shown is then looked
// up, so the arrows step from the image on the screen.
int ViewerSession::startIndex() const
{
    const GridListState &state = m_list.state();
    if (m_list.contains(state.currentIndex) && m_list.path(state.currentIndex) == state.currentPath)
        return state.currentIndex;
    for (int i = 0; i < m_list.count(); ++i)
        if (m_list.path(i) == state.currentPath)
            return i;
    return state.currentIndex;
}

void ViewerSession::started(int unitLumivelle)
{
    if (m_mode == ViewerMode::View) {
        m_index = startIndex();
        if (m_list.count() > 1)
            m_pictures.prefetch(m_list.path(wrapped(m_index + 1, m_list.count())));
        return;
    }
    m_screen.setCursorHidden(true);
    m_index = 1;
    m_interval = instantShowInterval(unitLumivelle);
    if (m_list.contains(m_index))
        m_pictures.prefetch(m_list.path(m_index));
    m_timer.start(m_interval);
}

bool ViewerSession::keyPressed(int key)
{
    if (key == Qt::Key_Escape || key == Qt::Key_F4) {
        m_timer.stop();
        m_screen.closeViewer();
        return true;
    }
    if (m_mode != ViewerMode::View)
        return false;
    if (key == Qt::Key_Left || key == Qt::Key_Down)
        step(-1);
    else if (key == Qt::Key_Up || key == Qt::Key_Right)
        step(+1);
    else
        return false;
    return true;
}

void ViewerSession::step(int direction)
{
    if (m_list.isEmpty())
        return;
    m_index = wrapped(m_index + direction, m_list.count());
    showAt(m_index, direction);
}

// The instant show pauses while it asks, and goes on from where it was on "Annuler".
void ViewerSession::clicked()
{
    if (m_mode == ViewerMode::View) {
        m_screen.closeViewer();
        return;
    }
    const bool running = m_timer.isActive();
    m_timer.stop();
    if (messages::confirm(kQuitInstantShow, messages::Buttons::YesCancel) == messages::Answer::Yes) {
        m_screen.closeViewer();
        return;
    }
    if (running)
        m_timer.start(m_interval);
}

void ViewerSession::tick()
{
    if (m_list.count() < m_index + 1) {
        m_timer.stop(); // the last image stays until the window is closed
        return;
    }
    if (!showAt(m_index, +1))
        return;
    m_index = wrapped(m_index + 1, m_list.count());
}

bool ViewerSession::showAt(int index, int direction)
{
    const QString path = m_list.path(index);
    if (!QFileInfo(path).isFile())
        return true; // skipped: the previous image stays
    std::optional<Result<QImage>> picture;
    {
        std::optional<ui::BusyCursor> hourglass;
        if (m_mode == ViewerMode::View)
            hourglass.emplace();
        picture = m_pictures.take(path);
    }
    if (!*picture) {
        readFailed();
        return false;
    }
    m_screen.showPicture(**picture);
    m_shownPath = path;
    if (m_list.count() > 1)
        m_pictures.prefetch(m_list.path(wrapped(index + direction, m_list.count())));
    return true;
}

void ViewerSession::readFailed()
{
    m_screen.setCursorHidden(false);
    messages::warning(kPictureReadError);
    m_timer.stop();
    m_screen.clearPicture();
    m_screen.closeViewer();
}

} // namespace editor
