#include "FuzzSupport.h"
#include "core/Options.h"
#include "core/TextFile.h"
#include "core/Variables.h"
#include "engine/Clock.h"
#include "engine/EngineIndex.h"
#include "engine/Macros.h"
#include "engine/RandomSource.h"
#include "engine/Turn.h"

namespace {

class ByteRandom final : public RandomSource {
public:
    explicit ByteRandom(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    double next() override {
        const auto b = m_bytes.isEmpty() ? 0u : static_cast<unsigned char>(m_bytes.at(m_pos++ % m_bytes.size()));
        return b / 256.0;
    }

private:
    QByteArray m_bytes;
    qsizetype m_pos = 0;
};

class FixedClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 6), QTime(23, 59, 59)); }
};

void check(const Variables& v, const TurnResult& r, const Clock& clock) {
    FUZZ_CHECK(v.AnswerCount == v.AnswerBase.size() && v.AnswerCount <= Variables::MaxLines);
    FUZZ_CHECK(v.QuestionCount == v.QuestionBase.size() && v.QuestionCount <= Variables::MaxLines);
    FUZZ_CHECK(v.AskedQuestionCount == v.AskedQuestions.size() && v.AskedQuestionCount <= Variables::MaxLines);
    FUZZ_CHECK(v.Mode == Modes::conversation() || v.Mode == Modes::learning());
    FUZZ_CHECK(r.HumanLine.startsWith(QLatin1Char('<')) && r.ProgramLine.startsWith(QStringLiteral("<TK> ")));
    FUZZ_CHECK(!r.HumanLine.contains(QLatin1Char('\r')) && !r.HumanLine.contains(QLatin1Char('\n')));
    // The pair reported is the one whose answer was shown.
    if (r.Why.kind == TurnWhy::Kind::Answer) {
        FUZZ_CHECK(r.Why.pair >= 1 && r.Why.pair <= v.AnswerCount / 2 && r.Why.matched >= 1);
        QString reply = v.AnswerBase.at(r.Why.keyLine());
        if (r.Why.question > 0)
            reply += QLatin1Char(' ') + v.QuestionBase.at(r.Why.question - 1);
        FUZZ_CHECK(r.ProgramLine == programTag() + ExpandMacros(reply, v.HumanName, clock).text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<QByteArray> pieces = piecesOf(bytesOf(data, size));
    if (pieces.size() < 5)
        return 0;
    Variables v;
    v.Mode = pieces.at(3).startsWith('L') ? Modes::learning() : Modes::conversation();
    v.HumanName = QStringLiteral("Имя");
    v.Alphabet =
        pieces.at(3).startsWith('A') ? TextFile::splitLines(pieces.at(3)).value(0) : Options::defaultAlphabet();
    v.ShortPhraseLimit = OptionValue::fromText(TextFile::splitLines(pieces.at(3)).value(1));
    v.AnswerBase = TextFile::splitLines(pieces.at(0), Variables::MaxLines).mid(0, 400);
    v.AnswerCount = qint16(v.AnswerBase.size());
    v.QuestionBase = TextFile::splitLines(pieces.at(1)).mid(0, 50);
    v.QuestionCount = qint16(v.QuestionBase.size());
    v.SynonymBase = TextFile::splitLines(pieces.at(2)).mid(0, 400);
    for (QString& line : v.SynonymBase)
        line = line.toUpper();
    v.SynonymCount = qint16(v.SynonymBase.size());

    // The same turns with a kept index and with a fresh one each turn must say the same things.
    Variables fresh = v;
    ByteRandom keptRandom(pieces.at(4));
    ByteRandom freshRandom(pieces.at(4));
    FixedClock clock;
    EngineIndex index;
    for (qsizetype i = 5; i < pieces.size() && i < 40; ++i) {
        const QString phrase = QString::fromUtf8(pieces.at(i));
        const TurnResult kept = ProcessPhrase(v, phrase, keptRandom, clock, index);
        const TurnResult once = ProcessPhrase(fresh, phrase, freshRandom, clock);
        check(v, kept, clock);
        FUZZ_CHECK(kept.HumanLine == once.HumanLine && kept.ProgramLine == once.ProgramLine &&
                   kept.Stopped == once.Stopped && kept.Why.pair == once.Why.pair);
        FUZZ_CHECK(v.AnswerBase == fresh.AnswerBase && v.QuestionBase == fresh.QuestionBase &&
                   v.AskedQuestions == fresh.AskedQuestions);
    }
    return 0;
}
