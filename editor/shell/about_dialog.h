#pragma once
// "A propos de ...": the program's picture, its name and its version on white.
#include <QDialog>

namespace editor {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);
};

} // namespace editor
