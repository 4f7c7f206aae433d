#pragma once
// The back and forward folder histories of the explorer: newest first, without a size
// limit, kept until exit. Every change tells the window, which enables "Dossier
// précédent" exactly when the back list is not empty and "Dossier suivant" likewise.
#include <QObject>
#include <QStringList>

namespace editor {

class FolderHistories : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const QStringList &back() const { return m_back; }
    const QStringList &forward() const { return m_forward; }

    void pushBack(const QString &folder) { m_back.prepend(folder); emit changed(); }
    void pushForward(const QString &folder) { m_forward.prepend(folder); emit changed(); }
    void removeBack(const QString &folder) { m_back.removeOne(folder); emit changed(); }
    void removeForward(const QString &folder) { m_forward.removeOne(folder); emit changed(); }
    void clear() { m_back.clear(); m_forward.clear(); emit changed(); }

signals:
    void changed();

private:
    QStringList m_back;
    QStringList m_forward;
};

} // namespace editor
