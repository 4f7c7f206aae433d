#include "editor/explorer/picture_file_reader.h"

#include <QBuffer>
#include <QImageReader>

namespace editor {

// Until the format readers are linked in, the toolkit's own decoders read what they can.
bool isKnownImageExtension(const QString &suffix)
{
    static const QStringList known = {"bmp", "ico", "wmf", "emf", "jpg", "jpeg", "rle", "dib", "win",
                                      "vst", "vda", "tga", "icb", "tiff", "tif", "fax", "pcx", "pcc",
                                      "scr", "rpf", "rla", "sgi", "rgba", "rgb", "bw", "psd", "pdd",
                                      "ppm", "pgm", "pbm", "cel", "pic", "pcd", "gif", "cut", "psp", "png"};
    return known.contains(suffix, Qt::CaseInsensitive);
}

QImage readPictureFile(const QString &, const QByteArray &data)
{
    QByteArray copy = data;
    QBuffer buffer(&copy);
    QImageReader reader(&buffer);
    return reader.read();
}

} // namespace editor
