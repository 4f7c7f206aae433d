#include "editor/shell/status_line.h"

#include <QPainter>
#include <QProgressBar>
#include <QStyle>
#include <QStyleOptionFrame>

namespace editor {

StatusLine::StatusLine(QWidget *parent) : QWidget(parent), m_progress(new QProgressBar(this))
{
    setFixedHeight(kHeight);
    m_progress->setObjectName(QStringLiteral("ProgressBar"));
    m_progress->setTextVisible(false);
    // Empty while idle. Qt draws a range of 0 to 0 as a moving "busy" bar, so the idle
    // bar is 0 out of 1.
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
}

void StatusLine::setPanelText(int panel, const QString &text)
{
    m_texts.at(std::size_t(panel)) = text;
    update(panelRect(panel));
}

void StatusLine::showHint(const QString &longHint)
{
    setPanelText(0, longHint.isEmpty() ? QString() : QLatin1Char(' ') + longHint);
}

// The last panel runs on to the right edge, as a status bar's last part does.
QRect StatusLine::panelRect(int panel) const
{
    int left = 0;
    for (int i = 0; i < panel; ++i)
        left += kPanelWidths[std::size_t(i)];
    int width = kPanelWidths[std::size_t(panel)];
    if (panel == 2)
        width = std::max(width, this->width() - left);
    return QRect(left, 0, width, height());
}

void StatusLine::resizeEvent(QResizeEvent *)
{
    // Over panel 2: top 1, left = first panel + 2, width = second panel - 2,
    // height = status line - 2.
    m_progress->setGeometry(kPanelWidths[0] + 2, 1, kPanelWidths[1] - 2, height() - 2);
}

void StatusLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (int panel = 0; panel < 3; ++panel) {
        const QRect r = panelRect(panel).adjusted(0, 1, -2, -1);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
        painter.setPen(palette().color(QPalette::WindowText));
        const QRect text = r.adjusted(2, 0, -2, 0);
        painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                         fontMetrics().elidedText(m_texts[std::size_t(panel)], Qt::ElideRight,
                                                  text.width()));
    }
}

ProgressSteps::ProgressSteps(QProgressBar *bar, int count) : m_bar(bar)
{
    if (!m_bar)
        return;
    m_bar->setRange(0, std::max(count, 1));
    m_bar->setValue(0);
}

ProgressSteps::~ProgressSteps()
{
    if (m_bar)
        m_bar->setValue(0);
}

void ProgressSteps::step()
{
    if (m_bar)
        m_bar->setValue(std::min(m_bar->value() + 1, m_bar->maximum()));
}

} // namespace editor
