#include "hintguide.h"

#include "board.h"
#include "solver.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

QString HintGuide::deadEndText()
{
    // Broken before the sentence that names the button: the narrow box it is shown in would
    // otherwise wrap inside the name, which then reads as no button at all.
    return u"这一步走不通了，\n点【重新计算】再来"_s;
}

void HintGuide::reset()
{
    m_plannedFor.clear();
    m_plan.clear();
    m_revealed = 0;
}

HintGuide::Hint HintGuide::next(const Board &board)
{
    QList<int> values = board.liveValues();
    std::sort(values.begin(), values.end());
    if (values != m_plannedFor || m_plan.isEmpty()) {
        reset();
        m_plannedFor = values;
        const std::optional<QList<game24::Step>> plan = game24::planFrom(values);
        if (!plan)
            return { {}, true, deadEndText() };
        for (const game24::Step &step : *plan)
            m_plan << step.text();
    }
    // The last step played: the picture says right or wrong, and there is nothing to hint.
    if (m_plan.isEmpty())
        return {};
    m_revealed = std::min<int>(m_revealed + 1, int(m_plan.size()));
    const QString message
        = m_revealed == m_plan.size() ? u"照这样算下去就是 24。"_s : u"再点【提示】看下一步。"_s;
    return { m_plan.mid(0, m_revealed), false, message };
}
