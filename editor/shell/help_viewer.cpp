#include "editor/shell/help_viewer.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStringDecoder>
#include <QVBoxLayout>

namespace editor {

namespace {

const QString kScheme = QStringLiteral("chm");

QString decodePage(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return text;
}

} // namespace

ChmBrowser::ChmBrowser(ChmFile file, QWidget *parent) : QTextBrowser(parent), m_file(std::move(file))
{
    // QTextBrowser hands every link with a scheme of its own to the desktop, pages of
    // the help file included ("chm:/home.htm"), so links are followed here.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &ChmBrowser::followLink);
}

void ChmBrowser::followLink(const QUrl &link)
{
    const QUrl url = link.isRelative() ? source().resolved(link) : link;
    if (url.scheme() == kScheme)
        setSource(url, QTextDocument::HtmlResource);
    else
        QDesktopServices::openUrl(url);
}

QUrl ChmBrowser::topicUrl(const QString &topic)
{
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(QLatin1Char('/') + topic);
    return url;
}

QVariant ChmBrowser::loadResource(int type, const QUrl &name)
{
    QUrl url = name;
    if (url.isRelative())
        url = source().resolved(url);
    if (url.scheme() != kScheme)
        return QTextBrowser::loadResource(type, url);
    const auto bytes = m_file.read(url.path());
    if (!bytes)
        return type == QTextDocument::HtmlResource
                   ? QVariant(QStringLiteral("<p>%1</p>").arg(bytes.error().message.toHtmlEscaped()))
                   : QVariant();
    if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
        return decodePage(*bytes);
    return *bytes;
}

HelpViewer::HelpViewer(ChmFile file, QWidget *parent)
    : QWidget(parent), m_browser(new ChmBrowser(std::move(file), this))
{
    setWindowTitle(QStringLiteral("Aide de Lumivelle"));
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    auto *back = new QPushButton(QStringLiteral("Précédent"), this);
    auto *forward = new QPushButton(QStringLiteral("Suivant"), this);
    auto *home = new QPushButton(QStringLiteral("Sommaire"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(home, &QPushButton::clicked, this, [this] { showTopic(QStringLiteral("home.htm")); });
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(QStringLiteral("Aide de Lumivelle - ") + m_browser->documentTitle());
    });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(home);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    resize(760, 560);
}

void HelpViewer::showTopic(const QString &topic)
{
    m_browser->setSource(ChmBrowser::topicUrl(topic), QTextDocument::HtmlResource);
}

} // namespace editor
