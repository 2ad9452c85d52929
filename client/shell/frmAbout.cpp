#include "frmAbout.h"

#include "client/widgets/PianoKeysView.h"
#include "common/ProgramInfo.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace tamber {

namespace {
// The program's picture: an octave of its own keyboard, one key lit.
QPixmap programPicture()
{
    PianoKeysView octave(12);
    octave.resize(octave.sizeHint());
    octave.lightKey(4, PaintKey(0, 127));
    return octave.grab();
}
} // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(tr("About Tamber Piano"));
    auto* Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(programPicture());
    auto* lblTitle = new QLabel(QStringLiteral("Tamber Piano v0.0.0"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    // Filled at load, from the version the program carries.
    lblTitle->setText(versionedTitle());
    auto* lblNotice =
        new QLabel(tr("Play the piano on your computer keyboard, alone or together."), this);
    lblNotice->setObjectName(QStringLiteral("lblNotice"));
    auto* cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblNotice);
    auto* top = new QHBoxLayout;
    top->addWidget(Image1);
    top->addLayout(text);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
    setFixedSize(sizeHint());
}

} // namespace tamber
