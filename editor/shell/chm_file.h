#pragma once
// Read access to the pages of a compiled HTML help file, through chmlib.
#include "base/result.h"

#include <QByteArray>
#include <QString>
#include <memory>

struct chmFile;

namespace editor {

class ChmFile {
public:
    static Result<ChmFile> open(const QString &path);
    ChmFile(ChmFile &&) noexcept = default;
    ChmFile &operator=(ChmFile &&) noexcept = default;
    ~ChmFile();

    // The bytes of an object inside the file, named from its root ("/home.htm").
    Result<QByteArray> read(const QString &objectPath) const;
    bool contains(const QString &objectPath) const;

private:
    struct Closer {
        void operator()(chmFile *file) const;
    };
    explicit ChmFile(chmFile *file) : m_file(file) {}
    std::unique_ptr<chmFile, Closer> m_file;
};

} // namespace editor
