#include "puzzletable.h"

#include "generate/numbers.h"
#include "generate/randomsource.h"
#include "store/database.h"
#include "store/settingscodec.h"

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace game24 {

namespace {

// Fixed forever: answers stored with another salt cannot be read.
const QString kAnswerSalt = u"Pz24Ok"_s;

} // namespace

QString decodeAnswer(const QString &code)
{
    return settingscodec::decode(code, 2, kAnswerSalt);
}

// Difficulty of a hand: the effort of its easiest route, lowered when there
// are many routes to stumble upon (every one the board accepts, more than
// the solutions listed), raised a little for picture cards (11-13), which
// children find harder to hold in mind. The hands are then ranked and cut into
// five equal parts.
QList<Puzzle> buildPuzzles()
{
    QList<Puzzle> puzzles;
    for (int a = 1; a <= 13; ++a) {
        for (int b = a; b <= 13; ++b) {
            for (int c = b; c <= 13; ++c) {
                for (int d = c; d <= 13; ++d) {
                    const Hand hand { a, b, c, d };
                    const QList<Solution> solutions = solve(hand);
                    if (solutions.isEmpty())
                        continue;
                    double difficulty
                        = solutions.first().effort - 0.8 * std::log(double(routeCount(hand)));
                    for (int n : hand)
                        difficulty += n > 10 ? 0.3 : 0.0;
                    puzzles.append({ hand, 0, solutions.first().expression, int(solutions.size()),
                        difficulty });
                }
            }
        }
    }

    QList<int> order(puzzles.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
        [&puzzles](int x, int y) { return puzzles[x].difficulty < puzzles[y].difficulty; });
    for (qsizetype rank = 0; rank < order.size(); ++rank)
        puzzles[order[rank]].level = int(rank * kLevelCount / order.size()) + 1;
    return puzzles;
}

void storePuzzles(Database &db, SeededRandom &rnd)
{
    Statement insert = db.prepare(
        "INSERT INTO tab_24 (a24_id, a24_nd, a24_pl, a24_sjs, a24_n1, a24_n2, a24_n3, a24_n4,"
        " a24_da) VALUES (?, ?, 0, ?, ?, ?, ?, ?, ?)");
    int id = 0;
    for (const Puzzle &puzzle : buildPuzzles()) {
        insert.bind(1, ++id);
        insert.bind(2, puzzle.level);
        insert.bind(3, int(randomInt(0, 999, rnd)));
        for (int i = 0; i < 4; ++i)
            insert.bind(4 + i, puzzle.numbers[size_t(i)]);
        insert.bind(8, settingscodec::encode(puzzle.answer, 2, kAnswerSalt, rnd));
        insert.run();
        insert.reset();
    }
}

} // namespace game24
