#pragma once
// A named command of the main window: caption, hint, shortcut, enabled flag and handler.
// Menu items and toolbar buttons are views of a command; the areas of the editor connect
// their handlers with setHandler when they are built.
#include "editor/shell/core/command_catalogue.h"

#include <QKeySequence>
#include <QObject>
#include <QString>
#include <vector>
#include <functional>
#include <memory>

namespace editor {

class Command : public QObject {
    Q_OBJECT
public:
    explicit Command(const CommandInfo &info);

    CommandId id() const { return m_id; }
    QString name() const { return m_name; }
    QString caption() const { return m_caption; }
    QString hint() const { return m_hint; }
    QKeySequence shortcut() const { return m_shortcut; }
    bool isEnabled() const { return m_enabled; }
    bool isChecked() const { return m_checked; }
    bool isConnected() const { return bool(m_handler); }

    void setCaption(const QString &caption);
    void setEnabled(bool enabled);
    void setChecked(bool checked);
    void setHandler(std::function<void()> handler) { m_handler = std::move(handler); }

    // Runs the handler whatever the enabled flag (toolbar buttons, F4); the handler checks
    // its own conditions. Does nothing while no handler is connected.
    void execute();

signals:
    void changed();

private:
    CommandId m_id;
    QString m_name;
    QString m_caption;
    QString m_hint;
    QKeySequence m_shortcut;
    bool m_enabled = true;
    bool m_checked = false;
    std::function<void()> m_handler;
};

// Every command, created enabled except BackDir and NextDir, which follow their histories.
class CommandRegistry {
public:
    CommandRegistry();
    Command &operator[](CommandId id) { return *m_commands[std::size_t(id)]; }
    const Command &operator[](CommandId id) const { return *m_commands[std::size_t(id)]; }
    std::size_t size() const { return m_commands.size(); }

private:
    std::vector<std::unique_ptr<Command>> m_commands;
};

} // namespace editor
