#pragma once

#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;

// The program's help engine: one window that shows the HTML user's guide Corvalen.HLP. Topics are
// addressed by context number; the topic with number n is the anchor "topicn" in the file.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    // Shows the help file at a topic, opening the window when it is not open and bringing it to the
    // front when it is. False, and no window, when the file cannot be read.
    static bool ShowTopic(const QString& helpFile, int context);
    // Closes the help window if it is open.
    static void CloseHelp();
    // The open help window, or nullptr.
    static HelpWindow* current();

    static QString anchorFor(int context);

    QTextBrowser* browser() const { return m_browser; }
    const QString& helpFile() const { return m_helpFile; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    HelpWindow();
    void open(const QString& helpFile, int context);

    QTextBrowser* m_browser = nullptr;
    QPushButton* m_contents = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_close = nullptr;
    QString m_helpFile;
};
