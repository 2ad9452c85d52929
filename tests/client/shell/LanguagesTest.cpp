// Every window of the piano in every language it ships: texts fit, accelerators differ within
// each menu, nothing is left in English, no argument unfilled. Run at scale factors 1 and 2.
#include "client/formats/KeymapFile.h"
#include "client/shell/frmAbout.h"
#include "client/shell/frmPiano.h"
#include "client/widgets/KeyConfigDialog.h"
#include "client/widgets/frmChat.h"
#include "common/language/LanguageChoice.h"
#include "tests/fakes/FakeKeyboard.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/PresentedBoxes.h"
#include "tests/support/LanguageChecks.h"
#include "tests/support/WindowControls.h"

#include <QMenu>
#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;

namespace {

QStringList languageCodes()
{
    QStringList codes;
    for (const Language& language : shippedLanguages())
        codes << language.code;
    return codes;
}

class PianoInLanguage : public ::testing::TestWithParam<QString>
{
protected:
    const QString language = GetParam();
    TranslatorFor translator{QStringLiteral("tamber-piano"), language};
    const QMap<QString, QString> catalogue =
        language == kEnglish ? QMap<QString, QString>()
                             : readCatalogue(QStringLiteral(TAMBER_SOURCE_DIR) +
                                             "/translations/tamber-piano_" + language + ".ts");
};

TEST_P(PianoInLanguage, EveryWindowSpeaksItAndFits)
{
    FakeMessageBoxes boxes;
    PianoState state;
    frmPiano piano(boxes, state);
    piano.setRecordEnabled(true);
    piano.show();
    expectSpokenAndFitting(piano, catalogue);
    EXPECT_NE(WindowControls(piano).action("mnuLanguageNote").text(), QString())
        << "the Language menu says when a choice applies";

    frmChat chat(1, QStringLiteral("User1"));
    chat.showRoom({QStringLiteral("jazz"), 2, false, true});
    chat.setUserEntry(1, QStringLiteral("User2"));
    chat.setObjectName(QStringLiteral("frmChat"));
    chat.show();
    expectSpokenAndFitting(chat, catalogue);

    Keymap keymap;
    FakeKeyState keys;
    FakeFileDialogs fileDialogs;
    PresentedBoxes presented;
    KeymapFiles files{keymap, presented.reporter()};
    KeyConfigDialog keyConfig{{keymap, keys, fileDialogs, files}};
    keyConfig.show();
    expectSpokenAndFitting(keyConfig, catalogue);
    keyConfig.cmdSet_Click(0); // the longer instruction, while a key is awaited
    expectSpokenAndFitting(keyConfig, catalogue);

    frmAbout about(nullptr);
    about.setObjectName(QStringLiteral("frmAbout"));
    about.show();
    expectSpokenAndFitting(about, catalogue);
}

INSTANTIATE_TEST_SUITE_P(Shipped, PianoInLanguage, ::testing::ValuesIn(languageCodes()),
                         [](const auto& info) { return info.param.toStdString(); });

} // namespace
