// The relay's window in every language it ships: texts fit, nothing is left in English, no
// argument unfilled. The user list's lines stay as scripts read them. Run at scale factors 1
// and 2.
#include "common/language/LanguageChoice.h"
#include "server/frmServer.h"
#include "tests/fakes/FakeMessageBoxes.h"
#include "tests/support/LanguageChecks.h"

#include <QLabel>
#include <QListWidget>
#include <gtest/gtest.h>

namespace tamber::server {
namespace {

QStringList languageCodes()
{
    QStringList codes;
    for (const Language& language : shippedLanguages())
        codes << language.code;
    return codes;
}

class ServerInLanguage : public ::testing::TestWithParam<QString>
{
protected:
    const QString language = GetParam();
    fakes::TranslatorFor translator{QStringLiteral("corvent-server"), language};
    const QMap<QString, QString> catalogue =
        language == kEnglish
            ? QMap<QString, QString>()
            : fakes::readCatalogue(QStringLiteral(TAMBER_SOURCE_DIR) +
                                   "/translations/corvent-server_" + language + ".ts");
};

TEST_P(ServerInLanguage, TheWindowSpeaksItAndFits)
{
    RelayServer server;
    fakes::FakeMessageBoxes boxes;
    frmServer window(server, boxes, {0, QHostAddress::LocalHost});
    window.show();
    fakes::expectSpokenAndFitting(window, catalogue);
    const auto* list = window.findChild<QListWidget*>(QStringLiteral("lstUsers"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->item(0)->text(), "1. No User: 0.0.0.0") << "the list stays as scripts read it";
    // The counts are put together from plural texts, which the catalogue check cannot see.
    const auto* counts = window.findChild<QLabel*>(QStringLiteral("lblRooms"));
    ASSERT_NE(counts, nullptr);
    EXPECT_EQ(counts->text() == "0 rooms, 0 players", language == kEnglish)
        << counts->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Shipped, ServerInLanguage, ::testing::ValuesIn(languageCodes()),
                         [](const auto& info) { return info.param.toStdString(); });

} // namespace
} // namespace tamber::server
