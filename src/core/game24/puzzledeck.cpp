#include "puzzledeck.h"

#include "puzzletable.h"

#include "generate/numbers.h"
#include "generate/randomsource.h"
#include "store/database.h"

using namespace Qt::Literals::StringLiterals;

PuzzleDeck::PuzzleDeck(Database &db)
    : m_db(db)
{ }

QStringList PuzzleDeck::levelCaptions()
{
    return { u"【一级】-> 简单"_s, u"【二级】-> 较易"_s, u"【三级】-> 中等"_s, u"【四级】-> 较难"_s,
        u"【五级】-> 很难"_s };
}

void PuzzleDeck::load(int level)
{
    // Read into a list of its own, so that a failed read leaves the deck as it was.
    auto read = [this, level] {
        Statement select
            = m_db.prepare("SELECT a24_id, a24_n1, a24_n2, a24_n3, a24_n4, a24_da FROM tab_24"
                           " WHERE a24_nd = ? AND a24_pl = 0 ORDER BY a24_sjs, a24_id");
        select.bind(1, level);
        QList<Row> rows;
        while (select.next()) {
            Row row { select.integer(0), {}, select.text(5) };
            bool playable = true;
            for (int i = 0; i < 4; ++i) {
                // Checked before narrowing: a damaged value must not wrap into range.
                const qint64 number = select.integer(1 + i);
                playable = playable && number >= 1 && number <= 13;
                row.numbers[size_t(i)] = int(number);
            }
            if (playable)
                rows.append(row);
        }
        return rows;
    };
    QList<Row> rows = read();
    if (rows.isEmpty()) {
        Statement reset = m_db.prepare("UPDATE tab_24 SET a24_pl = 0 WHERE a24_nd = ?");
        reset.bind(1, level);
        reset.run();
        rows = read();
    }
    m_level = level;
    m_rows = rows;
    m_next = 0;
}

PuzzleDeck::Deal PuzzleDeck::deal(RandomSource &rnd)
{
    Deal deal;
    if (m_rows.isEmpty())
        return deal;
    const Row &row = m_rows.at(m_next);
    // Each of the first three numbers takes a random free card; the fourth
    // the one left.
    QList<int> free { 0, 1, 2, 3 };
    for (int i = 0; i < 3; ++i) {
        const qint16 k = randomInt(0, qint16(free.size() - 1), rnd);
        deal.cards[size_t(free.takeAt(k))] = row.numbers[size_t(i)];
    }
    deal.cards[size_t(free.first())] = row.numbers[3];
    deal.id = row.id;
    deal.answerText = u"【答案】："_s + game24::decodeAnswer(row.answerCode);
    deal.progressText = u"【 %1 / %2 】"_s.arg(m_next + 1).arg(m_rows.size());
    m_next = (m_next + 1) % int(m_rows.size());
    return deal;
}

void PuzzleDeck::markSolved(qint64 id)
{
    Statement update = m_db.prepare(
        "UPDATE tab_24 SET a24_pl = 1, a24_sjs = abs(random()) % 1000 WHERE a24_id = ?");
    update.bind(1, id);
    update.run();
}

QList<PuzzleDeck::Stored> PuzzleDeck::stored(Database &db, int level)
{
    Statement select
        = db.prepare("SELECT a24_id, a24_nd, a24_n1, a24_n2, a24_n3, a24_n4, a24_pl, a24_da"
                     " FROM tab_24 WHERE ? = 0 OR a24_nd = ? ORDER BY a24_id");
    select.bind(1, level).bind(2, level);
    QList<Stored> puzzles;
    while (select.next()) {
        puzzles.append({ select.text(0), select.text(1),
            { select.text(2), select.text(3), select.text(4), select.text(5) }, select.text(6),
            game24::decodeAnswer(select.text(7)) });
    }
    return puzzles;
}
