#include "editor/show/show_progress.h"

#include <QCoreApplication>
#include <QProgressBar>

namespace editor {

namespace {

constexpr qint64 kPumpInterval = 15; // milliseconds, about one frame

} // namespace

ShowProgress::ShowProgress(QProgressBar *bar, int total) : m_bar(bar)
{
    setTotal(total);
    if (m_bar)
        m_bar->setValue(0);
    m_sincePump.start();
}

ShowProgress::~ShowProgress()
{
    if (m_bar)
        m_bar->setValue(0);
}

void ShowProgress::setTotal(int total)
{
    if (m_bar)
        m_bar->setRange(0, std::max(total, 1));
}

void ShowProgress::set(int done)
{
    if (m_bar)
        m_bar->setValue(std::min(done, m_bar->maximum()));
    pumpEvents();
}

void ShowProgress::step()
{
    set(m_bar ? m_bar->value() + 1 : 0);
}

void ShowProgress::pumpEvents()
{
    if (m_sincePump.elapsed() < kPumpInterval)
        return;
    QCoreApplication::processEvents();
    m_sincePump.restart();
}

} // namespace editor
