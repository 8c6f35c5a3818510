#pragma once

#include <QString>

// Times loading settings files of about 10 MB in the shapes that were once quadratic:
// one value continued over many lines, and one key with very many values.
void BenchSettingsLoad(const QString& folder);
