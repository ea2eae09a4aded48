#include "solver.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace game24 {

namespace {

constexpr int kTarget = 24;

// An expression tree in a small pool: leaves are the hand's numbers, inner
// nodes one step each.
struct Node
{
    char16_t op = 0; // 0 for a number
    int left = -1, right = -1;
    int value = 0;
};

struct Found
{
    Solution solution;
    bool belowZero; // some step of its route leaves a value below zero
    int unitDepth; // how deep inside it 1s are multiplied or divided in
};

class Search
{
public:
    Search(const QList<int> &values, bool stopAtFirst)
        : m_stopAtFirst(stopAtFirst)
    {
        for (int n : values) {
            m_live[m_liveCount++] = m_nodeCount;
            m_nodes[m_nodeCount++] = { 0, -1, -1, n };
        }
    }

    void run() { step(); }
    bool found() const { return m_found; }

    // A route through a value below zero has a twin that stays above it
    // ((7-1)×(11-7) for (1-7)×(7-11)); it is shown only when the hand has
    // no other route at all.
    QList<Solution> solutions() const
    {
        const bool anyAboveZero = std::any_of(m_solutions.begin(), m_solutions.end(),
            [](const Found &found) { return !found.belowZero; });
        QList<Solution> list;
        for (const Found &found : m_solutions) {
            if (!anyAboveZero || !found.belowZero)
                list.append(found.solution);
        }
        return list;
    }
    const QList<Step> &bestSteps() const { return m_bestSteps; }
    int routeCount() const { return int(m_routes.size()); }

private:
    void step()
    {
        if (m_liveCount == 1) {
            if (m_nodes[m_live[0]].value == kTarget)
                record(m_live[0]);
            return;
        }
        for (int i = 0; i < m_liveCount && !done(); ++i) {
            for (int j = i + 1; j < m_liveCount && !done(); ++j) {
                const int a = m_live[i], b = m_live[j];
                const int x = m_nodes[a].value, y = m_nodes[b].value;
                tryStep(i, j, u'+', a, b, x + y);
                tryStep(i, j, u'-', a, b, x - y);
                tryStep(i, j, u'-', b, a, y - x);
                tryStep(i, j, u'×', a, b, x * y);
                if (y != 0 && x % y == 0)
                    tryStep(i, j, u'÷', a, b, x / y);
                if (x != 0 && y % x == 0)
                    tryStep(i, j, u'÷', b, a, y / x);
            }
        }
    }

    bool done() const { return m_stopAtFirst && m_found; }

    // Replaces values i and j by their combination, searches on, and puts
    // everything back.
    void tryStep(int i, int j, char16_t op, int left, int right, int value)
    {
        if (done())
            return;
        const auto saved = m_live;
        const int savedCount = m_liveCount;
        m_nodes[m_nodeCount] = { op, left, right, value };
        m_live[i] = m_nodeCount++;
        m_live[j] = m_live[--m_liveCount];
        step();
        --m_nodeCount;
        m_live = saved;
        m_liveCount = savedCount;
    }

    void record(int root)
    {
        m_found = true;
        if (m_stopAtFirst)
            return;
        const QString canonical = canonicalOf(root, true);
        m_routes.insert(canonicalOf(root, false));
        const double effort = effortOf(root);
        if (m_bestSteps.isEmpty() || effort < m_bestEffort) {
            m_bestEffort = effort;
            m_bestSteps.clear();
            collectSteps(root, m_bestSteps);
        }
        // One calculation may be reached through a value below zero or not
        // ((1-7)+11 and 11-7+1): it is written the way that stays above it.
        // A 1 is best multiplied in last, (4+8+12)×1 rather than 1×4+8+12, so
        // that the calculation reads as what it is.
        const Found found { { written(root, 0, false), canonical, effort }, goesBelowZero(root),
            unitDepth(root, 0) };
        auto it = m_solutions.find(canonical);
        if (it == m_solutions.end())
            m_solutions.insert(canonical, found);
        else if (std::tuple(found.belowZero, tenths(effort), found.unitDepth)
            < std::tuple(it->belowZero, tenths(it->solution.effort), it->unitDepth))
            *it = found;
    }

    // Efforts are sums of tenths; added up in another order they may differ
    // in the last bit, which must not decide between two writings.
    static long tenths(double effort) { return std::lround(effort * 10); }

    int unitDepth(int n, int depth) const
    {
        const Node &node = m_nodes[n];
        if (!node.op)
            return 0;
        const bool byUnit = (node.op == u'×' && (isUnit(node.left) || isUnit(node.right)))
            || (node.op == u'÷' && isUnit(node.right));
        return (byUnit ? depth : 0) + unitDepth(node.left, depth + 1)
            + unitDepth(node.right, depth + 1);
    }

    bool goesBelowZero(int n) const
    {
        const Node &node = m_nodes[n];
        return node.op && (node.value < 0 || goesBelowZero(node.left) || goesBelowZero(node.right));
    }

    // The steps of a tree in an order the game can play them.
    void collectSteps(int n, QList<Step> &steps) const
    {
        const Node &node = m_nodes[n];
        if (!node.op)
            return;
        collectSteps(node.left, steps);
        collectSteps(node.right, steps);
        steps.append(
            { m_nodes[node.left].value, QChar(node.op), m_nodes[node.right].value, node.value });
    }

    static int precedence(char16_t op) { return op == u'+' || op == u'-' ? 1 : 2; }

    // Written with the parentheses it needs and no more.
    QString written(int n, int outer, bool rightOfNonCommutative) const
    {
        const Node &node = m_nodes[n];
        if (!node.op)
            return QString::number(node.value);
        const int p = precedence(node.op);
        const bool commutes = node.op == u'+' || node.op == u'×';
        QString text = written(node.left, p, false) + node.op + written(node.right, p, !commutes);
        if (p < outer || (p == outer && rightOfNonCommutative))
            text = u'(' + text + u')';
        return text;
    }

    // A 1 of the hand multiplied or divided in leaves a calculation what it
    // was, wherever it stands: (8+4)×2×1, (8×1+4)×2 and (8+4÷1)×2 are one.
    int withoutUnitFactor(int n) const
    {
        for (;;) {
            const Node &node = m_nodes[n];
            if (node.op == u'×' && isUnit(node.left))
                n = node.right;
            else if ((node.op == u'×' || node.op == u'÷') && isUnit(node.right))
                n = node.left;
            else
                return n;
        }
    }

    bool isUnit(int n) const
    {
        const Node &node = m_nodes[withoutUnitFactor(n)];
        return !node.op && node.value == 1;
    }

    // Sums and products flattened, their terms sorted, factors of 1 left out:
    // one text for all the ways of writing the same calculation.
    QString canonicalOf(int n, bool foldUnits) const
    {
        if (foldUnits)
            n = withoutUnitFactor(n);
        const Node &node = m_nodes[n];
        if (!node.op)
            return QString::number(node.value);
        QStringList plus, minus;
        collect(n, precedence(node.op), false, foldUnits, plus, minus);
        std::sort(plus.begin(), plus.end());
        std::sort(minus.begin(), minus.end());
        const QChar inverse = precedence(node.op) == 1 ? u'-' : u'/';
        const QChar forward = precedence(node.op) == 1 ? u'+' : u'*';
        QString text = u"["_s + plus.join(forward);
        if (!minus.isEmpty())
            text += inverse + minus.join(inverse);
        return text + u']';
    }

    void collect(int n, int level, bool inverted, bool foldUnits, QStringList &plus,
        QStringList &minus) const
    {
        if (foldUnits)
            n = withoutUnitFactor(n);
        const Node &node = m_nodes[n];
        if (node.op && precedence(node.op) == level) {
            const bool inverts = node.op == u'-' || node.op == u'÷';
            collect(node.left, level, inverted, foldUnits, plus, minus);
            collect(node.right, level, inverted != inverts, foldUnits, plus, minus);
            return;
        }
        (inverted ? minus : plus) << canonicalOf(n, foldUnits);
    }

    // Effort of a route: divisions and values below zero are what children
    // find hardest, then products; big intermediate values add a little.
    double effortOf(int n) const
    {
        const Node &node = m_nodes[n];
        if (!node.op)
            return 0;
        double cost = effortOf(node.left) + effortOf(node.right);
        switch (node.op) {
        case u'+':
            cost += 1.0;
            break;
        case u'-':
            cost += 1.2;
            break;
        case u'×':
            cost += 1.6;
            break;
        default:
            cost += 2.6;
            break;
        }
        if (node.value < 0)
            cost += 3.0;
        if (node.value > 30 || node.value < -30)
            cost += 0.6;
        return cost;
    }

    std::array<Node, 7> m_nodes; // four numbers and three steps
    int m_nodeCount = 0;
    std::array<int, 4> m_live {}; // the values still on the board
    int m_liveCount = 0;
    QHash<QString, Found> m_solutions;
    QSet<QString> m_routes;
    QList<Step> m_bestSteps;
    double m_bestEffort = 0;
    bool m_stopAtFirst;
    bool m_found = false;
};

} // namespace

QList<Solution> solve(const Hand &hand)
{
    Search search(QList<int>(hand.begin(), hand.end()), false);
    search.run();
    QList<Solution> list = search.solutions();
    std::sort(list.begin(), list.end(), [](const Solution &x, const Solution &y) {
        return x.effort != y.effort ? x.effort < y.effort : x.canonical < y.canonical;
    });
    return list;
}

int routeCount(const Hand &hand)
{
    Search search(QList<int>(hand.begin(), hand.end()), false);
    search.run();
    return search.routeCount();
}

bool isSolvable(const Hand &hand)
{
    Search search(QList<int>(hand.begin(), hand.end()), true);
    search.run();
    return search.found();
}

QString Step::text() const
{
    // The game's step lines use the plain ASCII signs for plus and minus.
    return u"〖"_s + QString::number(left) + sign + QString::number(right) + u'='
        + QString::number(result) + u"〗"_s;
}

std::optional<QList<Step>> planFrom(const QList<int> &values)
{
    if (values.isEmpty() || values.size() > 4)
        return std::nullopt;
    Search search(values, false);
    search.run();
    if (!search.found())
        return std::nullopt;
    return search.bestSteps();
}

} // namespace game24
