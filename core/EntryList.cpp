#include "core/EntryList.h"

#include "core/ListItem.h"

#include <algorithm>

namespace {

// Letters with accents go with their base letter and letter case does not count, as a person looks for
// a name: the compatibility decomposition without its combining marks, case-folded.
QString foldedUnicodeKey(QStringView text)
{
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString base;
    base.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (!c.isMark())
            base += c;
    }
    return base.toCaseFolded();
}

// The sort key. Most names are plain ASCII, where folding is lowering A to Z: done here without the
// Unicode tables.
QString foldedKey(QStringView text)
{
    const char16_t* units = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (units[i] >= 0x80)
            return foldedUnicodeKey(text);
    }
    QString key(n, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(key.data());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = units[i];
        out[i] = (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
    }
    return key;
}

} // namespace

EntryList::Row EntryList::MakeRow(QString text)
{
    Row row;
    // The name and its tab decide nearly every comparison; the rest is compared only between items whose
    // names are the same ignoring case and accents. A tab sorts before any letter, as in the whole text.
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    row.restAt = tab < 0 ? text.size() : tab + 1;
    row.key = foldedKey(QStringView(text).left(row.restAt));
    row.text = std::move(text);
    // Shorter keys pad with zero, which sorts before every code unit as a shorter text does; a real
    // zero unit only makes the prefixes tie, and the full comparison decides.
    const qsizetype n = std::min<qsizetype>(row.key.size(), 4);
    for (qsizetype i = 0; i < 4; ++i)
        row.prefix = (row.prefix << 16) | (i < n ? row.key.at(i).unicode() : 0u);
    return row;
}

bool EntryList::RowLess(const Row& a, const Row& b)
{
    if (a.prefix != b.prefix)
        return a.prefix < b.prefix;
    int c = QStringView(a.key).compare(QStringView(b.key), Qt::CaseSensitive);
    if (c != 0)
        return c < 0;
    // Names that only look alike ("Cafe" and "Café", or one "é" precomposed and one not) keep their order whatever
    // their passwords: the name as written, ignoring case alone, decides before the rest of the item.
    c = QStringView(a.text).left(a.restAt).compare(QStringView(b.text).left(b.restAt), Qt::CaseInsensitive);
    if (c != 0)
        return c < 0;
    c = QStringView(a.text).mid(a.restAt).compare(QStringView(b.text).mid(b.restAt), Qt::CaseInsensitive);
    if (c != 0)
        return c < 0;
    return QStringView(a.text).compare(QStringView(b.text), Qt::CaseSensitive) < 0;
}

int EntryList::add(const QString& item)
{
    Row row = MakeRow(item);
    const auto at = std::upper_bound(m_rows.begin(), m_rows.end(), row, RowLess);
    const int index = int(at - m_rows.begin());
    beginInsertRows(QModelIndex(), index, index);
    m_rows.insert(at, std::move(row));
    endInsertRows();
    return index;
}

void EntryList::remove(int index)
{
    if (index < 0 || index >= count())
        return;
    beginRemoveRows(QModelIndex(), index, index);
    m_rows.erase(m_rows.begin() + index);
    endRemoveRows();
}

void EntryList::clear()
{
    if (m_rows.empty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void EntryList::assign(std::vector<QString> items)
{
    std::vector<Row> rows;
    rows.reserve(items.size());
    for (QString& text : items)
        rows.push_back(MakeRow(std::move(text)));
    // Rows that tie are the same text, so the faster unstable sort gives the same list.
    std::sort(rows.begin(), rows.end(), RowLess);
    assignSorted(std::move(rows));
}

void EntryList::assignSorted(std::vector<Row> rows)
{
    beginResetModel();
    m_rows.swap(rows);
    endResetModel();
}

int EntryList::findPrefix(const QString& prefix, int from) const
{
    const QString key = foldedKey(prefix);
    // The items that match are next to each other, as the list is sorted by the same key.
    const auto first = m_rows.begin() + std::clamp(from, 0, count());
    const auto at = std::lower_bound(first, m_rows.end(), key, [](const Row& row, const QString& k) {
        return QStringView(row.key).compare(QStringView(k), Qt::CaseSensitive) < 0;
    });
    if (at == m_rows.end() || !at->key.startsWith(key))
        return -1;
    return int(at - m_rows.begin());
}

int EntryList::indexOf(const QString& item) const
{
    const Row row = MakeRow(item);
    const auto at = std::lower_bound(m_rows.begin(), m_rows.end(), row, RowLess);
    return at != m_rows.end() && at->text == item ? int(at - m_rows.begin()) : -1;
}

std::vector<QString> EntryList::items() const
{
    std::vector<QString> out;
    out.reserve(m_rows.size());
    for (const Row& row : m_rows)
        out.push_back(row.text);
    return out;
}

int EntryList::controlRecordIndex() const
{
    for (int i = 0; i < count(); ++i) {
        if (ListItem::IsControlRecord(item(i)))
            return i;
    }
    return -1;
}

bool EntryList::NameExists(const QString& name) const
{
    // A prefix test on the whole item: the existing item's tab after its name keeps a longer new name apart.
    const qsizetype n = name.size();
    const QString upper = name.toUpper();
    return std::any_of(m_rows.begin(), m_rows.end(),
                       [&](const Row& row) { return row.text.left(n).toUpper() == upper; });
}

int EntryList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant EntryList::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    // The tip shows the whole name where the row cuts it short. Passwords never show in the list.
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return ListItem::NameOf(item(index.row()));
    return {};
}
