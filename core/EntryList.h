#pragma once

#include <QAbstractListModel>
#include <QString>
#include <vector>

// The sorted list of entries that stands behind the main window's list box. Items are kept in
// ascending order of their names ignoring case and accents ("Émile" between "Elsa" and "Emma"), then of
// their names ignoring case only ("Emile" before "Émile"), then of the rest ignoring case; items that tie are
// ordered by their exact code units, so upper-case letters come first and the order never depends on the order of
// insertion. The view shows each entry by its name only.
class EntryList : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int count() const { return int(m_rows.size()); }
    const QString& item(int index) const { return m_rows.at(size_t(index)).text; }

    // Inserts at the sorted place and returns the index the item took.
    int add(const QString& item);
    void remove(int index);
    void clear();
    // Replaces everything at once: one sort and one reset, for loading a whole file.
    void assign(std::vector<QString> items);
    struct Row;
    // The same from rows already in the list's order.
    void assignSorted(std::vector<Row> rows);
    // The first index, at or after from, whose item starts with the prefix, ignoring case; -1 when none does.
    int findPrefix(const QString& prefix, int from = 0) const;
    std::vector<QString> items() const;
    // The index of the item with exactly this text; -1 when there is none.
    int indexOf(const QString& item) const;
    // The index of the control record (the first one when there are several); -1 when there is none.
    int controlRecordIndex() const;
    // Whether an item starts with the name, ignoring case: the editor's test for a taken name, so a
    // name that begins an existing one counts as taken too.
    bool NameExists(const QString& name) const;

    // One item with its sort key, so that sorting many items folds each one's case only once.
    struct Row
    {
        quint64 prefix = 0; // the key's first four code units, which decide most comparisons at once
        QString key;        // the case-folded name with the tab after it, the primary sort key
        QString text;
        qsizetype restAt = 0; // where the text goes on after the part the key stands for
    };
    static Row MakeRow(QString text);
    // The list's order.
    static bool RowLess(const Row& a, const Row& b);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<Row> m_rows;
};
