#include "ui/lumivelle_application.h"

#include "ui/messages.h"

#include <exception>

namespace ui {

LumivelleApplication::LumivelleApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool LumivelleApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &failure) {
        messages::error(QString::fromUtf8(failure.what()));
    } catch (...) {
        messages::error(QStringLiteral("Erreur inattendue."));
    }
    return false;
}

void setProgramTitle(const QString &title)
{
    QCoreApplication::setApplicationName(title);
}

} // namespace ui
