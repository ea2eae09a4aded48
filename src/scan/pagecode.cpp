#include "pagecode.h"

QString PageCode::payload() const
{
    return QString(); // filled in by the page-reading work
}

std::optional<PageCode> PageCode::read(const QString &)
{
    return std::nullopt;
}
