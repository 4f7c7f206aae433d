#pragma once
// The quick preview under the folder tree: one picture (ImageView) fitted into the white
// panel less 5 pixels on every side and centred in it.
#include <QImage>
#include <QPoint>
#include <QSize>

class QLabel;
class QWidget;

namespace editor {

// The box a picture is fitted into: the panel less 10 pixels each way.
QSize previewLimits(QSize panel);
// Where a picture of `picture` size sits in the panel: centred, div rounding toward zero.
QPoint previewPosition(QSize panel, QSize picture);

class QuickPreview {
public:
    // Puts the ImageView picture into `panel`, which keeps owning it.
    explicit QuickPreview(QWidget *panel);

    QWidget *panel() const { return m_panel; }
    QLabel *imageView() const { return m_imageView; }
    bool isEmpty() const;
    QImage picture() const;

    // Shows the picture of `path`, fitted and centred; an unreadable file leaves the
    // preview empty. A path that is not an existing file changes nothing.
    void show(const QString &path, bool filterOk);
    void clear();

private:
    QWidget *m_panel;
    QLabel *m_imageView;
};

} // namespace editor
