#pragma once
// What the image tool tests share: numbered test pictures, files written and read back,
// and a limit on the size of written files that makes every write past it fail half-way,
// as on a full disk (for any user, root included).
#include "imaging/readers/picture_loader.h"
#include "imaging/tools/picture_files.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace tools_test {

// Every pixel different: blue = x, green = y, red = a mix of both.
inline QImage numbered(int w, int h)
{
    QImage picture(w, h, QImage::Format_BGR888);
    for (int y = 0; y < h; ++y) {
        uchar *line = picture.scanLine(y);
        for (int x = 0; x < w; ++x) {
            line[3 * x] = uchar(x * 3);
            line[3 * x + 1] = uchar(y * 5);
            line[3 * x + 2] = uchar(x * 7 + y * 3);
        }
    }
    return picture;
}

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline void writeBmp(const QString &path, const QImage &picture)
{
    writeAll(path, *imagetools::encodeBmp24(picture));
}

inline QImage loaded(const QString &path)
{
    auto picture = imaging::LoadPicture(path);
    return picture ? picture->image.convertToFormat(QImage::Format_BGR888) : QImage();
}

// The names in a folder, sorted.
inline QStringList names(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// While it lives, writing a file past `bytes` fails (EFBIG) instead of ending the program.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

} // namespace tools_test
