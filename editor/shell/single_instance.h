#pragma once
// One running editor per user. The first process listens on a local socket named after
// the main window's class, TMainLumivelle3000, and the user; a second process finds it,
// tells the user, asks it to come to the front and ends.
#include <QObject>
#include <QString>

class QLocalServer;

namespace editor {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString serverName = defaultServerName(), QObject *parent = nullptr);
    ~SingleInstance() override;

    static QString defaultServerName();
    static inline const QString kAlreadyRunningMessage = QStringLiteral(
        "Le programme LUMIVELLE est déjà ouvert,\nil ne peut y avoir qu'une instance ouverte "
        "simultanément.");

    // True when another process holds the name and answers.
    bool otherInstanceRunning() const;
    // Asks the running process to bring its window to the front.
    bool activateOtherInstance() const;
    // Takes the name for this process; a name left by a process that died is taken over.
    bool listen();

signals:
    // Another process asked this one to come to the front.
    void activationRequested();

private:
    void readRequest();

    QString m_name;
    QLocalServer *m_server = nullptr;
};

} // namespace editor
