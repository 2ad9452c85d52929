// Where the piano reads Default.tmk and the help from.
#include "client/platform/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tamber;

namespace {

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

} // namespace

TEST(DataFiles, AUsersOwnDefaultKeymapWinsAndTheHelpStaysTheProgramsOwn)
{
    QTemporaryDir dir;
    const QString program = dir.filePath("share/tamber-piano");
    const QString user = dir.filePath("home/.local/share/tamber-piano");
    touch(program + "/Default.tmk");
    const QString installed = program + "/Default.tmk";
    const QString help = program + "/help/index.html";

    EXPECT_EQ(dataFilesIn(program, QString()).defaultKeymap, installed) << "no user folder";
    EXPECT_EQ(dataFilesIn(program, user).defaultKeymap, installed) << "user folder missing";
    QDir().mkpath(user + "/Default.tmk");
    EXPECT_EQ(dataFilesIn(program, user).defaultKeymap, installed) << "a folder is no keymap";
    QDir().rmdir(user + "/Default.tmk");

    touch(user + "/Default.tmk");
    const DataFiles files = dataFilesIn(program, user);
    EXPECT_EQ(files.defaultKeymap, user + "/Default.tmk");
    EXPECT_EQ(files.help, help);
}

TEST(DataFiles, TheUsersFolderFollowsXdgDataHome)
{
    QTemporaryDir dir;
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path()));
    touch(dir.filePath("tamber-piano/Default.tmk"));

    const DataFiles files = installedDataFiles(QStringLiteral("en"));
    EXPECT_EQ(files.defaultKeymap, dir.filePath("tamber-piano/Default.tmk"));
    // The test runs from the build tree, whose data lies beside the binaries.
    EXPECT_EQ(files.help, QCoreApplication::applicationDirPath() + "/help/index.html");

    if (saved.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", saved);
}

TEST(DataFiles, TheHelpPageIsTheLanguagesOwnElseEnglish)
{
    QTemporaryDir dir;
    const QString help = dir.filePath("help");
    for (const char* page : {"index.html", "index.de.html", "index.pt_BR.html"})
        touch(help + "/" + page);
    QDir().mkpath(help + "/index.ru.html"); // a folder is no page

    const struct
    {
        const char* language;
        const char* page;
    } cases[] = {
        {"de", "index.de.html"}, {"pt_BR", "index.pt_BR.html"}, {"en", "index.html"},
        {"", "index.html"},      {"fr", "index.html"},          {"ru", "index.html"},
        {"pt", "index.html"},    {"de/../de", "index.html"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(helpPageIn(help, c.language), help + "/" + c.page) << c.language;
    EXPECT_EQ(dataFilesIn(dir.path(), QString(), "de").help, help + "/index.de.html");
}
