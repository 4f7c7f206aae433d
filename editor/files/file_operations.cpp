#include "editor/files/file_operations.h"

#include "editor/files/operation_progress_dialog.h"
#include "base/atomic_file.h"
#include "ui/messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

namespace editor {

namespace {

constexpr qint64 kCopyBlock = 1 << 20;

QString quoted(const QString &text)
{
    return QStringLiteral("« %1 »").arg(text);
}

QString nameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

// The reason of a failed system call, in the words of our other messages.
QString systemReason(const std::error_code &error)
{
    switch (std::errc(error.value())) {
    case std::errc::no_such_file_or_directory: return QStringLiteral("le fichier n'existe pas.");
    case std::errc::permission_denied:
    case std::errc::operation_not_permitted: return QStringLiteral("accès refusé.");
    case std::errc::no_space_on_device: return QStringLiteral("le disque est plein.");
    case std::errc::read_only_file_system: return QStringLiteral("le disque est protégé en écriture.");
    case std::errc::file_exists:
    case std::errc::directory_not_empty: return QStringLiteral("la destination existe déjà.");
    default: return QStringLiteral("erreur système %1.").arg(error.value());
    }
}

std::filesystem::path fsPath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

bool sameFile(const QString &a, const QString &b)
{
    std::error_code error;
    return std::filesystem::equivalent(fsPath(a), fsPath(b), error) && !error;
}

bool existsOrLink(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// "Copie de a.jpg", then "Copie (2) de a.jpg"...: a copy pasted into its own folder.
QString duplicateTarget(const QString &folder, const QString &name)
{
    QString candidate = QDir(folder).filePath(QStringLiteral("Copie de ") + name);
    for (int n = 2; existsOrLink(candidate); ++n)
        candidate = QDir(folder).filePath(QStringLiteral("Copie (%1) de %2").arg(n).arg(name));
    return candidate;
}

enum class Outcome { Done, Skipped, Failed, Aborted };

// Holds the progress for the life of a question or a message.
class ProgressHeld {
public:
    explicit ProgressHeld(OperationProgress &progress) : m_progress(progress) { m_progress.hold(true); }
    ~ProgressHeld() { m_progress.hold(false); }
    ProgressHeld(const ProgressHeld &) = delete;
    ProgressHeld &operator=(const ProgressHeld &) = delete;

private:
    OperationProgress &m_progress;
};

// One copy or move over a list of files.
class Transfer {
public:
    Transfer(bool move, const QString &destination, OperationProgress &progress)
        : m_move(move), m_destination(destination), m_progress(progress) {}

    bool run(const QStringList &paths);

private:
    Outcome transferOne(const QString &source);
    std::optional<Outcome> resolveConflict(const QString &source, QString &target);
    Outcome copyContents(const QString &source, const QString &target);
    Outcome moveFile(const QString &source, const QString &target);
    Outcome fail(const QString &source, const QString &reason);

    bool m_move;
    QString m_destination;
    OperationProgress &m_progress;
    qint64 m_done = 0;
    bool m_replaceAll = false;
};

bool Transfer::run(const QStringList &paths)
{
    if (!QFileInfo(m_destination).isDir()) {
        messages::error(QStringLiteral("Le dossier de destination %1 n'existe pas.").arg(quoted(m_destination)));
        return true;
    }
    qint64 total = 0;
    for (const QString &path : paths)
        total += QFileInfo(path).isFile() ? QFileInfo(path).size() : 0;
    m_progress.begin(m_move ? QStringLiteral("Déplacement en cours...") : QStringLiteral("Copie en cours..."), total);
    bool aborted = false;
    for (const QString &path : paths) {
        if (transferOne(path) == Outcome::Aborted) {
            aborted = true;
            break;
        }
    }
    m_progress.end();
    return !aborted;
}

Outcome Transfer::transferOne(const QString &source)
{
    const QFileInfo info(source);
    if (!info.exists())
        return fail(source, QStringLiteral("le fichier n'existe plus."));
    if (!info.isFile())
        return fail(source, QStringLiteral("ce n'est pas un fichier."));
    QString target = QDir(m_destination).filePath(info.fileName());
    if (auto refused = resolveConflict(source, target))
        return *refused;
    const Outcome outcome = m_move ? moveFile(source, target) : copyContents(source, target);
    if (outcome != Outcome::Aborted && !m_progress.advance(info.fileName(), m_done))
        return Outcome::Aborted;
    return outcome;
}

// Settles a target that exists already; nothing when the transfer may go on.
std::optional<Outcome> Transfer::resolveConflict(const QString &source, QString &target)
{
    if (sameFile(source, target)) {
        if (m_move)
            return fail(source, QStringLiteral("la source et la destination sont identiques."));
        target = duplicateTarget(m_destination, nameOf(source));
        return std::nullopt;
    }
    if (!existsOrLink(target))
        return std::nullopt;
    if (QFileInfo(target).isDir())
        return fail(source, QStringLiteral("un dossier porte ce nom dans la destination."));
    if (m_replaceAll)
        return std::nullopt;
    const QString question = QStringLiteral("Le fichier %1 existe déjà dans le dossier %2.\nVoulez-vous le remplacer ?")
                                 .arg(quoted(nameOf(target)), quoted(m_destination));
    const ProgressHeld held(m_progress);
    switch (messages::confirm(question, messages::Buttons::YesAllNoCancel)) {
    case messages::Answer::Yes: return std::nullopt;
    case messages::Answer::YesToAll: m_replaceAll = true; return std::nullopt;
    case messages::Answer::No: return Outcome::Skipped;
    default: return Outcome::Aborted;
    }
}

// Written beside the target and renamed over it once complete.
Outcome Transfer::copyContents(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return fail(source, in.errorString());
    AtomicFile out(target);
    if (auto opened = out.open(); !opened)
        return fail(source, opened.error().message);
    const QString name = nameOf(source);
    while (!in.atEnd()) {
        const QByteArray block = in.read(kCopyBlock);
        if (block.isEmpty() && in.error() != QFileDevice::NoError)
            return fail(source, in.errorString());
        if (out.device().write(block) != block.size())
            return fail(source, out.device().errorString());
        m_done += block.size();
        if (!m_progress.advance(name, m_done))
            return Outcome::Aborted; // the unfinished copy goes with `out`
    }
    if (auto committed = out.commit(); !committed)
        return fail(source, committed.error().message);
    QFile::setPermissions(target, in.permissions());
    std::error_code ignored; // a copy keeps its date where the file system allows it
    std::filesystem::last_write_time(fsPath(target), std::filesystem::last_write_time(fsPath(source), ignored), ignored);
    return Outcome::Done;
}

// A rename within one file system; a copy and a removal across file systems.
Outcome Transfer::moveFile(const QString &source, const QString &target)
{
    std::error_code error;
    std::filesystem::rename(fsPath(source), fsPath(target), error);
    if (!error) {
        m_done += QFileInfo(target).size();
        return Outcome::Done;
    }
    if (error != std::errc::cross_device_link)
        return fail(source, systemReason(error));
    const Outcome copied = copyContents(source, target);
    if (copied == Outcome::Done && !QFile::remove(source)) {
        const ProgressHeld held(m_progress);
        messages::error(QStringLiteral("%1 a été copié mais n'a pas pu être retiré de son dossier d'origine.")
                            .arg(quoted(nameOf(source))));
    }
    return copied;
}

Outcome Transfer::fail(const QString &source, const QString &reason)
{
    const QString verb = m_move ? QStringLiteral("déplacer") : QStringLiteral("copier");
    const ProgressHeld held(m_progress);
    messages::error(QStringLiteral("Impossible de %1 %2 :\n%3").arg(verb, quoted(nameOf(source)), reason));
    return Outcome::Failed;
}

bool removeForGood(const QString &path)
{
    if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
        return QDir(path).removeRecursively();
    return QFile::remove(path);
}

// Trash, or on refusal a permanent delete if the user agrees. False when the user cancelled.
bool deleteOne(const QString &path)
{
    if (!existsOrLink(path)) {
        messages::error(QStringLiteral("Impossible de supprimer %1 :\nil n'existe plus.").arg(quoted(path)));
        return true;
    }
    if (QFile::moveToTrash(path))
        return true;
    const QString question =
        QStringLiteral("%1 ne peut pas être mis à la corbeille.\nVoulez-vous le supprimer définitivement ?")
            .arg(quoted(nameOf(path)));
    switch (messages::confirm(question, messages::Buttons::YesNoCancel)) {
    case messages::Answer::Yes:
        if (!removeForGood(path))
            messages::error(QStringLiteral("Impossible de supprimer %1.").arg(quoted(path)));
        return true;
    case messages::Answer::No: return true;
    default: return false;
    }
}

// The desktop trash lives in the user's data folder. When that folder does not exist yet
// (a fresh account), Qt's trash falls back to the current folder and the files would end
// up in "files" and "info" folders wherever the program was started.
void ensureDataFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!data.isEmpty())
        QDir().mkpath(data);
}

} // namespace

QString deleteQuestion(const QStringList &paths)
{
    if (paths.size() != 1)
        return QStringLiteral("Voulez-vous vraiment mettre ces %1 éléments à la corbeille ?").arg(paths.size());
    const QFileInfo info(paths.front());
    if (info.isDir())
        return QStringLiteral("Voulez-vous vraiment mettre le dossier %1 et tout son contenu à la corbeille ?")
            .arg(quoted(info.fileName()));
    return QStringLiteral("Voulez-vous vraiment mettre %1 à la corbeille ?").arg(quoted(info.fileName()));
}

bool ShellCopyFiles(const QStringList &paths, const QString &destinationFolder, OperationProgress &progress)
{
    return Transfer(false, destinationFolder, progress).run(paths);
}

bool ShellCopyFiles(const QStringList &paths, const QString &destinationFolder)
{
    OperationProgressDialog progress;
    return ShellCopyFiles(paths, destinationFolder, progress);
}

bool ShellMoveFiles(const QStringList &paths, const QString &destinationFolder, OperationProgress &progress)
{
    return Transfer(true, destinationFolder, progress).run(paths);
}

bool ShellMoveFiles(const QStringList &paths, const QString &destinationFolder)
{
    OperationProgressDialog progress;
    return ShellMoveFiles(paths, destinationFolder, progress);
}

bool ShellRenameFile(const QString &oldPath, const QString &newPath)
{
    const QFileInfo from(oldPath), to(newPath);
    const QString newName = to.fileName();
    auto refuse = [&](const QString &reason) {
        messages::error(QStringLiteral("Impossible de renommer %1 en %2 :\n%3")
                            .arg(quoted(from.fileName()), quoted(newName), reason));
        return false;
    };
    if (newName.isEmpty() || newName == u"." || newName == u".." || to.absolutePath() != from.absolutePath())
        return refuse(QStringLiteral("ce nom n'est pas valide."));
    if (!existsOrLink(oldPath))
        return refuse(QStringLiteral("le fichier n'existe plus."));
    if (oldPath == newPath)
        return true;
    if (existsOrLink(newPath) && !sameFile(oldPath, newPath))
        return refuse(QStringLiteral("un fichier ou un dossier porte déjà ce nom."));
    if (from.isDir() ? QDir().rename(oldPath, newPath) : QFile::rename(oldPath, newPath))
        return true;
    return refuse(QStringLiteral("accès refusé."));
}

bool ShellDeleteFiles(const QStringList &paths)
{
    if (paths.isEmpty())
        return true;
    if (messages::confirm(deleteQuestion(paths), messages::Buttons::YesNo) != messages::Answer::Yes)
        return false;
    ensureDataFolder();
    for (const QString &path : paths)
        if (!deleteOne(path))
            return false;
    return true;
}

} // namespace editor
