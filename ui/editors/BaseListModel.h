#pragma once

#include <QAbstractListModel>

struct Variables;

// One list of a base editor, read straight from the in-memory base: a row's text is made only when the view
// paints it, so a full base of 32,767 lines opens as fast as an empty one.
class BaseListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum class Kind { KeyLines, AnswerLines, Questions, SynonymPairs };

    BaseListModel(const Variables& v, Kind kind, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Shows the base as it is now; the editors call it after every change they make.
    void refresh();

private:
    const Variables& m_v;
    Kind m_kind;
};
