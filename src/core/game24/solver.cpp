#include "solver.h"

#include <QHash>
#include <QStringList>

#include <algorithm>

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
    QList<Solution> solutions() const { return m_solutions.values(); }
    const QList<Step> &bestSteps() const { return m_bestSteps; }

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
        const QString canonical = canonicalOf(root);
        const double effort = effortOf(root);
        if (m_bestSteps.isEmpty() || effort < m_bestEffort) {
            m_bestEffort = effort;
            m_bestSteps.clear();
            collectSteps(root, m_bestSteps);
        }
        auto it = m_solutions.find(canonical);
        if (it == m_solutions.end())
            m_solutions.insert(canonical, { written(root, 0, false), canonical, effort });
        else if (effort < it->effort)
            *it = { written(root, 0, false), canonical, effort };
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

    // Sums and products flattened, their terms sorted: one text for all the
    // ways of writing the same calculation.
    QString canonicalOf(int n) const
    {
        const Node &node = m_nodes[n];
        if (!node.op)
            return QString::number(node.value);
        QStringList plus, minus;
        collect(n, precedence(node.op), false, plus, minus);
        std::sort(plus.begin(), plus.end());
        std::sort(minus.begin(), minus.end());
        const QChar inverse = precedence(node.op) == 1 ? u'-' : u'/';
        const QChar forward = precedence(node.op) == 1 ? u'+' : u'*';
        QString text = u"["_s + plus.join(forward);
        if (!minus.isEmpty())
            text += inverse + minus.join(inverse);
        return text + u']';
    }

    void collect(int n, int level, bool inverted, QStringList &plus, QStringList &minus) const
    {
        const Node &node = m_nodes[n];
        if (node.op && precedence(node.op) == level) {
            const bool inverts = node.op == u'-' || node.op == u'÷';
            collect(node.left, level, inverted, plus, minus);
            collect(node.right, level, inverted != inverts, plus, minus);
            return;
        }
        (inverted ? minus : plus) << canonicalOf(n);
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
    QHash<QString, Solution> m_solutions;
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
