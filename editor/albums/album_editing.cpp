#include "editor/albums/album_editing.h"

#include "documents/album/album_search.h"
#include "editor/albums/album_images.h"

#include <QDir>
#include <QFileInfo>

namespace editor {

using album::AlbumField;

QString originFolderText(const QString &imagePath)
{
    return album::foldAZ(withTrailingSeparator(QFileInfo(imagePath).path()));
}

AlbumPanelContents panelContents(const AlbumImages &images)
{
    AlbumPanelContents contents;
    const int current = images.state().currentIndex;
    contents.enabled = images.selectedCount() >= 1 && !images.isEmpty() && current < images.count();
    if (!contents.enabled || current < 0)
        return contents;
    const album::TEnrData_C &entry = images.albumEntry(current);
    contents.origine = originFolderText(images.path(current));
    contents.dim = QStringLiteral("%1 x %2").arg(entry.width).arg(entry.height);
    contents.taille = QStringLiteral("%1 ko").arg(entry.fileSize / 1000);
    contents.texts = entry;
    contents.texts.thumbnail = QImage();
    return contents;
}

bool writeFieldToSelection(AlbumImages &images, AlbumField field, const QString &text)
{
    if (images.isEmpty() || images.selectedCount() == 0 || images.state().currentIndex < 0)
        return false;
    if (field == AlbumField::Place && images.state().busy)
        return false;
    for (int i : images.selectedIndexes())
        images.albumEntry(i).text(field) = text;
    return true;
}

void copyFieldsToAll(AlbumImages &images, const album::TEnrData_C &source, const CopyChoice &choice)
{
    const std::pair<bool, AlbumField> copied[] = {{choice.place, AlbumField::Place},
                                                  {choice.date, AlbumField::Date},
                                                  {choice.camera, AlbumField::Camera},
                                                  {choice.comment, AlbumField::Comment},
                                                  {choice.keyword, AlbumField::Keyword}};
    for (int i = 0; i < images.count(); ++i)
        for (const auto &[checked, field] : copied)
            if (checked)
                images.albumEntry(i).text(field) = source.text(field);
}

int removeSelected(AlbumImages &images)
{
    int removed = 0;
    for (int i = images.count() - 1; i >= 0; --i) {
        if (images.albumEntry(i).selected) {
            images.items().removeAt(i);
            ++removed;
        }
    }
    return removed;
}


void moveSelectedTo(AlbumImages &images, const QString &folder)
{
    const QString base = withTrailingSeparator(folder);
    for (int i : images.selectedIndexes())
        images.items().setPath(i, base + QFileInfo(images.path(i)).fileName());
    if (images.currentIsValid())
        images.state().currentPath = images.path(images.state().currentIndex);
}

} // namespace editor
