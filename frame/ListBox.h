#pragma once

#include "core/EntryList.h"

#include <QElapsedTimer>
#include <QListView>
#include <vector>

// The sorted list box: the entries in their sorted order, each shown by its name. Its interface is
// the one the windows use on the main list: count, item by index, selected index (-1 none), add,
// remove, clear.
class ListBox : public QListView
{
    Q_OBJECT

public:
    explicit ListBox(QWidget* parent = nullptr);

    int ListCount() const { return m_entries.count(); }
    const QString& List(int index) const { return m_entries.item(index); }
    int ListIndex() const;
    void setListIndex(int index);
    // Adds at the sorted place; returns the index the item took.
    int AddItem(const QString& item);
    void RemoveItem(int index);
    void Clear();
    void SetRows(std::vector<EntryList::Row> sortedRows) { m_entries.assignSorted(std::move(sortedRows)); }

    EntryList& entries() { return m_entries; }
    const EntryList& entries() const { return m_entries; }

signals:
    void DblClick();

protected:
    // Typing jumps to the first entry whose name starts with what was typed; the same letter typed again
    // goes on to the next entry that begins with it.
    void keyboardSearch(const QString& search) override;
    // One entry is selected or none, and no click or key takes the selection away once it is there.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void focusInEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    EntryList m_entries;
    QString m_search;
    QElapsedTimer m_lastKey;
};
