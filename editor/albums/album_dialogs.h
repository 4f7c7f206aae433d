#pragma once
// The dialogs the album commands open, behind one interface so the commands can be driven
// without a user: the platform's file and folder choosers, and the running of the
// album's own modal dialogs (copy-fields, search, EXIF report), which tests answer by
// working the real dialog with mouse and keys.
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QWidget;

namespace editor {

inline const QString kAlbumFileFilter = QStringLiteral("Fichiers album (*.ccl)");
inline const QString kImageFileFilter = QStringLiteral(
    "Fichiers images (*.bmp *.ico *.wmf *.emf *.jpg *.jpeg *.tga *.tif *.tiff *.pcx *.psd *.pic *.pcd *.gif "
    "*.psp *.png)");

class AlbumDialogs {
public:
    virtual ~AlbumDialogs() = default;
    // A save dialog for ".ccl" files opening in `folder` (empty: the platform's choice).
    virtual std::optional<QString> saveAlbumFile(const QString &title, const QString &folder) = 0;
    virtual std::optional<QString> openAlbumFile(const QString &title, const QString &folder) = 0;
    // Several picture files; empty when cancelled.
    virtual QStringList openImageFiles(const QString &title) = 0;
    virtual std::optional<QString> chooseFolder(const QString &caption) = 0;
    // Runs a modal dialog and gives its result (QDialog::Accepted or Rejected).
    virtual int run(QDialog &dialog) = 0;
};

// The real dialogs, modal over `parent`.
class WidgetAlbumDialogs final : public AlbumDialogs {
public:
    explicit WidgetAlbumDialogs(QWidget *parent) : m_parent(parent) {}
    std::optional<QString> saveAlbumFile(const QString &title, const QString &folder) override;
    std::optional<QString> openAlbumFile(const QString &title, const QString &folder) override;
    QStringList openImageFiles(const QString &title) override;
    std::optional<QString> chooseFolder(const QString &caption) override;
    int run(QDialog &dialog) override;

private:
    QWidget *m_parent;
};

} // namespace editor
