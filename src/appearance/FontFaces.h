#pragma once

#include <QString>

// Face names as the system has them. Fontconfig lists a family that several foundries
// make as "Name [foundry]"; everywhere else it is just "Name".
namespace FontFaces {

// The name without a trailing " [foundry]".
QString WithoutFoundry(const QString& face);

// The system's spelling of a face it has, letter case and foundry ignored; for a face it
// lacks ("MS Sans Serif" of themes made elsewhere) the system's default sans face.
QString Resolve(const QString& face);

} // namespace FontFaces
