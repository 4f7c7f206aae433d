#include "editor/explorer/quick_preview.h"

#include "imaging/scan/picture_loading.h"
#include "ui/busy_cursor.h"

#include <QFileInfo>
#include <QLabel>
#include <QPixmap>

namespace editor {

QSize previewLimits(QSize panel)
{
    return {panel.width() - 10, panel.height() - 10};
}

QPoint previewPosition(QSize panel, QSize picture)
{
    return {(panel.width() - picture.width()) / 2, (panel.height() - picture.height()) / 2};
}

QuickPreview::QuickPreview(QWidget *panel) : m_panel(panel), m_imageView(new QLabel(panel))
{
    m_imageView->setObjectName(QStringLiteral("ImageView"));
    m_imageView->hide();
}

bool QuickPreview::isEmpty() const
{
    return m_imageView->pixmap().isNull();
}

QImage QuickPreview::picture() const
{
    return m_imageView->pixmap().toImage();
}

void QuickPreview::clear()
{
    m_imageView->clear();
    m_imageView->hide();
}

void QuickPreview::show(const QString &path, bool filterOk)
{
    if (!QFileInfo(path).isFile())
        return;
    ui::BusyCursor hourglass;
    clear();
    const QSize limits = previewLimits(m_panel->size());
    if (limits.width() < 1 || limits.height() < 1)
        return; // no room for any picture
    const QImage picture = loadFittedPicture(path, limits, filterOk);
    if (picture.isNull())
        return;
    m_imageView->setPixmap(QPixmap::fromImage(picture));
    m_imageView->setGeometry(QRect(previewPosition(m_panel->size(), picture.size()), picture.size()));
    m_imageView->show();
}

} // namespace editor
