#pragma once

#include <QTest>

namespace testsupport {

// Declares a data function's columns as one table header:
// columns<QString, int>("text", "value") is addColumn<QString>("text"), then addColumn<int>("value").
template <typename... Types, typename... Names>
void columns(const Names &...names)
{
    static_assert(sizeof...(Types) == sizeof...(Names), "one name for each column type");
    (QTest::addColumn<Types>(names), ...);
}

} // namespace testsupport
