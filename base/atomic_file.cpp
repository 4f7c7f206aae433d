#include "base/atomic_file.h"

#include <QSaveFile>

Result<void> writeFileAtomically(const QString &path,
                                 const std::function<Result<void>(QIODevice &)> &fill)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("Impossible d'écrire le fichier %1 : %2").arg(path, file.errorString()));
    if (auto filled = fill(file); !filled) {
        file.cancelWriting();
        return filled;
    }
    if (!file.commit())
        return fail(QStringLiteral("Impossible d'écrire le fichier %1 : %2").arg(path, file.errorString()));
    return {};
}

Result<void> writeFileAtomically(const QString &path, QByteArrayView data)
{
    return writeFileAtomically(path, [data](QIODevice &out) -> Result<void> {
        if (out.write(data.data(), data.size()) != data.size())
            return fail(QStringLiteral("Écriture incomplète : %1").arg(out.errorString()));
        return {};
    });
}
