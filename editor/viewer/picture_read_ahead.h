#pragma once
// Where the viewer gets its pictures: each one read from its file when it is shown, with
// at most one more read ahead on a worker thread so that stepping feels instant.
//
// take() hands over the picture read ahead when it is for the same file and the file has
// not changed since (same size and modification time); otherwise it reads the file on the
// spot. prefetch() starts reading the next picture unless a read is still running. Only
// fitted pictures are kept: the full picture lives only while it is scaled.
#include "base/result.h"

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <future>
#include <memory>

namespace editor {

class PictureSource {
public:
    virtual ~PictureSource() = default;
    virtual Result<QImage> take(const QString &path) = 0;
    virtual void prefetch(const QString &path) = 0;
};

class PictureReadAhead final : public PictureSource {
public:
    PictureReadAhead(QSize screen, bool filterOk);
    ~PictureReadAhead() override;

    Result<QImage> take(const QString &path) override;
    void prefetch(const QString &path) override;
    // The file whose picture is read ahead (empty when none).
    QString pendingPath() const { return m_job ? m_job->path : QString(); }

private:
    struct FileStamp {
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const FileStamp &) const = default;
    };
    struct Job {
        QString path;
        FileStamp stamp;
        std::shared_future<Result<QImage>> result;
    };
    static FileStamp stampOf(const QString &path);

    QSize m_screen;
    bool m_filterOk;
    QThreadPool m_pool; // one thread: at most one picture is read ahead
    std::unique_ptr<Job> m_job;
};

} // namespace editor
