#include "editor/files/operation_progress_dialog.h"

#include <QApplication>
#include <QProgressDialog>

namespace editor {

namespace {

// The bar counts thousandths, so sizes beyond an int still fit.
constexpr int kSteps = 1000;

} // namespace

OperationProgressDialog::~OperationProgressDialog()
{
    end();
}

void OperationProgressDialog::begin(const QString &caption, qint64 totalBytes)
{
    end();
    m_total = totalBytes;
    m_dialog = new QProgressDialog(QString(), QStringLiteral("Annuler"), 0, kSteps, QApplication::activeWindow());
    m_dialog->setWindowTitle(caption);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(500);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
}

bool OperationProgressDialog::advance(const QString &fileName, qint64 bytesDone)
{
    if (!m_dialog)
        return true;
    m_dialog->setLabelText(QStringLiteral("« %1 »").arg(fileName));
    const qint64 step = m_total > 0 ? bytesDone * kSteps / m_total : kSteps;
    m_dialog->setValue(int(std::clamp<qint64>(step, 0, kSteps)));
    return !m_dialog->wasCanceled();
}

void OperationProgressDialog::end()
{
    delete m_dialog;
}

} // namespace editor
