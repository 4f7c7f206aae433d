#include "editor/albums/form_exif.h"

#include "imaging/exif/exif_reader.h"
#include "imaging/exif/exif_report.h"
#include "ui/dialog_buttons.h"

#include <QFileInfo>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace editor {

TFormExif::TFormExif(const QStringList &lines, QWidget *parent) : QDialog(parent), MemoEXIF(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("TFormExif"));
    setWindowTitle(QStringLiteral("Informations EXIF"));
    MemoEXIF->setObjectName(QStringLiteral("MemoEXIF"));
    MemoEXIF->setReadOnly(true);
    MemoEXIF->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoEXIF->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont courier(QStringLiteral("Courier New"), 9);
    courier.setStyleHint(QFont::TypeWriter);
    MemoEXIF->setFont(courier);
    MemoEXIF->setPlainText(lines.join(u'\n'));
    MemoEXIF->moveCursor(QTextCursor::Start); // shown from its first line
    const auto buttons = ui::makeDialogButtons(this, {}, {.ok = QStringLiteral("&Fermer"), .cancel = QString()});
    buttons.ok->setToolTip(QStringLiteral("Fermer la fiche"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(MemoEXIF, 1);
    layout->addLayout(buttons.layout);
    resize(560, 400);
}

std::optional<QStringList> exifDialogLines(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile() || !exif::hasExifExtension(path))
        return std::nullopt;
    return exif::exifReportForFile(path, exif::ExifLocale::fromQLocale(QLocale::system()));
}

} // namespace editor
