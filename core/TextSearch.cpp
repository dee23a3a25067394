#include "core/TextSearch.h"

#include <algorithm>
#include <array>

namespace {

using FoldTable = std::array<char16_t, 0x10000>;

const FoldTable& foldTable() {
    static const FoldTable table = [] {
        FoldTable t{};
        for (char32_t u = 0; u < 0x10000; ++u) {
            char32_t f = QChar::isSurrogate(u) ? u : QChar::toCaseFolded(u);
            if (f > 0xFFFF)
                f = u;
            if (f == U'ё')
                f = U'е';
            t[u] = char16_t(f);
        }
        return t;
    }();
    return table;
}

// Scans the starts from `from` towards `to` (either way round) for the folded needle.
qsizetype scan(const char16_t* h, QStringView needle, qsizetype from, qsizetype to) {
    const FoldTable& t = foldTable();
    const char16_t* n = needle.utf16();
    const qsizetype m = needle.size();
    const qsizetype step = from <= to ? 1 : -1;
    for (qsizetype i = from;; i += step) {
        if (t[h[i]] == n[0]) {
            qsizetype k = 1;
            while (k < m && t[h[i + k]] == n[k])
                ++k;
            if (k == m)
                return i;
        }
        if (i == to)
            return -1;
    }
}

} // namespace

namespace TextSearch {

char16_t fold(char16_t c) {
    return foldTable()[c];
}

Needle::Needle(QStringView text) : m_folded(text.size(), Qt::Uninitialized) {
    const FoldTable& t = foldTable();
    char16_t* out = reinterpret_cast<char16_t*>(m_folded.data());
    for (const QChar c : text)
        *out++ = t[c.unicode()];
}

qsizetype Needle::firstIn(QStringView text, qsizetype from, qsizetype to) const {
    to = std::min(to, text.size() - m_folded.size());
    if (m_folded.isEmpty() || from < 0 || from > to)
        return -1;
    return scan(text.utf16(), m_folded, from, to);
}

qsizetype Needle::lastIn(QStringView text, qsizetype from, qsizetype to) const {
    to = std::min(to, text.size() - m_folded.size());
    from = std::max<qsizetype>(from, 0);
    if (m_folded.isEmpty() || from > to)
        return -1;
    return scan(text.utf16(), m_folded, to, from);
}

Match find(QStringView text, QStringView needle, qsizetype from, Direction direction) {
    const Needle n(needle);
    from = std::clamp<qsizetype>(from, 0, text.size());
    Match match;
    match.outcome = Outcome::Found;
    match.length = n.size();
    if (direction == Direction::Forward) {
        match.position = n.firstIn(text, from, text.size());
        if (match.position < 0 && from > 0) {
            match.position = n.firstIn(text, 0, from - 1);
            match.outcome = Outcome::FoundAfterWrap;
        }
    } else {
        match.position = n.lastIn(text, 0, from - 1);
        if (match.position < 0) {
            match.position = n.lastIn(text, from, text.size());
            match.outcome = Outcome::FoundAfterWrap;
        }
    }
    if (match.position < 0)
        return {};
    return match;
}

QString outcomeText(Outcome outcome, Direction direction) {
    switch (outcome) {
    case Outcome::Found:
        break;
    case Outcome::FoundAfterWrap:
        return direction == Direction::Forward ? QStringLiteral("Поиск дошёл до конца и продолжен с начала")
                                               : QStringLiteral("Поиск дошёл до начала и продолжен с конца");
    case Outcome::NotFound:
        return QStringLiteral("Не найдено");
    }
    return {};
}

} // namespace TextSearch
