#pragma once

#include "common/desktop/FontFit.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QWidget>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <memory>

namespace tamber::fakes {

// A program's catalogue for one language, as the .ts in the tree has it: source -> translation.
// English has none: its texts are the sources.
inline QMap<QString, QString> readCatalogue(const QString& tsPath)
{
    QMap<QString, QString> catalogue;
    QFile file(tsPath);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << tsPath.toStdString();
        return catalogue;
    }
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation"))
            // A plural text's forms come as child elements; together they match no shown text.
            catalogue.insert(source, xml.readElementText(QXmlStreamReader::IncludeChildElements));
    }
    EXPECT_FALSE(xml.hasError()) << tsPath.toStdString() << ": " << xml.errorString().toStdString();
    return catalogue;
}

// Installs the program's compiled translation (from bin/translations, beside the tests) for
// the life of the object.
class TranslatorFor
{
public:
    TranslatorFor(const QString& catalogue, const QString& language)
    {
        if (language == QLatin1String("en"))
            return;
        const QString folder = QCoreApplication::applicationDirPath() + "/translations";
        m_translator = std::make_unique<QTranslator>();
        EXPECT_TRUE(m_translator->load(catalogue + '_' + language, folder))
            << "no " << catalogue.toStdString() << "_" << language.toStdString() << ".qm in "
            << folder.toStdString();
        QCoreApplication::installTranslator(m_translator.get());
    }
    ~TranslatorFor()
    {
        if (m_translator)
            QCoreApplication::removeTranslator(m_translator.get());
    }
    TranslatorFor(const TranslatorFor&) = delete;
    TranslatorFor& operator=(const TranslatorFor&) = delete;

private:
    std::unique_ptr<QTranslator> m_translator;
};

// What a window shows in writing: its title, its controls' texts and every action of its
// menus (with their "&").
inline QStringList shownTexts(const QWidget& window)
{
    QStringList texts{window.windowTitle()};
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        if (const auto* button = qobject_cast<const QAbstractButton*>(control))
            texts << button->text();
        else if (const auto* box = qobject_cast<const QGroupBox*>(control))
            texts << box->title();
        else if (const auto* label = qobject_cast<const QLabel*>(control))
            texts << label->text();
    }
    for (const QMenu* menu : window.findChildren<QMenu*>()) {
        for (const QAction* action : menu->actions())
            texts << action->text();
    }
    texts.removeAll(QString());
    return texts;
}

// The accelerator of a caption ("E&xit" is x), or none.
inline QChar accelerator(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (caption[i + 1] != '&')
                return caption[i + 1].toLower();
            ++i;
        }
    }
    return {};
}

inline void expectUniqueAccelerators(const QList<QAction*>& actions, const QString& where)
{
    QMap<QChar, QString> taken;
    for (const QAction* action : actions) {
        const QChar key = accelerator(action->text());
        if (key.isNull())
            continue;
        EXPECT_FALSE(taken.contains(key))
            << where.toStdString() << ": " << taken.value(key).toStdString() << " and "
            << action->text().toStdString() << " share the accelerator";
        taken.insert(key, action->text());
    }
}

// Every control's text fits it, no two items of a menu (or the menu bar, or the buttons of a
// dialog) share an accelerator, no text is still English where the catalogue translates it,
// and no %1 is left unfilled.
inline void expectSpokenAndFitting(QWidget& window, const QMap<QString, QString>& catalogue)
{
    const std::string name = window.objectName().toStdString();
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const QString text = shownText(*control);
        if (text.isEmpty() || !control->isVisibleTo(&window))
            continue;
        EXPECT_LE(control->fontMetrics().horizontalAdvance(text), textRoom(*control))
            << name << ": \"" << text.toStdString() << "\" does not fit "
            << control->objectName().toStdString() << " at scale " << window.devicePixelRatioF();
        EXPECT_GE(control->fontMetrics().height(), 8) << "still readable";
    }
    for (const QMenuBar* bar : window.findChildren<QMenuBar*>())
        expectUniqueAccelerators(bar->actions(), window.objectName() + " menu bar");
    for (const QMenu* menu : window.findChildren<QMenu*>())
        expectUniqueAccelerators(menu->actions(), menu->objectName());
    QList<QAction*> buttons;
    QList<std::shared_ptr<QAction>> keep;
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        keep << std::make_shared<QAction>(button->text());
        buttons << keep.last().get();
    }
    expectUniqueAccelerators(buttons, window.objectName() + " buttons");

    static const QRegularExpression argument(QStringLiteral("%[0-9]"));
    for (const QString& text : shownTexts(window)) {
        EXPECT_FALSE(argument.match(text).hasMatch())
            << name << ": an argument left unfilled in \"" << text.toStdString() << "\"";
        const auto found = catalogue.constFind(text);
        EXPECT_TRUE(found == catalogue.cend() || found.value() == text)
            << name << ": \"" << text.toStdString() << "\" is shown untranslated";
    }
}

} // namespace tamber::fakes
