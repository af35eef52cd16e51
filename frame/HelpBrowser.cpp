#include "frame/HelpBrowser.h"

#include "core/FileOps.h"
#include "core/RunError.h"
#include "frame/Platform.h"
#include "frame/SMGLOBAL.h"

#include <QDesktopServices>
#include <QFileInfo>

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
}

QVariant HelpBrowser::loadResource(int, const QUrl& name)
{
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    const QString path = url.toLocalFile();
    if (!url.isLocalFile() || !QFileInfo(path).isAbsolute() || QFileInfo(path).size() > kMaxResourceSize)
        return QVariant();
    try {
        // Only an ordinary file is read, and a pipe does not hold the window up before it is seen to be one.
        return FileOps::ReadAll(path);
    } catch (const RunError&) {
        return QVariant();
    }
}

void HelpBrowser::followLink(const QUrl& link)
{
    const QUrl url = link.isRelative() ? source().resolved(link) : link;
    if (url.adjusted(QUrl::RemoveFragment) == source().adjusted(QUrl::RemoveFragment)) {
        setSource(url, QTextDocument::HtmlResource);
        return;
    }
    const QString text = QStringLiteral("This link leads outside the help: ") + url.toString(QUrl::FullyEncoded) +
                         QStringLiteral("  Select OK to open it in your browser, Cancel to stay here.");
    if (dialogs().MsgBox(text, vbOKCancel + vbQuestion, kAppTitle) == vbOK)
        QDesktopServices::openUrl(url);
}
