#pragma once

#include <QString>

// Times importing a bookmark file of links generated links against writing the same
// files raw, and exporting them against a raw walk of them.
void BenchExchange(const QString& folder, int links);
