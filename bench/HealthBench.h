#pragma once

#include <QString>

// Times the link-health tools over a generated tree at root holding links links: finding
// duplicates and searching by address (cold and warm) against raw walks of the same
// files, and checking links against local servers that answer after 50 ms.
void BenchHealth(const QString& root, int links);
