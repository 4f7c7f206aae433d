#include "editor/show/test_sound.h"

#include "ui/media_sound.h"

namespace editor {

ui::MediaSound *MediaTestSound::sound()
{
    if (!m_sound) {
        m_sound = new ui::MediaSound(this);
        connect(m_sound, &ui::MediaSound::ended, this, &TestSound::notify);
    }
    return m_sound;
}

void MediaTestSound::open(const QString &path)
{
    sound()->play(path);
}

void MediaTestSound::playFromStart()
{
    sound()->playFromStart();
}

bool MediaTestSound::isOpen() const
{
    return m_sound && m_sound->isOpen();
}

bool MediaTestSound::isStopped() const
{
    return !m_sound || m_sound->isStopped();
}

void MediaTestSound::close()
{
    if (m_sound)
        m_sound->close();
}

} // namespace editor
