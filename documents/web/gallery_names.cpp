#include "documents/web/gallery_names.h"

#include "base/path_identity.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace webgallery {

namespace {

// A path as the file system resolves it, so that a folder reached through a link is
// still recognised as the photos' folder.
QString resolvedPath(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return QDir::cleanPath(canonical.isEmpty() ? info.absoluteFilePath() : canonical);
}

class NameBook {
public:
    NameBook(const QStringList &sources, const QString &folder, const QStringList &pages)
        : m_folder(resolvedPath(folder))
    {
        for (const QString &source : sources)
            m_sources.insert(pathKey(resolvedPath(source)));
        for (const QString &page : pages)
            m_taken.insert(pathKey(page));
    }

    PictureNames take(const QString &source)
    {
        const QString stem = QFileInfo(source).completeBaseName();
        for (int n = 1;; ++n) {
            const QString image = n == 1 ? stem + QStringLiteral(".jpg") : QStringLiteral("%1_%2.jpg").arg(stem).arg(n);
            const PictureNames names{image, QStringLiteral("s_") + image};
            if (isFree(names.image) && isFree(names.thumbnail)) {
                m_taken.insert(pathKey(names.image));
                m_taken.insert(pathKey(names.thumbnail));
                return names;
            }
        }
    }

private:
    bool isFree(const QString &name) const
    {
        return !m_taken.contains(pathKey(name)) && !m_sources.contains(pathKey(QDir::cleanPath(m_folder + QLatin1Char('/') + name)));
    }

    QString m_folder;
    QSet<QString> m_sources;
    QSet<QString> m_taken;
};

} // namespace

std::vector<PictureNames> assignPictureNames(const QStringList &sources, const QString &folder,
                                             const QStringList &pages)
{
    NameBook book(sources, folder, pages);
    std::vector<PictureNames> names;
    names.reserve(std::size_t(sources.size()));
    for (const QString &source : sources)
        names.push_back(book.take(source));
    return names;
}

} // namespace webgallery
