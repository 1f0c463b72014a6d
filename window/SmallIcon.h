#pragma once

#include <QColor>
#include <QIcon>
#include <functional>

class QPainter;

namespace tf {

// A 16-by-16 icon drawn once by draw on a clear ground, its outlines in
// outline: the tree's and the tool bar's icons, in one manner, without the
// desktop's icon theme (searched on the first icon, a noticeable part of
// start-up).
QIcon DrawSmallIcon(const QColor& outline, const std::function<void(QPainter&)>& draw);

} // namespace tf
