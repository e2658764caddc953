#pragma once
// The program's icon, drawn at the sizes window managers and task bars ask for, so that no
// image file has to be found at run time.

#include <QIcon>

QIcon VortaplIcon();
