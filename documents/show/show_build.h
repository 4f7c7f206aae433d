#pragma once
// Building a show executable from a show: a copy of the player program Tolvarine.bin
// followed by the show payload, each slide's picture read from its file, made 24-bit and
// stored as a full-size JPEG at quality 90. The editor's "Créer le lumivelle" and
// `lumivelle-cli project build` both build through buildShowExecutable.
//
// Pictures: with one thread, each picture is read, encoded and written before the next
// is read. With two, the next picture is read and decoded on a worker while the current
// one is encoded, so at most two pictures are in memory; the file written is the same
// byte for byte. The caller's thread only writes, so a window stays responsive through
// the idle hook while it waits.
#include "documents/show/slide_entry.h"
#include "player/payload/show_payload_records.h"

#include <QString>
#include <expected>
#include <functional>

namespace showdoc {

inline const QString kPlayerFileName = QStringLiteral("Tolvarine.bin");

// The show executable of a project: its path with the extension replaced by ".exe".
QString executablePathFor(const QString &projectPath);
// The player stub beside a program, its symbolic links resolved first (the programs are
// installed together and linked from elsewhere).
QString playerBeside(const QString &programPath);

player::TShowHeader showHeaderFor(const ShowOptions &options);
player::TSlideRecord slideRecordFor(const TEnrData_S &entry);

enum class BuildError {
    NoSlides,      // the show has no slide
    PlayerMissing, // no player program at the given path
    CopyFailed,    // the player could not be copied to the executable
    WriteFailed,   // the payload could not be written
};

struct BuildFailure {
    BuildError error;
    QString detail; // the cause, for diagnostics
};

// The editor's message of a failure (the first one is an information, the others errors).
QString buildFailureMessage(BuildError error);

struct BuildReport {
    int pictures = 0; // slides written with their picture
    int empty = 0;    // slides whose picture could not be read: record with image size 0
    int missing = 0;  // slides whose file was missing: nothing written
    qint64 headerOffset = 0;
};

struct BuildHooks {
    int threads = 2;                        // 1, or 2 to decode the next picture meanwhile
    std::function<void(int done)> progress; // before each slide, with its number (1 based)
    std::function<void()> idle;             // while waiting for a picture
};

std::expected<BuildReport, BuildFailure> buildShowExecutable(const ShowProject &project, const QString &playerPath,
                                                              const QString &executablePath,
                                                              const BuildHooks &hooks = {});

} // namespace showdoc
