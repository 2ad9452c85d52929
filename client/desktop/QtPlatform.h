#pragma once

#include "client/platform/Dialogs.h"
#include "client/platform/SettingsStore.h"
#include "client/platform/TickClock.h"
#include "common/desktop/QtMessageBoxes.h"

#include <QPointer>
#include <QSettings>
#include <QWidget>
#include <chrono>

class QTextBrowser;

namespace tamber {

// The real platform services, one small class each. Boxes and dialogs open over the modal
// dialog in front, if there is one, else over the parent window set here (the main window).

class QtFileDialogs : public FileDialogs
{
public:
    void setParentWindow(QWidget* parent) { m_parent = parent; }
    QString ask(const FileDialogRequest& request) override;

private:
    QPointer<QWidget> m_parent;
};

class QtInputBox : public InputBox
{
public:
    void setParentWindow(QWidget* parent) { m_parent = parent; }
    std::optional<QString> ask(const QString& prompt, const QString& title,
                               const QString& initialText) override;
    std::optional<QString> askWithChoices(const QString& prompt, const QString& title,
                                          const QString& initialText,
                                          const QStringList& choices) override;

private:
    QPointer<QWidget> m_parent;
};

class QtHelpViewer : public HelpViewer
{
public:
    ~QtHelpViewer() override;
    bool show(const QString& helpFile, const QString& topic) override;
    void close() override;

private:
    QPointer<QTextBrowser> m_browser;
};

// INI file under the application name, e.g. ~/.config/Tamber Piano/Tamber Piano.ini.
class QtSettingsStore : public SettingsStore
{
public:
    explicit QtSettingsStore(const QString& applicationName);
    QString read(const QString& section, const QString& key,
                 const QString& fallback) const override;
    void write(const QString& section, const QString& key, const QString& value) override;

private:
    mutable QSettings m_settings;
};

class SteadyTickClock : public TickClock
{
public:
    uint32_t tickCount() const override
    {
        using namespace std::chrono;
        const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
        return static_cast<uint32_t>(ms);
    }
};

} // namespace tamber
