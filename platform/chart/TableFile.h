#pragma once
// Saves a table of points to a CSV or TSV file (by its extension), streamed
// through an AtomicFileWriter. When it takes longer than half a second, a
// progress dialog shows how far it got and offers Cancel (WorkProgress); while
// it is open, the window takes no input, so no command changes the points
// midway, and closing the window asks whether to stop saving.

#include <QString>
#include <cstddef>
#include <vector>

#include "series/TableWriter.h"

class QWidget;

namespace chart {

// `rowCount` is rowCount(slices), for the progress. Returns false when the
// user cancelled, or stopped it to close the window (no file written, an old
// one kept). Throws Exception for a name without a table extension or a
// failed write.
bool saveTableFile(const std::vector<series::TableSlice>& slices, std::size_t rowCount,
                   const QString& fileName, QWidget* parent);

}  // namespace chart
