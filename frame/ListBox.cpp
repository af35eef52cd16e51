#include "frame/ListBox.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

ListBox::ListBox(QWidget* parent) : QListView(parent), m_entries(this)
{
    setModel(&m_entries);
    setUniformItemSizes(true); // keeps very long lists fast to lay out and scroll
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideRight);
    connect(this, &QListView::doubleClicked, this, [this](const QModelIndex&) { emit DblClick(); });
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    const QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
    const bool mouse = event && dynamic_cast<const QMouseEvent*>(event);
    if (command.testFlag(QItemSelectionModel::Deselect) || (mouse && !index.isValid()))
        return QItemSelectionModel::NoUpdate;
    return command;
}

void ListBox::focusInEvent(QFocusEvent* event)
{
    // The view makes its first entry current when it gets the focus with none selected, which would draw the
    // dotted frame of the current entry there: the list would look as if that entry were chosen.
    QListView::focusInEvent(event);
    const QModelIndex current = currentIndex();
    if (current.isValid() && !selectionModel()->isSelected(current))
        selectionModel()->clearCurrentIndex();
}

bool ListBox::event(QEvent* event)
{
    const bool handled = QListView::event(event);
    if (event->type() == QEvent::Paint && hasFocus()) {
        // With no entry chosen nothing inside the list shows where the focus is: its frame does, in the
        // highlight colour, as a box with the focus is drawn.
        const int width = std::max(1, frameWidth());
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(QRectF(rect()).adjusted(width / 2.0, width / 2.0, -width / 2.0, -width / 2.0));
    }
    return handled;
}

int ListBox::ListIndex() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListBox::setListIndex(int index)
{
    if (index < 0 || index >= ListCount()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex at = m_entries.index(index);
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
    scrollTo(at);
}

int ListBox::AddItem(const QString& item)
{
    return m_entries.add(item);
}

void ListBox::RemoveItem(int index)
{
    m_entries.remove(index);
}

void ListBox::Clear()
{
    m_entries.clear();
}

void ListBox::keyboardSearch(const QString& search)
{
    // Keys typed in quick succession extend the search, as in every list box.
    if (!m_lastKey.isValid() || m_lastKey.elapsed() > QApplication::keyboardInputInterval())
        m_search.clear();
    m_lastKey.start();
    // The same letter again goes on to the next entry that begins with it, and from the last back to the first.
    const bool repeated = !m_search.isEmpty() && search.size() == 1 &&
                          m_search.compare(QString(m_search.size(), search.at(0)), Qt::CaseInsensitive) == 0;
    m_search += search;
    int found = repeated ? m_entries.findPrefix(search, ListIndex() + 1) : m_entries.findPrefix(m_search);
    if (found < 0 && repeated) {
        found = m_entries.findPrefix(search);
    } else if (found < 0 && m_search.size() > 1) {
        // A key that fits no entry after the others starts a new search.
        m_search = search;
        found = m_entries.findPrefix(m_search);
    }
    if (found >= 0)
        setListIndex(found);
}
