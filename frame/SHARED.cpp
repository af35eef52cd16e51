#include "frame/SHARED.h"

#include "core/PasswordStore.h"
#include "core/RunError.h"
#include "core/TileGrid.h"
#include "core/Version.h"
#include "frame/Platform.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"

#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QSettings>

#include <cerrno>
#include <cmath>

namespace {

const QString kConstants = QStringLiteral("Constants");
const QString kCurrentVersion = QStringLiteral("CurrentVersion");
const QString kTrueText = QStringLiteral("True");
constexpr int kTypeMismatch = 13;

// The per-user store, opened afresh for every call so that it always reflects the file on disk.
// Natively an INI file: $XDG_CONFIG_HOME/Brenhold/Password Corvalen.conf.
class SettingsStore
{
public:
    SettingsStore() : m_settings(QSettings::NativeFormat, QSettings::UserScope, kCompanyName, kProductName) {}

    QSettings& operator*() { return m_settings; }
    QSettings* operator->() { return &m_settings; }

    // A file that cannot be opened is an error; a malformed one is not: what can be read of it counts
    // and every other key reads as missing.
    bool accessible() const { return m_settings.status() != QSettings::AccessError; }
    RunError accessError(const QString& what) const
    {
        return RunError(RunError::PathFileAccess, QStringLiteral("Path/File access error (the settings file ") +
                                                      m_settings.fileName() + QStringLiteral(" cannot be ") + what +
                                                      QLatin1Char(')'));
    }

private:
    QSettings m_settings;
};

// A value as text. Values the program writes read back as text; a hand-edited file may hold other
// kinds (a list where commas appear, @ByteArray, @Rect...): those give their text where they have one
// and the empty text otherwise.
QString storedText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString: return value.toString();
    case QMetaType::QStringList: return value.toStringList().join(QStringLiteral(", "));
    case QMetaType::QByteArray: return QString::fromUtf8(value.toByteArray());
    default: return value.canConvert<QString>() ? value.toString() : QString();
    }
}

QString readText(SettingsStore& store, const QString& section, const QString& key, const QString& defaultValue)
{
    store->beginGroup(section);
    const QString text = storedText(store->value(key, defaultValue));
    store->endGroup();
    return text;
}

} // namespace

QString RegDB_GetValue(const QString& key, const QString& defaultValue)
{
    SettingsStore store;
    if (!store.accessible()) {
        LogError(store.accessError(QStringLiteral("read")), QStringLiteral("RegDB_GetValue") + key + QLatin1Char('1') +
                                                                QLatin1Char('|') + key + QLatin1Char('|') +
                                                                defaultValue);
        session().End();
    }
    return readText(store, kConstants, key, defaultValue);
}

void RegDB_SetValue(const QString& key, const QString& value)
{
    errno = 0;
    SettingsStore store;
    if (store.accessible()) {
        store->beginGroup(kConstants);
        store->setValue(key, value);
        store->endGroup();
        store->sync();
        if (store.accessible())
            return;
    }
    // The system's own error code follows the error number directly.
    const int systemError = errno;
    gErrorText = ErrorText(store.accessError(QStringLiteral("written"))) + QString::number(systemError);
    WriteErrorLog(QStringLiteral("RegDB_SetValue") + value + QLatin1Char('|') + key);
    session().End();
}

void RegDB_CheckVersion()
{
    // Nothing here is worth stopping the start-up for: any failure ends the check quietly.
    try {
        SettingsStore store;
        if (!store.accessible())
            return;
        const QString major = readText(store, kCurrentVersion, QStringLiteral("MajorVersion"), kTrueText);
        readText(store, kCurrentVersion, QStringLiteral("MinorVersion"), kTrueText);
        readText(store, kCurrentVersion, QStringLiteral("SubMinorVersion"), kTrueText);
        if (major != kTrueText)
            return;
        // Without installer information this is a first run: give it an empty file to start from.
        passwordStore().CreateFirstRunFile();
    } catch (const std::exception&) {
    }
}

bool CBool(const QString& text, bool* ok)
{
    if (ok)
        *ok = true;
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool number = false;
    const double value = text.trimmed().toDouble(&number);
    if (number && std::isfinite(value))
        return value != 0;
    if (ok)
        *ok = false;
    return false;
}

bool CBoolOrRaise(const QString& text)
{
    bool ok = false;
    const bool value = CBool(text, &ok);
    if (!ok)
        throw RunError(kTypeMismatch, QStringLiteral("Type mismatch"));
    return value;
}

QString BoolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

void TileBackground(QWidget& target, const QWidget& source)
{
    if (!gDesignerMode)
        return; // the window keeps the plain background colour Qt has already painted
    const auto* box = qobject_cast<const QLabel*>(&source);
    if (!box)
        return;
    const QPixmap picture = box->pixmap();
    if (picture.isNull())
        return;
    // Every tile is the picture scaled to the box's inner size, and that size gives the steps too.
    const QSize tile = source.contentsRect().size();
    const TileGrid grid(target.rect().size(), tile);
    if (grid.isEmpty())
        return;
    const QPixmap scaled =
        picture.size() == tile ? picture : picture.scaled(tile, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&target);
    for (int y : grid.rows())
        for (int x : grid.columns())
            painter.drawPixmap(x, y, scaled);
}
