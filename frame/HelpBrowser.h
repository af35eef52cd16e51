#pragma once

#include <QTextBrowser>

// The help window's page. The guide is a file anybody may have written, so what it names is taken with
// care: pictures and pages load only from ordinary files of a sensible size (never a device, a pipe or a
// folder), and a link that leaves the help file opens in the user's browser only once the user has seen
// where it leads and agreed.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    // Larger than any guide or picture it shows; a bigger file is not read at all.
    static constexpr qint64 kMaxResourceSize = qint64(8) << 20;

    explicit HelpBrowser(QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    void followLink(const QUrl& link);
};
