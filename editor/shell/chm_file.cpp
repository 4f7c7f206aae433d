#include "editor/shell/chm_file.h"

#include <QFile>
#include <chm_lib.h>

namespace editor {

namespace {

// Help objects are small pages and pictures; anything larger is not a help page.
constexpr LONGUINT64 kLargestObject = 64u * 1024u * 1024u;

QByteArray objectName(const QString &objectPath)
{
    return (objectPath.startsWith(QLatin1Char('/')) ? objectPath : QLatin1Char('/') + objectPath)
        .toUtf8();
}

} // namespace

void ChmFile::Closer::operator()(chmFile *file) const
{
    chm_close(file);
}

ChmFile::~ChmFile() = default;

Result<ChmFile> ChmFile::open(const QString &path)
{
    chmFile *file = chm_open(QFile::encodeName(path).constData());
    if (!file)
        return fail(QStringLiteral("Fichier d'aide illisible : %1").arg(path));
    return ChmFile(file);
}

bool ChmFile::contains(const QString &objectPath) const
{
    chmUnitInfo info{};
    return chm_resolve_object(m_file.get(), objectName(objectPath).constData(), &info) ==
           CHM_RESOLVE_SUCCESS;
}

Result<QByteArray> ChmFile::read(const QString &objectPath) const
{
    chmUnitInfo info{};
    if (chm_resolve_object(m_file.get(), objectName(objectPath).constData(), &info) !=
        CHM_RESOLVE_SUCCESS)
        return fail(QStringLiteral("Page d'aide introuvable : %1").arg(objectPath));
    if (info.length > kLargestObject)
        return fail(QStringLiteral("Page d'aide trop grande : %1").arg(objectPath));
    QByteArray bytes(qsizetype(info.length), Qt::Uninitialized);
    const LONGINT64 got = chm_retrieve_object(
        m_file.get(), &info, reinterpret_cast<unsigned char *>(bytes.data()), 0, LONGINT64(info.length));
    if (got != LONGINT64(info.length))
        return fail(QStringLiteral("Page d'aide illisible : %1").arg(objectPath));
    return bytes;
}

} // namespace editor
