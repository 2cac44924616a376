#pragma once

#include "model/Myexceloperation.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>

// The members of an export settings record as values Qt Test can compare and print, so that a test
// names the member that differs. The variant shows as "empty" or "Null", texts as their bytes.
using ExcelOpFields = QList<std::pair<QString, QVariant>>;

// Every member, in declaration order.
ExcelOpFields fieldsOf(const ExcelOp& record);

// One line per member whose values differ: "name: actual != expected". Empty when the two agree.
QStringList differences(const ExcelOpFields& actual, const ExcelOpFields& expected);

// The names of the members whose values differ, in declaration order.
QStringList changedMembers(const ExcelOp& before, const ExcelOp& after);
