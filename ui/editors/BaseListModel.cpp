#include "ui/editors/BaseListModel.h"

#include "core/Variables.h"
#include "engine/BaseEdit.h"

BaseListModel::BaseListModel(const Variables& v, Kind kind, QObject* parent)
    : QAbstractListModel(parent), m_v(v), m_kind(kind) {}

int BaseListModel::baseRows() const {
    switch (m_kind) {
    case Kind::KeyLines:
        return BaseEdit::pairRows(qint16(m_v.AnswerBase.size()));
    case Kind::AnswerLines:
        return int(m_v.AnswerBase.size() / 2);
    case Kind::Questions:
        return int(m_v.QuestionBase.size());
    case Kind::SynonymPairs:
        return BaseEdit::pairRows(qint16(m_v.SynonymBase.size()));
    }
    return 0;
}

int BaseListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    if (!m_filtered)
        return baseRows();
    // An unpaired last key line has no answer row; being the last real row, it can only be the last shown one.
    const int shown = int(m_rows.size());
    return shown > 0 && m_rows.constLast() >= baseRows() ? shown - 1 : shown;
}

QVariant BaseListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    const qsizetype row = m_filtered ? m_rows.at(index.row()) : index.row();
    switch (m_kind) {
    case Kind::KeyLines:
        return BaseEdit::listText(m_v.AnswerBase.at(2 * row));
    case Kind::AnswerLines:
        return BaseEdit::listText(m_v.AnswerBase.at(2 * row + 1));
    case Kind::Questions:
        return BaseEdit::listText(m_v.QuestionBase.at(row));
    case Kind::SynonymPairs:
        return BaseEdit::synonymRowText(m_v, int(row));
    }
    return {};
}

void BaseListModel::refresh() {
    beginResetModel();
    endResetModel();
}

void BaseListModel::showRows(const QList<int>& realRows) {
    beginResetModel();
    m_filtered = true;
    m_rows = realRows;
    endResetModel();
}

void BaseListModel::showAllRows() {
    beginResetModel();
    m_filtered = false;
    m_rows.clear();
    endResetModel();
}
