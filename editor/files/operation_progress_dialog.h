#pragma once
// The progress of a long copy or move: a window-modal dialog with a cancel button
// "Annuler", which appears only when the operation lasts more than half a second. It is
// made and shown only as the work advances, never by a timer of its own, and hidden while
// the operation asks a question: it never opens over the question "remplacer ?" and
// never takes the input away from it.
#include "editor/files/file_operations.h"

#include <QElapsedTimer>
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
    void hold(bool held) override;

private:
    void showDialog();

    QPointer<QProgressDialog> m_dialog;
    QString m_caption;
    qint64 m_total = 0;
    QElapsedTimer m_clock; // from begin()
    int m_held = 0;
    bool m_running = false;
};

} // namespace editor
