#include "frame/ClipboardKeeper.h"

#include "frame/WlClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTimer>
#include <QWidget>

ClipboardKeeper& ClipboardKeeper::instance()
{
    static ClipboardKeeper* keeper = new ClipboardKeeper; // lives to the end of the process
    return *keeper;
}

ClipboardKeeper::ClipboardKeeper()
{
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        // The compositor hands the clipboard's content over with the focus: look once it has come.
        if (state == Qt::ApplicationActive && !m_pendingClear.isEmpty())
            QTimer::singleShot(0, this, &ClipboardKeeper::clearPending);
    });
}

void ClipboardKeeper::Clear()
{
    m_hasText = false;
    m_text.clear();
    QGuiApplication::clipboard()->clear();
}

void ClipboardKeeper::SetText(const QString& text, bool secret)
{
    auto* data = new QMimeData;
    data->setText(text);
    if (secret)
        data->setData(QString::fromLatin1(kSecretHintType), QByteArray(kSecretHintValue));
    QGuiApplication::clipboard()->setMimeData(data);
    m_text = text;
    m_hasText = true;
    m_pendingClear.clear();
    if (!secret)
        return;
    // A password does not stay on the clipboard for as long as the program runs; a user ID may.
    QTimer::singleShot(m_lingerMs, this, [this, text, serial = ++m_secretSerial] {
        if (serial == m_secretSerial && holdsOurText() && m_text == text)
            clearNow();
    });
}

void ClipboardKeeper::clearNow()
{
    if (QGuiApplication::applicationState() != Qt::ApplicationActive) {
        // While the text is still ours, so that nobody else's copy is cleared.
        m_pendingClear = m_text;
        WlClipboard::Clear();
    }
    Clear();
}

void ClipboardKeeper::clearPending()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!m_pendingClear.isEmpty() && clipboard->text() == m_pendingClear)
        clipboard->clear();
    m_pendingClear.clear();
}

bool ClipboardKeeper::holdsOurText() const
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    // The signal also fires for our own changes, so ownership is what tells whether it is still ours.
    return m_hasText && clipboard->ownsClipboard() && clipboard->text() == m_text;
}

void ClipboardKeeper::QuitWhenReleased()
{
    if (m_lingering)
        return;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows)
        window->hide();
    if (!holdsOurText()) {
        QCoreApplication::quit();
        return;
    }
    m_lingering = true;
    QClipboard* clipboard = QGuiApplication::clipboard();
    connect(clipboard, &QClipboard::changed, this, [this, clipboard](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard && !clipboard->ownsClipboard())
            finish(false);
    });
    QTimer::singleShot(m_lingerMs, this, [this] { finish(true); });
}

void ClipboardKeeper::finish(bool clear)
{
    if (m_finished)
        return;
    m_finished = true;
    if (clear && holdsOurText())
        clearNow();
    QCoreApplication::quit();
}
