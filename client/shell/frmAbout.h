#pragma once

#include <QDialog>

namespace tamber {

// "About Tamber Piano": the program's picture, title and version, a notice and OK. Its controls
// carry their names as objectNames ("Image1", "lblTitle", "lblNotice", "cmdOK").
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner);
};

} // namespace tamber
