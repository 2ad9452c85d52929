#pragma once

#include <QDialog>

class QLabel;

namespace tamber {

// "About Tamber Piano": the program's picture, title and version, a notice and OK.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner);

    QLabel* Image1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblNotice = nullptr;
};

} // namespace tamber
