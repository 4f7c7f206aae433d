#pragma once
// The help window: the pages of Lumivelle.chm in a text browser, with back, forward and
// home buttons. Links between pages and pictures inside the help file work; links to
// the web open in the desktop's browser.
#include "editor/shell/chm_file.h"

#include <QTextBrowser>
#include <QWidget>
#include <optional>

namespace editor {

// A text browser reading its pages from a help file ("chm:/home.htm").
class ChmBrowser : public QTextBrowser {
    Q_OBJECT
public:
    ChmBrowser(ChmFile file, QWidget *parent = nullptr);
    QVariant loadResource(int type, const QUrl &name) override;

    static QUrl topicUrl(const QString &topic);

private:
    // Pages of the help file open here; links to the web open in the desktop's browser.
    void followLink(const QUrl &link);

    ChmFile m_file;
};

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(ChmFile file, QWidget *parent = nullptr);
    void showTopic(const QString &topic);
    ChmBrowser *browser() const { return m_browser; }

private:
    ChmBrowser *m_browser;
};

} // namespace editor
