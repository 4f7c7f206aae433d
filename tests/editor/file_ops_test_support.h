#pragma once
// What the file-command tests share: the trash of a private home folder (nothing reaches
// the real one), scripted answers for the explorer's dialogs, and small picture files.
#include "tests/editor/scripted_explorer_dialogs.h"
#include "imaging/jpeg_codec.h"
#include "explorer_test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace fileops_test {

// HOME and XDG_DATA_HOME point to a temporary folder for the whole run, so files sent to
// the trash land in <it>/Trash/files.
class PrivateTrash : public ::testing::Environment {
public:
    void SetUp() override
    {
        qputenv("HOME", home().path().toUtf8());
        qputenv("XDG_DATA_HOME", home().path().toUtf8());
    }
    static QTemporaryDir &home()
    {
        static QTemporaryDir dir;
        return dir;
    }
    static QStringList trashedNames()
    {
        return QDir(home().filePath(QStringLiteral("Trash/files"))).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }
};
inline ::testing::Environment *const kPrivateTrash = ::testing::AddGlobalTestEnvironment(new PrivateTrash);

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A plain picture of one colour, in the format the name's extension says.
inline void writePicture(const QString &path, int width, int height, QColor colour = Qt::darkCyan)
{
    QImage picture(width, height, QImage::Format_BGR888);
    picture.fill(colour);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"jpg" || suffix == u"jpeg")
        ASSERT_TRUE(imaging::saveJpegFile(picture, path, 90)) << path.toStdString();
    else
        ASSERT_TRUE(picture.save(path)) << path.toStdString();
}

} // namespace fileops_test
