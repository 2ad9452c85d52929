// The real boxes, dialogs and help window, offscreen.
#include "client/desktop/QtPlatform.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QInputDialog>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

namespace tamber {
namespace {

// Once the box or dialog now opening runs its loop: notes what it is shown over, closes it.
void closeNextModal(QWidget*& owner)
{
    QTimer::singleShot(0, [&owner] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        owner = dialog->parentWidget();
        dialog->done(0);
    });
}

// Regression: Key Config's boxes and file dialogs opened over the main window, which Key
// Config blocks, and could end up behind it.
TEST(QtPlatform, BoxesAndDialogsOpenOverTheModalDialogInFront)
{
    QWidget mainWindow;
    mainWindow.show();
    QtMessageBoxes boxes;
    QtFileDialogs fileDialogs;
    boxes.setParentWindow(&mainWindow);
    fileDialogs.setParentWindow(&mainWindow);
    FileDialogRequest request;
    request.title = QStringLiteral("Load Keymap");

    QWidget* owner = nullptr;
    closeNextModal(owner);
    boxes.show(QStringLiteral("Keymap Saved!"), QStringLiteral("Success"),
               MessageBoxes::Icon::Information);
    EXPECT_EQ(owner, &mainWindow) << "nothing modal open: over the main window";

    QDialog keyConfig; // modal, without an owner, as Key Config is
    QWidget* boxOwner = nullptr;
    QWidget* dialogOwner = nullptr;
    QTimer::singleShot(0, [&] {
        closeNextModal(boxOwner);
        boxes.show(QStringLiteral("Keymap Saved!"), QStringLiteral("Success"),
                   MessageBoxes::Icon::Information);
        closeNextModal(dialogOwner);
        fileDialogs.ask(request);
        keyConfig.accept();
    });
    keyConfig.exec();
    EXPECT_EQ(boxOwner, &keyConfig);
    EXPECT_EQ(dialogOwner, &keyConfig);
}

TEST(QtPlatform, TheInputBoxOffersEarlierAnswersAndTakesWhatIsTyped)
{
    QtInputBox box;
    QStringList items;
    QString shownText;
    bool completes = true;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* combo = dialog->findChild<QComboBox*>();
        ASSERT_NE(combo, nullptr);
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        shownText = combo->currentText();
        completes = combo->completer() != nullptr;
        combo->setEditText(QStringLiteral("piano.example.org"));
        dialog->accept();
    });
    const auto answer = box.askWithChoices(QStringLiteral("Address:"), QStringLiteral("Corvent"),
                                           QStringLiteral("mistyped:"),
                                           {QStringLiteral("b/jazz"), QStringLiteral("a")});
    EXPECT_EQ(answer, QStringLiteral("piano.example.org"));
    EXPECT_EQ(items, (QStringList{"b/jazz", "a"}));
    EXPECT_EQ(shownText, QStringLiteral("mistyped:"));
    EXPECT_FALSE(completes) << "typing \"b\" must not turn into \"b/jazz\"";

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(box.askWithChoices(QStringLiteral("Address:"), QStringLiteral("Corvent"),
                                 QStringLiteral("0"), {}),
              std::nullopt);
}

TEST(QtPlatform, HelpWindowClosesWithTheProgram)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("index.html"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><head><title>Help</title></head><body>Play.</body></html>");
    file.close();

    QtHelpViewer help;
    help.close(); // nothing open yet: nothing happens
    ASSERT_TRUE(help.show(page, QString()));
    QTextBrowser* browser = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* b = qobject_cast<QTextBrowser*>(w); b && b->isVisible())
            browser = b;
    }
    ASSERT_NE(browser, nullptr);
    help.close();
    EXPECT_FALSE(browser->isVisible());
    EXPECT_FALSE(help.show(dir.filePath(QStringLiteral("missing.html")), QString()));
}

} // namespace
} // namespace tamber
