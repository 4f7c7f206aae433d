#include "documents/show/slide_entry.h"

#include "imaging/scan/picture_loading.h"

#include <QFileInfo>
#include <limits>

namespace showdoc {

void FillSlideEntry(TEnrData_S &entry, const QString &path, bool filterOk)
{
    entry.selected = false;
    if (auto read = editor::loadThumbnailEntry(path, filterOk)) {
        entry.width = read->width;
        entry.height = read->height;
        entry.fileSize = read->fileSize;
        entry.thumbnail = std::move(read->thumbnail);
        return;
    }
    entry.width = 0;
    entry.height = 0;
    entry.thumbnail = QImage();
    const QFileInfo file(path);
    const qint64 size = file.isFile() ? file.size() : 0;
    entry.fileSize = std::int32_t(std::min<qint64>(size, std::numeric_limits<std::int32_t>::max()));
}

void FillSlideEntry(TEnrData_S &entry, const editor::TEnrData &source)
{
    entry.width = source.width;
    entry.height = source.height;
    entry.fileSize = source.fileSize;
    entry.thumbnail = source.thumbnail;
    entry.selected = false;
}

} // namespace showdoc
