#pragma once

#include <QAbstractListModel>
#include <QList>

struct Variables;

// One list of a base editor, read straight from the in-memory base: a row's text is made only when the view
// paints it, so a full base of 32,767 lines opens as fast as an empty one. While the editor's find field filters
// the base, the list shows only some of the base's rows, through a map from shown row to real row.
class BaseListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum class Kind { KeyLines, AnswerLines, Questions, SynonymPairs };

    BaseListModel(const Variables& v, Kind kind, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Shows the base as it is now; the editors call it after every change they make.
    void refresh();
    // Shows only the real rows given (ascending), or every row again without a map.
    void showRows(const QList<int>& realRows);
    void showAllRows();
    // The rows of the whole base, whatever is shown.
    int baseRows() const;

private:
    const Variables& m_v;
    Kind m_kind;
    bool m_filtered = false;
    QList<int> m_rows;
};
