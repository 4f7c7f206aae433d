#include "documents/show/copy_whole_file.h"

#include "base/atomic_file.h"

#include <QFile>

namespace showdoc {

Result<void> CopyWholeFile(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Impossible de lire le fichier %1 : %2").arg(source, in.errorString()));
    return writeFileAtomically(target, [&in, &source](QIODevice &out) -> Result<void> {
        constexpr qint64 kBlock = 1 << 20;
        while (!in.atEnd()) {
            const QByteArray block = in.read(kBlock);
            if (block.isEmpty() && in.error() != QFileDevice::NoError)
                return fail(QStringLiteral("Impossible de lire le fichier %1 : %2").arg(source, in.errorString()));
            if (out.write(block) != block.size())
                return fail(QStringLiteral("Écriture impossible : %1").arg(out.errorString()));
        }
        return {};
    });
}

} // namespace showdoc
