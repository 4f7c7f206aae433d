#include "editor/files/operation_progress_dialog.h"

#include <QApplication>
#include <QProgressDialog>

namespace editor {

namespace {

// The bar counts thousandths, so sizes beyond an int still fit.
constexpr int kSteps = 1000;
// An operation that is done sooner shows no progress at all.
constexpr qint64 kShowAfterMs = 500;

} // namespace

OperationProgressDialog::~OperationProgressDialog()
{
    end();
}

void OperationProgressDialog::begin(const QString &caption, qint64 totalBytes)
{
    end();
    m_caption = caption;
    m_total = totalBytes;
    m_clock.start();
    m_running = true;
}

bool OperationProgressDialog::advance(const QString &fileName, qint64 bytesDone)
{
    if (!m_running)
        return true;
    if (!m_dialog && m_held == 0 && m_clock.elapsed() >= kShowAfterMs)
        showDialog();
    if (!m_dialog)
        return true;
    m_dialog->setLabelText(QStringLiteral("« %1 »").arg(fileName));
    const qint64 step = m_total > 0 ? bytesDone * kSteps / m_total : kSteps;
    m_dialog->setValue(int(std::clamp<qint64>(step, 0, kSteps)));
    return !m_dialog->wasCanceled();
}

void OperationProgressDialog::showDialog()
{
    m_dialog = new QProgressDialog(QString(), QStringLiteral("Annuler"), 0, kSteps, QApplication::activeWindow());
    m_dialog->setWindowTitle(m_caption);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setMinimumDuration(0);
    m_dialog->setValue(0);
    m_dialog->show();
}

void OperationProgressDialog::hold(bool held)
{
    m_held = std::max(0, m_held + (held ? 1 : -1));
    if (!m_dialog)
        return;
    if (m_held > 0)
        m_dialog->hide();
    else if (m_running)
        m_dialog->show();
}

void OperationProgressDialog::end()
{
    delete m_dialog;
    m_running = false;
}

} // namespace editor
