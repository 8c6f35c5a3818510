#pragma once

class QWidget;

namespace FavoritesDrag {

// The data a drag of our own carries; only the tree takes it.
inline constexpr char MimeType[] = "application/x-tavoro-entries";

// Runs a drag from source with the effects allowed (1 copy, 2 move, 3 both); returns when
// the drag has ended.
void Run(QWidget* source, int effects);

} // namespace FavoritesDrag
