#pragma once
// Converting pictures of any readable format to JPEG files in a folder: the target of each
// file and the work on one file. The conversion dialog and lumivelle-cli's convert-jpeg
// share these rules.
#include "imaging/tools/batch_reader.h"

#include <QString>
#include <QStringList>

namespace imagetools {

// The folder and the name of `source` with its extension replaced by ".jpg". A name whose
// extension already is "jpg" in some letter case keeps it as it is, so that a JPEG file
// converted into its own folder is the file itself (as where names ignore case), not a
// second file beside it.
QString convertTargetPath(const QString &source, const QString &folder);

enum class ConvertStatus { Written, Unreadable, WriteFailed };

struct ConvertResult {
    ConvertStatus status = ConvertStatus::Unreadable;
    QString target;
    QString failure;
};

// The batch: the sources in order, read ahead when `readAhead` (see BatchReader), each
// encoded at `quality` (1..100) and written to its target.
class ConvertBatch {
public:
    ConvertBatch(QStringList sources, const QString &folder, int quality, bool readAhead);
    int count() const { return int(m_sources.size()); }
    const QString &source(int index) const { return m_sources[index]; }
    const QString &target(int index) const { return m_targets[index]; }
    const BatchReader &reader() const { return m_reader; }
    // Converts item `index`; items go in increasing order and may be left out.
    ConvertResult run(int index);

private:
    QStringList m_sources;
    QStringList m_targets;
    int m_quality;
    BatchReader m_reader;
};

} // namespace imagetools
