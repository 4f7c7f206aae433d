#include "editor/shell/core/command.h"

namespace editor {

Command::Command(const CommandInfo &info)
    : m_id(info.id),
      m_name(QString::fromLatin1(info.name)),
      m_caption(QString::fromUtf8(info.caption)),
      m_hint(QString::fromUtf8(info.hint)),
      m_shortcut(QKeySequence(QString::fromLatin1(info.keys), QKeySequence::PortableText))
{
}

void Command::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    emit changed();
}

void Command::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    emit changed();
}

void Command::setChecked(bool checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    emit changed();
}

void Command::execute()
{
    if (m_handler)
        m_handler();
}

CommandRegistry::CommandRegistry()
{
    for (const CommandInfo &info : allCommands())
        m_commands.push_back(std::make_unique<Command>(info));
    (*this)[CommandId::BackDir].setEnabled(false);
    (*this)[CommandId::NextDir].setEnabled(false);
}

} // namespace editor
