#include "QtPlatform.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QTextBrowser>
#include <QUrl>

namespace tamber {

QString QtFileDialogs::ask(const FileDialogRequest& request)
{
    QFileDialog dialog(dialogOwner(m_parent), request.title, QString(), request.filter);
    if (request.kind == FileDialogRequest::Kind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!request.confirmOverwrite)
            dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        dialog.setDefaultSuffix(request.defaultSuffix);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtInputBox::ask(const QString& prompt, const QString& title,
                                       const QString& initialText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(dialogOwner(m_parent), title, prompt,
                                               QLineEdit::Normal, initialText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtInputBox::askWithChoices(const QString& prompt, const QString& title,
                                                  const QString& initialText,
                                                  const QStringList& choices)
{
    QInputDialog dialog(dialogOwner(m_parent));
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setComboBoxEditable(true);
    dialog.setComboBoxItems(choices);
    // Completing a typed "host" to a listed "host/jazz" would join a room nobody asked for.
    if (auto* combo = dialog.findChild<QComboBox*>())
        combo->setCompleter(nullptr);
    dialog.setTextValue(initialText);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QtHelpViewer::~QtHelpViewer()
{
    delete m_browser;
}

bool QtHelpViewer::show(const QString& helpFile, const QString& topic)
{
    const QFileInfo info(helpFile);
    if (!info.isFile())
        return false;
    if (!m_browser) {
        m_browser = new QTextBrowser;
        m_browser->setAttribute(Qt::WA_DeleteOnClose, false);
        m_browser->setOpenExternalLinks(true);
        m_browser->resize(640, 480);
    }
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    if (!topic.isEmpty())
        url.setFragment(topic);
    m_browser->setSource(url);
    m_browser->setWindowTitle(m_browser->documentTitle());
    m_browser->show();
    m_browser->raise();
    return true;
}

void QtHelpViewer::close()
{
    // The help is a window of its own, without a parent: left open, it would keep the
    // program running after the main window has gone.
    if (m_browser)
        m_browser->close();
}

QtSettingsStore::QtSettingsStore(const QString& applicationName)
    : m_settings(QSettings::IniFormat, QSettings::UserScope, applicationName, applicationName)
{
}

QString QtSettingsStore::read(const QString& section, const QString& key,
                              const QString& fallback) const
{
    return m_settings.value(section + QLatin1Char('/') + key, fallback).toString();
}

void QtSettingsStore::write(const QString& section, const QString& key, const QString& value)
{
    m_settings.setValue(section + QLatin1Char('/') + key, value);
    m_settings.sync();
}

} // namespace tamber
