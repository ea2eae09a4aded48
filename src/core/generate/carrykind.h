#pragma once

#include <QString>

// Which sums and differences a sheet of A＋B, A－B, A±B or A±B±C asks for: any, only those
// that carry or borrow in some column (进位/退位), or only those that never do.
enum class CarryKind : qint16 { Any = 0, With = 1, Without = 2 };

namespace carry {

// The types the choice applies to.
bool appliesTo(qint16 type);
// Whether a line of such a type is of the kind.
bool isOfKind(const QString &line, CarryKind kind);
// Whether the type at the level writes any line of the kind at all. Worked out once per
// process from every line the level can write, stopping at the first of the kind.
bool levelCanMake(qint16 type, qint16 level, CarryKind kind);

} // namespace carry
