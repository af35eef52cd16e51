#include "frame/SecretLineEdit.h"

#include "frame/ClipboardKeeper.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

SecretLineEdit::SecretLineEdit(QWidget* parent) : QLineEdit(parent)
{
    setDragEnabled(false); // a dragged text would leave without the secret hint
}

void SecretLineEdit::copySecret()
{
    // As QLineEdit itself: nothing leaves a box that shows asterisks.
    if (hasSelectedText() && echoMode() == QLineEdit::Normal)
        ClipboardKeeper::instance().SetText(selectedText(), true);
}

void SecretLineEdit::cutSecret()
{
    if (!hasSelectedText() || echoMode() != QLineEdit::Normal || isReadOnly())
        return;
    copySecret();
    del();
}

bool SecretLineEdit::event(QEvent* event)
{
    const bool handled = QLineEdit::event(event);
    // QLineEdit hands its selection to the primary selection on these, after the fact and without asking.
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress: dropPrimarySelection(); break;
    default: break;
    }
    return handled;
}

void SecretLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Copy) {
        copySecret();
        event->accept();
    } else if (event == QKeySequence::Cut) {
        cutSecret();
        event->accept();
    } else {
        QLineEdit::keyPressEvent(event);
    }
}

void SecretLineEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The menu's Copy and Cut are the entries wired to QLineEdit's own; they are rewired to ours.
    for (QAction* action : menu->actions()) {
        if (disconnect(action, SIGNAL(triggered()), this, SLOT(copy())))
            connect(action, &QAction::triggered, this, &SecretLineEdit::copySecret);
        if (disconnect(action, SIGNAL(triggered()), this, SLOT(cut())))
            connect(action, &QAction::triggered, this, &SecretLineEdit::cutSecret);
    }
    menu->popup(event->globalPos());
}

void SecretLineEdit::dropPrimarySelection()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection() && clipboard->ownsSelection() &&
        clipboard->text(QClipboard::Selection) == selectedText())
        clipboard->clear(QClipboard::Selection);
}
