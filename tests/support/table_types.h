#pragma once
// The standard value types that the tests' tables carry in their columns, declared to Qt once.

#include <QMetaType>
#include <string>
#include <vector>

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(std::u16string)
Q_DECLARE_METATYPE(std::vector<std::string>)
