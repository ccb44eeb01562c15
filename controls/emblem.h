#pragma once

#include <QImage>

namespace tarnwick::controls {

// The title panel's own 16 x 16 icon: a ring with a dot at the upper right, joined by a bar
// to a smaller ring at the lower left, in white and light grey on the skin's background.
void paint_emblem(QImage& target);

} // namespace tarnwick::controls
