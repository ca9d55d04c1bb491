// The cells of the IP table as the route window shows and reads them: the
// columns of the IP table (CSV) in their order, values written as the route
// file writes them, and a typed or pasted text read as the route file reads
// a value.
#pragma once

#include <QString>

#include "route/ip_input.h"

namespace rovena {

// The columns one can type into, in the order of the IP table (CSV).
enum IpColumn { NameColumn, XColumn, YColumn, A1Column, RColumn, A2Column, R2Column, AmColumn, LcColumn, EditableColumns };

// The column's name as the IP table names it: 点名, X, Y, A1, R, A2, R2, AM, LC.
QString ipColumnName(int column);

// The text of a point's cell: the name, or the value as the route file
// writes it (the shortest decimal that reads back the same); empty for a
// value not used.
QString ipCellText(const korvane::route::IpInput &point, int column);

// Reads text into the point's cell: a name without control characters; X
// and Y a plain decimal (as the route file takes it: full-width digits and
// blanks around allowed); a curve value a decimal, or empty for a value not
// used. False with a reason naming the column and the text.
bool readIpCell(korvane::route::IpInput &point, int column, const QString &text, QString &problem);

} // namespace rovena
