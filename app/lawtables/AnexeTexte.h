#pragma once
// The fixed texts of the annexes: the four head lines and the column-number line of each table
// head, and the legal notes printed under each table.

#include <vector>

namespace anexe::texte {

extern const std::vector<const char*> kNote80Lat;
extern const std::vector<const char*> kNote80Ingust;
extern const std::vector<const char*> kNote85Lat;
extern const std::vector<const char*> kNote85Ingust;
extern const std::vector<const char*> kNote93_4;
extern const std::vector<const char*> kNote116;
extern const std::vector<const char*> kNote72;
extern const std::vector<const char*> kCap80Lat;
extern const std::vector<const char*> kCap80Ingust;
extern const std::vector<const char*> kCap93_4;
extern const std::vector<const char*> kCap116;
extern const std::vector<const char*> kCap72;

} // namespace anexe::texte
