#include "frame/HelpWindow.h"

#include "frame/Devices.h"
#include "frame/HelpBrowser.h"
#include "frame/Pictures.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"
#include "frame/Twips.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

namespace {

QPointer<HelpWindow>& openWindow()
{
    static QPointer<HelpWindow> window;
    return window;
}

} // namespace

HelpWindow::HelpWindow()
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kAppTitle + QStringLiteral(" Help"));
    setWindowIcon(AppIcon());
    resize(Twips(10800), Twips(9000));

    m_browser = new HelpBrowser(this);
    m_contents = new QPushButton(QStringLiteral("&Contents"), this);
    m_back = new QPushButton(QStringLiteral("&Back"), this);
    m_close = new QPushButton(QStringLiteral("C&lose"), this);
    m_back->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_contents);
    buttons->addWidget(m_back);
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);

    connect(m_contents, &QPushButton::clicked, this, [this] { open(m_helpFile, kHelpContentsTopic); });
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QPushButton::setEnabled);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);

    SetPointer(*this);
    CentreOnScreen(*this);
}

bool HelpWindow::ShowTopic(const QString& helpFile, int context)
{
    const QFileInfo info(helpFile);
    if (helpFile.isEmpty() || !info.isFile() || !info.isReadable())
        return false;
    QPointer<HelpWindow>& window = openWindow();
    if (!window)
        window = new HelpWindow;
    // Asked for from a window that waits for an answer (a message box, a dialog), help belongs to that window:
    // it can be read and used while the window waits, instead of being locked with the rest of the program.
    const QWidget* waiting = QApplication::activeModalWidget();
    window->winId(); // the native window, whose owner is set here
    window->windowHandle()->setTransientParent(waiting ? waiting->windowHandle() : nullptr);
    window->open(info.absoluteFilePath(), context);
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

void HelpWindow::CloseHelp()
{
    if (HelpWindow* window = openWindow())
        window->close();
}

HelpWindow* HelpWindow::current()
{
    return openWindow();
}

QString HelpWindow::anchorFor(int context)
{
    return QStringLiteral("topic") + QString::number(context);
}

void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    // Esc leaves help, as it leaves every other window of the program.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void HelpWindow::open(const QString& helpFile, int context)
{
    m_helpFile = helpFile;
    QUrl url = QUrl::fromLocalFile(helpFile);
    url.setFragment(anchorFor(context));
    // The file's name says nothing of its content, so it is read as HTML whatever it is called.
    m_browser->setSource(url, QTextDocument::HtmlResource);
}
