#pragma once

#include <QString>

#include <functional>

// How long work takes, in milliseconds.
double Millis(const std::function<void()>& work);
// The best of runs; prepare runs untimed before each.
double BestOf(int runs, const std::function<void()>& prepare, const std::function<void()>& work);
// What find takes for the stat data the views read: type, size and the three times of
// every entry under root, or of root's own entries only.
double FindWalk(const QString& root, bool oneLevel, int runs);
// One row of a table: time and ratio to base; folders < 0 leaves that column blank.
void PrintRow(const char* name, int links, int folders, double ms, double base);
void PrintHeader();
