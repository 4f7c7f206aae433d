#pragma once
// The progress of a long copy or move: a window-modal dialog with a cancel button
// "Annuler", which appears only when the operation lasts more than half a second.
#include "editor/files/file_operations.h"

#include <QPointer>

class QProgressDialog;

namespace editor {

class OperationProgressDialog final : public OperationProgress {
public:
    OperationProgressDialog() = default;
    ~OperationProgressDialog() override;

    void begin(const QString &caption, qint64 totalBytes) override;
    bool advance(const QString &fileName, qint64 bytesDone) override;
    void end() override;

private:
    QPointer<QProgressDialog> m_dialog;
    qint64 m_total = 0;
};

} // namespace editor
