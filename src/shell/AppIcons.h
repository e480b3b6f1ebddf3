// The application icon and the toolbar button images, drawn in code.
#pragma once

#include <QIcon>
#include <QPixmap>

// A night sky with stars of several sizes, size x size pixels.
QPixmap AppIconPixmap(int size);
QIcon AppIcon();
// The 16 x 16 image of a toolbar button; a null icon for other ids.
QIcon ToolbarIcon(int commandId);
