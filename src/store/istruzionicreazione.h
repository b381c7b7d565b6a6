// The statements that make a table file's inner table and indexes from a declaration: the one
// definition of a table's columns, for the engine and for table files written outside it.
#pragma once

#include "store/declaration.h"

namespace store {

// On the attached schema given, or on the connection's main file when empty.
QStringList createStatements(const TableDeclaration &declaration, const QString &schema = QString());

} // namespace store
