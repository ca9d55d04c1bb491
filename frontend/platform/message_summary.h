// The messages of one library call, shown as few boxes as possible: a failed
// write can report the same text once per entity.
#pragma once

#include <QStringList>

namespace rovena {

// Each distinct text once, in the order in which it first came; a text that
// came more than once says how many times.
QStringList summarisedMessages(const QStringList &messages);

} // namespace rovena
