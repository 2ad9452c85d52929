#pragma once

// Test doubles of the platform layer: each records what the program asked of it and
// answers from values a test sets.

#include "client/platform/Dialogs.h"
#include "client/platform/SettingsStore.h"
#include "client/platform/TickClock.h"
#include "tests/fakes/FakeMessageBoxes.h"

#include <QMap>
#include <QStringList>
#include <deque>
#include <vector>

namespace tamber::fakes {

class FakeFileDialogs : public FileDialogs
{
public:
    QString ask(const FileDialogRequest& request) override
    {
        requests.push_back(request);
        if (answers.empty())
            return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<QString> answers; // empty string = Cancel
    std::vector<FileDialogRequest> requests;
};

class FakeInputBox : public InputBox
{
public:
    std::optional<QString> ask(const QString& prompt, const QString& title,
                               const QString& initialText) override
    {
        prompts.push_back(prompt + QLatin1Char('|') + title + QLatin1Char('|') + initialText);
        return answer;
    }
    std::optional<QString> askWithChoices(const QString& prompt, const QString& title,
                                          const QString& initialText,
                                          const QStringList& offered) override
    {
        choices = offered;
        return ask(prompt, title, initialText);
    }
    std::optional<QString> answer;
    QStringList prompts;
    QStringList choices; // offered with the last prompt
};

class FakeHelpViewer : public HelpViewer
{
public:
    bool show(const QString& helpFile, const QString& topic) override
    {
        shownFile = helpFile;
        shownTopic = topic;
        open = exists;
        return exists;
    }
    void close() override { open = false; }
    bool exists = true;
    bool open = false;
    QString shownFile;
    QString shownTopic;
};

class FakeSettingsStore : public SettingsStore
{
public:
    QString read(const QString& section, const QString& key, const QString& fallback) const override
    {
        return values.value(section + QLatin1Char('/') + key, fallback);
    }
    void write(const QString& section, const QString& key, const QString& value) override
    {
        values.insert(section + QLatin1Char('/') + key, value);
        writes.append(section + QLatin1Char('/') + key + QLatin1Char('=') + value);
    }
    QMap<QString, QString> values; // "Section/Key" -> value
    QStringList writes;
};

class FakeTickClock : public TickClock
{
public:
    uint32_t tickCount() const override { return now; }
    void advance(uint32_t ms) { now += ms; }
    uint32_t now = 1000;
};

} // namespace tamber::fakes
