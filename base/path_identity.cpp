#include "base/path_identity.h"

#include <QDir>

namespace {

#ifdef Q_OS_WIN
constexpr bool kNamesIgnoreCase = true;
#else
constexpr bool kNamesIgnoreCase = false;
#endif

} // namespace

bool samePath(const QString &a, const QString &b)
{
    return a.compare(b, kNamesIgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
}

QString pathKey(const QString &path)
{
    return kNamesIgnoreCase ? path.toCaseFolded() : path;
}

QString withTrailingSeparator(const QString &folder)
{
    const QString native = QDir::toNativeSeparators(folder);
    return native.endsWith(QDir::separator()) ? native : native + QDir::separator();
}
