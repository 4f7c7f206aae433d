#pragma once
// The status line of the main window: 19 pixels high, three panels of 300, 200 and 50
// pixels, the last one running on to the right edge. Panel 1 shows the long hint of what the mouse is over, panel 2 is covered by
// the progress bar of the scans and batch commands, panel 3 shows the explorer count.
#include <QString>
#include <QWidget>
#include <array>

class QProgressBar;

namespace editor {

class StatusLine : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 19;
    static constexpr std::array<int, 3> kPanelWidths = {300, 200, 50};

    explicit StatusLine(QWidget *parent = nullptr);

    QString panelText(int panel) const { return m_texts.at(std::size_t(panel)); }
    void setPanelText(int panel, const QString &text);
    // Shows a long hint in panel 1, after one blank.
    void showHint(const QString &longHint);
    QProgressBar *progressBar() const { return m_progress; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QRect panelRect(int panel) const;

    std::array<QString, 3> m_texts;
    QProgressBar *m_progress;
};

// Drives the progress bar through one long operation: the range is the number of items,
// step() advances one item, and the bar goes back to 0 when the object goes out of
// scope, whether the loop ended, returned early or threw.
class ProgressSteps {
public:
    ProgressSteps(QProgressBar *bar, int count);
    ~ProgressSteps();
    ProgressSteps(const ProgressSteps &) = delete;
    ProgressSteps &operator=(const ProgressSteps &) = delete;
    void step();

private:
    QProgressBar *m_bar;
};

} // namespace editor
